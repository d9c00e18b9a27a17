// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Ends the program. The game quits its event loop with the status; tests
// observe the end instead.
class ProcessTerminator {
public:
    virtual ~ProcessTerminator() = default;
    virtual void terminate(int exitStatus) = 0;
};
