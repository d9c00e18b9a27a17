// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/PlatformChoice.h"

#include <cstring>

namespace {
bool isSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}
} // namespace

const char* platformForSession(const SessionEnvironment& environment,
                               bool toolkitMarksModalDialogs) {
    const bool waylandSession = isSet(environment.waylandDisplay) ||
                                (isSet(environment.xdgSessionType) &&
                                 std::strcmp(environment.xdgSessionType, "wayland") == 0);
    if (toolkitMarksModalDialogs || isSet(environment.qtQpaPlatform) || !waylandSession ||
        !isSet(environment.display)) {
        return nullptr;
    }
    return "xcb";
}
