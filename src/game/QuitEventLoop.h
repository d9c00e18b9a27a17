// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/ProcessTerminator.h"

// Ends the game by leaving the application's event loop with the status;
// main() returns it once the window is gone.
class QuitEventLoop : public ProcessTerminator {
public:
    void terminate(int exitStatus) override;
};
