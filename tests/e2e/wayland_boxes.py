#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole game natively on Wayland under GNOME Shell: every box opens
centred, the box over the window is its modal dialog, and the window does
not close under it.

Usage: wayland_boxes.py GAME

Run inside a D-Bus session of its own (dbus-run-session), which carries the
accessibility bus. A headless GNOME Shell serves Wayland beside an X server,
as on a GNOME desktop; GAME starts with nothing that chooses its platform, so
a Qt that tells the compositor which windows are modal dialogs runs natively.
The script closes each box with its OK button through the accessibility bus
(no X tool reaches a Wayland window) while the clock runs sixty times faster,
and asks the shell where each box opened. The name box and the greeting come
before the window, with no parent, and GNOME centres them on the screen; the
window is moved to a corner as soon as it opens, so that the farewell box
shows whether GNOME centred it on the window. Before the farewell box is
closed, the script asks the shell to close the window, as its close button
would.
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
import hear_verdict  # noqa: E402
import play_installed_game as play  # noqa: E402

# The game's windows as the shell sees them, with the work area of the
# monitor they are on (the screen less the shell's top bar).
WINDOWS = """
global.display.list_all_windows().map(w => {
    const frame = w.get_frame_rect();
    const area = w.get_work_area_current_monitor();
    return {
        title: w.get_title(), frame: [frame.x, frame.y, frame.width, frame.height],
        area: [area.x, area.y, area.width, area.height],
        parent: w.get_transient_for()?.get_title() ?? null,
        modal: w.get_window_type() === Meta.WindowType.MODAL_DIALOG,
        attached: w.is_attached_dialog(),
    };
})
"""

# A box's frame is centred when its centre lies this close to the centre of
# what it is centred on (odd sizes round).
SLACK = 2


def steady_windows(session, game, deadline):
    """The windows once one box has been placed: two readings alike."""
    last = None
    while time.monotonic() < deadline and game.poll() is None:
        windows = session.shell_eval(WINDOWS)
        if windows == last and len([w for w in windows if w["title"] != play.CAPTION]) == 1:
            return windows
        last = windows
        time.sleep(0.3)
    raise AssertionError(f"no box settled in the compositor: {last}")


def centred_on(inner, outer):
    """Whether the rectangle INNER is centred on OUTER, both (x, y, width, height)."""
    return all(abs((inner[i] + inner[i + 2] / 2) - (outer[i] + outer[i + 2] / 2)) <= SLACK
               for i in (0, 1))


def move_window_to_corner(session, windows):
    """Moves the window to the top left corner of its work area, as a pupil
    may drag it, so that a box centred on the screen is not centred on it.
    Returns whether the window is open."""
    window = next((w for w in windows if w["title"] == play.CAPTION), None)
    if window is not None and window["frame"][:2] != window["area"][:2]:
        session.shell_eval(f"global.display.list_all_windows().find(w => w.get_title() === "
                           f"{play.CAPTION!r}).move_frame(true, {window['area'][0]}, "
                           f"{window['area'][1]})")
    return window is not None


def check_box(windows):
    """The box opened where GNOME puts it: centred on the work area while
    the window is not open yet, else attached to the window as its modal
    dialog and centred on it. Returns whether the box is over the window."""
    box = next(w for w in windows if w["title"] != play.CAPTION)
    window = next((w for w in windows if w["title"] == play.CAPTION), None)
    if window is None:
        if box["parent"] is not None or not centred_on(box["frame"], box["area"]):
            raise AssertionError(f"a box before the window is not centred on the screen: {box}")
        return False
    if window["frame"][:2] != window["area"][:2]:
        raise AssertionError(f"the window was not moved off the centre: {window}")
    if (box["parent"] != play.CAPTION or not box["modal"] or not box["attached"]
            or not centred_on(box["frame"], window["frame"])):
        raise AssertionError(f"the box over the window is not its modal dialog centred on it: "
                             f"{box}, window {window}")
    return True


