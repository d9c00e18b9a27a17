// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QString>

// A static text of the window. It keeps its caption exactly as given (a
// record file's line terminators included) while showing it without stray
// carriage-return glyphs, always as plain text. An auto-size label grows from
// its left edge to fit each new caption.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // Moves the label to the given place; an auto-size label that has fitted
    // a caption fits it again there, in its present font.
    void placeAt(const QRect& geometry);

signals:
    // After each new caption, once the label shows it.
    void captionChanged();

private:
    void fitToCaption();

    QString caption_;
    bool autoSize_ = false;
    bool fitted_ = false;
};
