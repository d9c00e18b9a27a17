#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window, frame included, fits the screen under a window manager.

Usage: window_fits.py [--wm COMMAND] GAME SCREENSHOT_DIR SIZE...

For each SIZE (such as 1024x600) the script starts Xvfb with a screen of that
size, the window manager (openbox unless told) and GAME, closes the name box
and the greeting, and reads the window's frame from the window manager
(_NET_FRAME_EXTENTS) and its client area from the X server. It checks that
the frame lies wholly on the screen, that the window keeps the design's
proportions, and that a screen with room for the design size gets it: a
client area of 1016 x 722 under the menu bar. A screenshot of the whole
screen stays in SCREENSHOT_DIR for each size. Everything it started stops
with it.
"""

import argparse
import os
import re
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
import play_installed_game as play  # noqa: E402

DESIGN = (1016, 722)


def geometry(session, window):
    """The client area's (x, y, width, height) on the screen, and the frame's extents."""
    out = subprocess.run(["xwininfo", "-id", window], env=session.env, capture_output=True,
                         text=True, timeout=play.TIMEOUT).stdout
    value = {key: int(re.search(rf"{key}:\s+(-?\d+)", out).group(1))
             for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")}
    extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env=session.env,
                             capture_output=True, text=True, timeout=play.TIMEOUT).stdout
    numbers = [int(n) for n in re.findall(r"\d+", extents.split("=", 1)[-1])]
    left, right, top, bottom = numbers if len(numbers) == 4 else (0, 0, 0, 0)
    return ((value["Absolute upper-left X"], value["Absolute upper-left Y"], value["Width"],
             value["Height"]), (left, right, top, bottom))


def check_size(game, wm, size, screenshot_dir):
    width, height = (int(n) for n in size.split("x"))
    with play.Session(game, wm, screen=size) as session:
        session.start_game()
        play.greet(session)
        window = play.main_window(session)
        # The window manager may settle the frame a moment after the window shows.
        time.sleep(1.5)
        (x, y, w, h), (left, right, top, bottom) = geometry(session, window)
        # The root window's pixels, whatever its visual, as a PNG to look at.
        shot = subprocess.run(["xwd", "-silent", "-root"], env=session.env, capture_output=True,
                              check=True, timeout=play.TIMEOUT).stdout
        play.Screenshot(shot).save_png(os.path.join(screenshot_dir, f"screen-{size}.png"))
        frame = (x - left, y - top, x + w + right, y + h + bottom)
        print(f"{size}: client {w}x{h} at ({x}, {y}); frame {frame[0]},{frame[1]} to "
              f"{frame[2]},{frame[3]} (extents {left},{right},{top},{bottom})")
        if left + right + top + bottom == 0 and wm:
            raise AssertionError(f"{size}: the window manager framed nothing")
        if frame[0] < 0 or frame[1] < 0 or frame[2] > width or frame[3] > height:
            raise AssertionError(f"{size}: the frame {frame} leaves the screen {width}x{height}")
        if width >= 1800:
            if w != DESIGN[0] or not DESIGN[1] < h < DESIGN[1] + 60:
                raise AssertionError(f"{size}: the window is {w}x{h}, not the design size")
        elif abs(w / h - DESIGN[0] / DESIGN[1]) > 0.1:
            raise AssertionError(f"{size}: the window {w}x{h} lost the design's shape")


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("--wm", default="openbox")
    parser.add_argument("game")
    parser.add_argument("screenshot_dir")
    parser.add_argument("sizes", nargs="+")
    args = parser.parse_args()
    os.makedirs(args.screenshot_dir, exist_ok=True)
    for size in args.sizes:
        check_size(args.game, args.wm, size, args.screenshot_dir)
    print("the whole window fits every screen")


if __name__ == "__main__":
    play.run(main)
