// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QValidator>

// Holds the name box to what the record can keep as one plain line: at most
// 64 characters, no control, line-separator or bidirectional-control
// character, whether typed or pasted.
class HolderNameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
