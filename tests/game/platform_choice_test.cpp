// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/PlatformChoice.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string chosen(const SessionEnvironment& environment, bool toolkitMarksModalDialogs = false) {
    const char* platform = platformForSession(environment, toolkitMarksModalDialogs);
    return platform != nullptr ? platform : "(toolkit's choice)";
}
} // namespace

TEST(PlatformChoice, WaylandSessionsGoThroughXWaylandUnlessTheUserChose) {
    const std::string toolkit = "(toolkit's choice)";
    // GNOME's and sway's sessions, with XWayland running.
    EXPECT_EQ(chosen({nullptr, "wayland", "wayland-0", ":0"}), "xcb");
    EXPECT_EQ(chosen({nullptr, nullptr, "wayland-0", ":1"}), "xcb");
    EXPECT_EQ(chosen({"", "wayland", nullptr, ":0"}), "xcb");
    // The user's own choice stands, Wayland included.
    EXPECT_EQ(chosen({"wayland", "wayland", "wayland-0", ":0"}), toolkit);
    EXPECT_EQ(chosen({"offscreen", "wayland", "wayland-0", ":0"}), toolkit);
    // No X server to go through: Wayland it is.
    EXPECT_EQ(chosen({nullptr, "wayland", "wayland-0", nullptr}), toolkit);
    EXPECT_EQ(chosen({nullptr, "wayland", "wayland-0", ""}), toolkit);
    // X11 sessions and consoles.
    EXPECT_EQ(chosen({nullptr, "x11", nullptr, ":0"}), toolkit);
    EXPECT_EQ(chosen({nullptr, "tty", "", ":0"}), toolkit);
    EXPECT_EQ(chosen({}), toolkit);
    // A toolkit that tells the compositor its modal dialogs needs no detour.
    EXPECT_EQ(chosen({nullptr, "wayland", "wayland-0", ":0"}, true), toolkit);
}
