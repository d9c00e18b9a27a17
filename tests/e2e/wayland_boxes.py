#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole game natively on Wayland: every box is a modal dialog there.

Usage: wayland_boxes.py GAME

Run inside a D-Bus session of its own (dbus-run-session). A headless mutter
serves Wayland beside an X server, as on a GNOME desktop; GAME starts with
nothing that chooses its platform, so a Qt that tells the compositor which
windows are modal dialogs runs natively. The script closes each box with its
OK button through the accessibility bus (no X tool reaches a Wayland window)
while the clock runs sixty times faster, and reads the Wayland requests the
game sent: it must bind xdg_wm_dialog_v1 and make the farewell box a modal dialog
with the window as its parent, so that the compositor keeps it over the
window and the window from closing under it.
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
import hear_verdict  # noqa: E402
import play_installed_game as play  # noqa: E402

# The name box and the greeting come before the window and have no parent:
# Wayland gives a box without a parent no modality to keep, and Qt makes it
# a plain window. The farewell box (no record is beaten) has the window.
BOXES_OVER_THE_WINDOW = 1


def press_ok_in_boxes(pyatspi, game, deadline):
    """Presses OK in each box of the game as it shows, until the game ends."""
    while game.poll() is None:
        if time.monotonic() > deadline:
            raise AssertionError("the game did not end")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if app is None or app.name != hear_verdict.APP:
                continue
            for box in (app.getChildAtIndex(i) for i in range(app.childCount)):
                if box is None or box.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
                    continue
                button = pyatspi.findDescendant(
                    box, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK")
                if button is not None:
                    print(f"box '{box.name}': OK", flush=True)
                    button.queryAction().doAction(0)
                    time.sleep(0.5)
        time.sleep(0.3)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me inside dbus-run-session")
    import pyatspi

    with play.Session(sys.argv[1], wayland_session=True) as session:
        session.start_accessibility_bus()
        session.env.update(WAYLAND_DEBUG="client")
        requests_path = os.path.join(session.runtime, "wayland.log")
        with open(requests_path, "w") as requests:
            # Fifteen minutes last fifteen seconds.
            session.start_game(["faketime", "-f", "+0 x60"], stderr=requests)
            press_ok_in_boxes(pyatspi, session.process, time.monotonic() + 120)
        with open(requests_path, errors="replace") as requests:
            log = requests.read()

    # The game ends by itself only after its farewell box: every box was
    # shown and closed.
    if session.process.returncode != 0:
        raise AssertionError(f"the game ended with status {session.process.returncode}")
    if not re.search(r'\.bind\(\d+, "xdg_wm_dialog_v1"', log):
        raise AssertionError("the game did not bind xdg_wm_dialog_v1: it ran "
                             + ("without it" if "xdg_toplevel" in log else "through X"))
    # Object numbers are used again once freed: requests are counted.
    # libwayland writes an object as interface@number, or interface#number.
    dialogs = len(re.findall(r"\.get_xdg_dialog\(new id xdg_dialog_v1[@#]\d+, xdg_toplevel[@#]",
                             log))
    modal = len(re.findall(r"xdg_dialog_v1[@#]\d+\.set_modal\(\)", log))
    parented = len(re.findall(r"xdg_toplevel[@#]\d+\.set_parent\(xdg_toplevel[@#]\d+\)", log))
    if not dialogs:
        print("\n".join(line for line in log.splitlines() if "dialog" in line or "set_parent" in line))
    print(f"{dialogs} dialogs, {modal} made modal, {parented} given a parent window")
    if modal < BOXES_OVER_THE_WINDOW or dialogs < modal or parented < modal:
        raise AssertionError("the farewell box was not a modal dialog of the window")
    print("the box over the window was a modal dialog with the window as its parent")

if __name__ == "__main__":
    play.run(main)
