#include "game/QuitEventLoop.h"

#include <QCoreApplication>

void QuitEventLoop::terminate(int exitStatus) {
    QCoreApplication::exit(exitStatus);
}