def close_under_box(session, game, requests_path):
    """Asks the compositor to close the window while the box is up, as its
    close button would: the request reaches the game, and the window and
    the game stay."""
    def closes():
        with open(requests_path, errors="replace") as requests:
            return len(re.findall(r"xdg_toplevel[@#]\d+\.close\(\)", requests.read()))

    before = closes()
    session.shell_eval(f"global.display.list_all_windows().find(w => w.get_title() === "
                       f"{play.CAPTION!r}).delete(global.get_current_time())")
    deadline = time.monotonic() + play.TIMEOUT
    while closes() == before:
        if time.monotonic() > deadline:
            raise AssertionError("the close request did not reach the game")
        time.sleep(0.2)
    time.sleep(1)  # time for the game to act on it
    titles = [w["title"] for w in session.shell_eval(WINDOWS)]
    if game.poll() is not None or play.CAPTION not in titles or len(titles) != 2:
        raise AssertionError(f"the window closed under the box: {titles}, game {game.poll()}")


def wait_until_closed(session, game, windows, deadline):
    """Waits until the box among WINDOWS has left the screen, or the game has ended."""
    box = next(w for w in windows if w["title"] != play.CAPTION)
    while game.poll() is None and box in session.shell_eval(WINDOWS):
        if time.monotonic() > deadline:
            raise AssertionError(f"the box stayed open after OK: {box}")
        time.sleep(0.2)


def play_game(pyatspi, session, requests_path, deadline):
    """Presses OK in each box of the game as it shows, until the game ends,
    once it is checked where the box opened; returns how many boxes opened
    before the window and over it."""
    game = session.process
    before_window = over_window = 0
    while game.poll() is None:
        if time.monotonic() > deadline:
            raise AssertionError("the game did not end")
        window_open = move_window_to_corner(session, session.shell_eval(WINDOWS))
        desktop = pyatspi.Registry.getDesktop(0)
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if app is None or app.name != hear_verdict.APP:
                continue
            for box in (app.getChildAtIndex(i) for i in range(app.childCount)):
                if box is None or box.getRole() not in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
                    continue
                button = pyatspi.findDescendant(
                    box, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK")
                if button is None:
                    continue
                if not window_open:
                    move_window_to_corner(session, session.shell_eval(WINDOWS))
                windows = steady_windows(session, game, deadline)
                print(f"box '{box.name}': {windows}", flush=True)
                if check_box(windows):
                    close_under_box(session, game, requests_path)
                    print("the window stayed open under the box", flush=True)
                    over_window += 1
                elif over_window:
                    raise AssertionError("a box without the window after the window")
                else:
                    before_window += 1
                button.queryAction().doAction(0)
                wait_until_closed(session, game, windows, deadline)
        time.sleep(0.3)
    return before_window, over_window


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me inside dbus-run-session")
    import pyatspi

    with play.Session(sys.argv[1], shell=True) as session:
        session.start_accessibility_bus()
        session.env.update(WAYLAND_DEBUG="client")
        requests_path = os.path.join(session.runtime, "wayland.log")
        with open(requests_path, "w") as requests:
            # Fifteen minutes last fifteen seconds.
            session.start_game(["faketime", "-f", "+0 x60"], stderr=requests)
            before_window, over_window = play_game(pyatspi, session, requests_path,
                                                   time.monotonic() + 120)

    # The game ends by itself only after its farewell box: every box was
    # shown and closed.
    if session.process.returncode != 0:
        raise AssertionError(f"the game ended with status {session.process.returncode}")
    # The name box and the greeting; the farewell (no record is beaten).
    if (before_window, over_window) != (2, 1):
        raise AssertionError(f"{before_window} boxes before the window and {over_window} over it, "
                             "not 2 and 1")
    print("the boxes opened centred, the one over the window as its modal dialog")


if __name__ == "__main__":
    play.run(main)
