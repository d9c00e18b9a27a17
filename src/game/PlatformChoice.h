// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The environment variables that decide how the game reaches the screen; a
// null pointer stands for an unset variable.
struct SessionEnvironment {
    const char* qtQpaPlatform = nullptr;  // QT_QPA_PLATFORM: the user's own choice
    const char* xdgSessionType = nullptr; // XDG_SESSION_TYPE
    const char* waylandDisplay = nullptr; // WAYLAND_DISPLAY
    const char* display = nullptr;        // DISPLAY: an X server, XWayland on a Wayland desktop
};

// The window-system platform the game must ask its toolkit for, or nullptr to
// leave the choice to the toolkit. A Wayland compositor keeps the game's boxes
// modal and over the window only when the toolkit can tell it that a box is a
// modal dialog; where it cannot, the game goes through the session's X server
// (XWayland), unless the user chose a platform.
const char* platformForSession(const SessionEnvironment& environment,
                               bool toolkitMarksModalDialogs);
