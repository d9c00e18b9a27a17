#pragma once

#include "game/ProcessTerminator.h"

// Ends the game by leaving the application's event loop with the status;
// main() returns it once the window is gone.
class QuitEventLoop : public ProcessTerminator {
public:
    void terminate(int exitStatus) override;
};
