#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the installed game in a real X server, like a pupil.

Usage: play_installed_game.py [OPTIONS] answer-right GAME SCREENSHOT_DIR
       play_installed_game.py [OPTIONS] window-icons GAME ICON_PNG DESKTOP_ENTRY
       play_installed_game.py results-log GAME WORK_DIR
       play_installed_game.py installed-game GAME SCREENSHOT_DIR

Options:
  --wm COMMAND       run a window manager on the X server first, as on a desktop
                     ("openbox", "dbus-run-session -- mutter --x11 --sm-disable")
  --wayland-session  start GAME as in a Wayland session with XWayland: a
                     headless Wayland compositor (mutter) runs beside the X
                     server, GAME gets XDG_SESSION_TYPE, WAYLAND_DISPLAY and
                     DISPLAY but no QT_QPA_PLATFORM, and must choose the X server

GAME must find a readable record pair at start. The script starts Xvfb and
GAME, types a name with accented letters and closes the greeting.
answer-right then finds the main window by its caption, reads the lit point
from a screenshot, answers it with the keyboard and checks the right-answer
message; the screenshots stay in SCREENSHOT_DIR. window-icons checks that the
name box, the greeting and the window carry the mascot of ICON_PNG as icon,
and the window class DESKTOP_ENTRY names (StartupWMClass), which ties them to
the menu entry.
results-log (as root) makes the keeper of WORK_DIR's installed game
set-group-id games, plays two whole games as two accounts outside the group,
with the clock sped up by faketime, and checks the two lines of the results
log, which the second account cannot read.
installed-game (as root) plays the game installed on the machine as an
account in no group, answers right and checks that the new-question button
shows its face and that Qt drew every picture it was given.
"""

import argparse
import csv
import grp
import json
import os
import pwd
import shlex
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

CAPTION = "Aiutami a trovare i punti nel piano cartesiano"
DIALOG_TITLE = "Trovapunti"
PLAYER = "Zoë Niccolò"
TIMEOUT = 30.0
WAYLAND_SOCKET = "trovapunti-e2e"

# The board: grid line k lies at 15 + round(66.8 k) from the left and at
# 22 + round(66.8 k) from the top; the axes cross at (349, 356).
BOARD = 705
Y_AXIS_COLUMN = 349
X_AXIS_ROW = 356
MARKER_DIAMETER = 25
PANEL_COLUMN = 688


def grid_column(k):
    return 15 + (668 * k + 5) // 10


def grid_row(k):
    return 22 + (668 * k + 5) // 10


class Screenshot:
    """A window's pixels, read from xwd's dump of a 24- or 32-bit visual."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, depth, self.width, self.height = fields[0], fields[3], fields[4], fields[5]
        byte_order, bits_per_pixel, self.stride = fields[7], fields[11], fields[12]
        masks, colours = fields[14:17], fields[19]
        if bits_per_pixel not in (24, 32) or depth < 24 or masks != (0xFF0000, 0xFF00, 0xFF):
            raise ValueError(f"unexpected screenshot format: {fields}")
        self.bytes_per_pixel = bits_per_pixel // 8  # a root window may pack 24 bits
        self.little_endian = byte_order == 0
        self.pixels = data[header_size + 12 * colours:]

    def rgb(self, x, y):
        i = y * self.stride + self.bytes_per_pixel * x
        if self.bytes_per_pixel == 3:
            b0, b1, b2 = self.pixels[i:i + 3]
            return (b2, b1, b0) if self.little_endian else (b0, b1, b2)
        b0, b1, b2, b3 = self.pixels[i:i + 4]
        return (b2, b1, b0) if self.little_endian else (b1, b2, b3)

    def find(self, matches, left, top, right, bottom):
        return [(x, y) for y in range(max(top, 0), min(bottom, self.height))
                for x in range(max(left, 0), min(right, self.width)) if matches(self.rgb(x, y))]

    def save_png(self, path):
        """Writes the screenshot as an RGB PNG, to look at when a check fails."""
        rows = b"".join(b"\0" + bytes(c for x in range(self.width) for c in self.rgb(x, y))
                        for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body)))

        with open(path, "wb") as png:
            png.write(b"\x89PNG\r\n\x1a\n" +
                      chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)) +
                      chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def is_red(rgb):
    r, g, b = rgb
    return r >= 200 and g <= 80 and b <= 80


def is_bright_green(rgb):
    r, g, b = rgb
    return g >= 200 and r <= 80 and b <= 80


def is_dark_green(rgb):
    r, g, b = rgb
    return 0x60 <= g <= 0xA0 and r <= 40 and b <= 40


class Session:
    """An Xvfb server and the game running on it, both stopped on leaving."""

    def __init__(self, game, wm=None, wayland_session=False, uid=None, screen="1280x1024",
                 shell=False):
        self.game = game
        self.screen_size = screen
        self.uid = uid
        self.wm_command = shlex.split(wm) if wm else None
        self.wayland_session = wayland_session or shell
        self.shell = shell
        self.shell_bus = None
        self.runtime = tempfile.mkdtemp(prefix="trovapunti-e2e-")
        self.xvfb = None
        self.groups = []  # the window manager and the compositor, each with its helpers
        self.process = None
        self.env = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.screen_size}x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        os.chmod(self.runtime, 0o700)
        if self.uid is not None:
            os.chown(self.runtime, self.uid, self.uid)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": f":{number}",
            "HOME": self.runtime,
            "XDG_RUNTIME_DIR": self.runtime,
            "LANG": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        }
        if self.wm_command:
            wm = self.start_group(self.wm_command)
            self.wait_until(wm, "the window manager takes the screen", lambda: "window id" in
                            subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                           env=self.env, capture_output=True, text=True,
                                           timeout=TIMEOUT).stdout)
        if self.shell:
            self.start_shell()
        elif self.wayland_session:
            compositor = self.start_group(
                ["dbus-run-session", "--", "mutter", "--wayland", "--headless", "--no-x11",
                 "--virtual-monitor", "1280x1024",
                 "--wayland-display", WAYLAND_SOCKET])
            socket = os.path.join(self.runtime, WAYLAND_SOCKET)
            self.wait_until(compositor, "the compositor listens", lambda: os.path.exists(socket))
        return self

    def start_shell(self):
        """Starts GNOME Shell as a headless Wayland compositor, as a GNOME
        session has it (XDG_CURRENT_DESKTOP=GNOME), on a D-Bus session of its
        own and a system bus of its own that offers no service. Unsafe mode
        lets shell_eval run JavaScript in it."""
        system_bus = os.path.join(self.runtime, "system-bus")
        self.wait_until(self.start_group(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                          f"--address=unix:path={system_bus}"]),
                        "the system bus listens", lambda: os.path.exists(system_bus))
        self.env.update(XDG_CURRENT_DESKTOP="GNOME")
        address_file = os.path.join(self.runtime, "shell-bus")
        shell = self.start_group(
            ["dbus-run-session", "--", "sh", "-c", 'printf %s "$DBUS_SESSION_BUS_ADDRESS" >"$0" '
             '&& exec "$@"', address_file,
             "gnome-shell", "--wayland", "--headless", "--no-x11", "--unsafe-mode",
             "--virtual-monitor", self.screen_size, "--wayland-display", WAYLAND_SOCKET],
            env=dict(self.env, DBUS_SYSTEM_BUS_ADDRESS=f"unix:path={system_bus}"))

        from gi.repository import Gio, GLib

        def answers():
            if self.shell_bus is None and os.path.getsize(address_file):
                with open(address_file) as address:
                    self.shell_bus = Gio.DBusConnection.new_for_address_sync(
                        address.read(), Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
            try:  # the top bar's place is kept from windows once the start-up is over
                return self.shell_bus is not None and self.shell_eval(
                    "global.context.unsafe_mode && !Main.layoutManager._startingUp")
            except GLib.Error:  # not on the bus yet
                return False
        self.wait_until(shell, "GNOME Shell has started", lambda: os.path.exists(address_file)
                        and answers())

    def shell_eval(self, code):
        """What the JavaScript CODE gives in GNOME Shell, through JSON."""
        from gi.repository import GLib
        ok, result = self.shell_bus.call_sync(
            "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
            GLib.Variant("(s)", (code,)), GLib.VariantType("(bs)"), 0, int(TIMEOUT * 1000),
            None).unpack()
        if not ok:
            raise AssertionError(f"GNOME Shell failed on {code}: {result}")
        return json.loads(result) if result else None

    def start_group(self, command, env=None):
        """Starts COMMAND in a process group of its own, stopped whole on leaving."""
        process = subprocess.Popen(command, env=env or self.env, start_new_session=True,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.groups.append(process)
        return process

    def start_accessibility_bus(self):
        """Starts the accessibility bus on the D-Bus session the script runs
        in (dbus-run-session) and switches the game's accessibility on."""
        self.env.update(DBUS_SESSION_BUS_ADDRESS=os.environ["DBUS_SESSION_BUS_ADDRESS"],
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        bus = self.start_group(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.wait_until(bus, "the accessibility bus starts", lambda: "true" in subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            env=self.env, capture_output=True, text=True, timeout=TIMEOUT).stdout)

    def wait_until(self, process, what, ready):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if process.poll() is not None:
                raise AssertionError(f"{process.args[0]} ended before {what}")
            if ready():
                return
            time.sleep(0.2)
        raise AssertionError(f"timed out: {what}")

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)
        for group in self.groups:
            for sig in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(group.pid, sig)
                    group.wait(timeout=10)
                    break
                except ProcessLookupError:
                    break
                except subprocess.TimeoutExpired:
                    continue
        for process in (self.process, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        subprocess.run(["rm", "-rf", self.runtime], check=False)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=TIMEOUT).stdout.split()

    def start_game(self, prefix=(), **options):
        env = dict(self.env)
        if self.wayland_session:
            del env["QT_QPA_PLATFORM"]
            env.update(XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY=WAYLAND_SOCKET)
        self.process = subprocess.Popen([*prefix, self.game], env=env, **options)

    def window_class(self, window):
        """The window's WM_CLASS: (instance, class)."""
        out = subprocess.run(["xprop", "-id", window, "WM_CLASS"], env=self.env,
                             capture_output=True, text=True, timeout=TIMEOUT).stdout
        return tuple(part.strip().strip('"') for part in out.split("=", 1)[-1].split(","))

    def wait_for_window(self, title, other_than=()):
        """The visible window called exactly TITLE, not one of OTHER_THAN."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError(f"the game ended early with status {self.process.returncode}")
            found = [w for w in self.xdotool("search", "--onlyvisible", "--name", f"^{title}$")
                     if w not in other_than]
            if found:
                return found[0]
            time.sleep(0.2)
        raise AssertionError(f"no window '{title}' appeared")

    def wait_until_gone(self, window):
        deadline = time.monotonic() + TIMEOUT
        while window in self.xdotool("search", "--onlyvisible", "--name", "."):
            if time.monotonic() > deadline:
                raise AssertionError(f"window {window} stayed open")
            time.sleep(0.2)

    def type_into(self, window, text=None, key=None):
        self.xdotool("windowfocus", window)
        time.sleep(0.2)
        if text:
            self.xdotool("type", "--delay", "60", "--", text)
        if key:
            self.xdotool("key", key)

    def window_icons(self, window):
        """The window's icon pictures: {(width, height): [ARGB cardinals]}."""
        out = subprocess.run(["xprop", "-id", window, "-notype", "-f", "_NET_WM_ICON", "32c",
                              " = $0+\\n", "_NET_WM_ICON"], env=self.env, capture_output=True,
                             text=True, timeout=TIMEOUT).stdout
        if " = " not in out:
            return {}
        values = [int(v) for v in out.split(" = ", 1)[1].replace(",", " ").split()]
        icons = {}
        while len(values) >= 2:
            width, height = values[0], values[1]
            icons[(width, height)] = values[2:2 + width * height]
            values = values[2 + width * height:]
        return icons

    def screenshot(self, window):
        dump = subprocess.run(["xwd", "-silent", "-id", window], env=self.env,
                              capture_output=True, check=True, timeout=TIMEOUT).stdout
        return Screenshot(dump)


def board_origin(shot):
    """The board's top-left pixel in the screenshot, found from its black axes."""
    black = (0, 0, 0)
    columns = [x for x in range(shot.width)
               if sum(shot.rgb(x, y) == black for y in range(0, shot.height, 2)) >= 300]
    rows = [y for y in range(shot.height)
            if sum(shot.rgb(x, y) == black for x in range(0, shot.width, 2)) >= 300]
    if len(columns) != 1 or len(rows) != 1:
        raise AssertionError(f"axes not found: columns {columns}, rows {rows}")
    return columns[0] - Y_AXIS_COLUMN, rows[0] - X_AXIS_ROW


def components(pixels):
    """Groups pixels into 8-connected patches."""
    left = set(pixels)
    patches = []
    while left:
        stack = [left.pop()]
        patch = []
        while stack:
            x, y = stack.pop()
            patch.append((x, y))
            for neighbour in ((x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                if neighbour in left:
                    left.remove(neighbour)
                    stack.append(neighbour)
        patches.append(patch)
    return patches


def lit_point(shot, left, top):
    """The lattice point under the one red dot on the board."""
    # The panel's red labels begin at column 688 and may reach over the board.
    patches = [p for p in components(shot.find(is_red, left, top, left + BOARD, top + BOARD))
               if min(x for x, _ in p) < left + PANEL_COLUMN]
    if len(patches) != 1:
        raise AssertionError(f"{len(patches)} red patches on the board, not one dot")
    xs = [x for x, _ in patches[0]]
    ys = [y for _, y in patches[0]]
    width, height = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
    disc_area = 3.14159 * (MARKER_DIAMETER / 2) ** 2
    if (abs(width - MARKER_DIAMETER) > 2 or abs(height - MARKER_DIAMETER) > 2
            or len(xs) < 0.8 * disc_area):
        raise AssertionError(f"the red patch is no dot: {len(xs)} pixels in {width}x{height}")
    centre_x = (min(xs) + max(xs)) / 2 - left
    centre_y = (min(ys) + max(ys)) / 2 - top
    k_x = min(range(11), key=lambda k: abs(grid_column(k) - centre_x))
    k_y = min(range(11), key=lambda k: abs(grid_row(k) - centre_y))
    if abs(grid_column(k_x) - centre_x) > 8 or abs(grid_row(k_y) - centre_y) > 8:
        raise AssertionError(f"the red dot at ({centre_x}, {centre_y}) is on no lattice point")
    return k_x - 5, 5 - k_y


def read_png(path):
    """Width, height and RGBA rows of an 8-bit RGBA PNG, as Qt writes them."""
    with open(path, "rb") as png:
        data = png.read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise ValueError(f"{path}: not an 8-bit RGBA PNG")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, previous = zlib.decompress(idat), 4 * width, [], bytearray(4 * width)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = previous[i]
            c = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, rows


def same_picture(icon_pixels, png_rows, tolerance=40, share=0.1):
    """Whether ARGB cardinals show the PNG's picture: drawn by another
    rasteriser, at most SHARE of the pixels differ by more than TOLERANCE."""
    differing = total = 0
    for y, row in enumerate(png_rows):
        for x in range(len(row) // 4):
            r, g, b, a = row[4 * x:4 * x + 4]
            argb = icon_pixels[y * (len(row) // 4) + x]
            ia, ir, ig, ib = argb >> 24, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF
            total += 1
            worst = abs(ia - a)
            if a == 255:
                worst = max(worst, abs(ir - r), abs(ig - g), abs(ib - b))
            differing += worst > tolerance
    return differing <= share * total


def greet(session, inspect=None):
    """Types the player's name and closes the greeting, showing each box to INSPECT."""
    name_box = session.wait_for_window(DIALOG_TITLE)
    if inspect:
        inspect(name_box, "the name box")
    session.type_into(name_box, text=PLAYER, key="Return")
    session.wait_until_gone(name_box)
    greeting = session.wait_for_window(DIALOG_TITLE, other_than=[name_box])
    if inspect:
        inspect(greeting, "the greeting")
    session.type_into(greeting, key="Return")
    session.wait_until_gone(greeting)


def main_window(session):
    window = session.wait_for_window(CAPTION)
    if session.xdotool("search", "--onlyvisible", "--name", f"^{DIALOG_TITLE}$"):
        raise AssertionError("a message box is open beside the window (record directory?)")
    session.xdotool("windowfocus", window)
    time.sleep(1.0)
    return window


def read_board(session, window, save_as=None):
    """The window's screenshot, the board's top-left corner in it and the lit point.

    A loaded machine may paint late: the board is read again until it is complete.
    """
    deadline = time.monotonic() + 10
    while True:
        shot = session.screenshot(window)
        if save_as:
            shot.save_png(save_as)
        try:
            left, top = board_origin(shot)
            return shot, (left, top), lit_point(shot, left, top)
        except AssertionError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.3)


def answer_right(session, screenshot_dir):
    greet(session)
    window = main_window(session)

    shot, (left, top), (x, y) = read_board(session, window,
                                           os.path.join(screenshot_dir, "question.png"))
    print(f"board at ({left}, {top}); lit point ({x}, {y})")
    # The name box's text reached the player's name label.
    if len(shot.find(is_dark_green, left + 704, top + 616, left + 1016, top + 650)) < 20:
        raise AssertionError("the player's name does not show in the window")
    message_area = (left + 300, top + 90, left + 705, top + 170)
    wrong_area = (left + 200, top, left + 705, top + 40)  # may hold the dot too
    if shot.find(is_bright_green, *message_area):
        raise AssertionError("a right-answer message shows before any answer")
    red_before = set(shot.find(is_red, *wrong_area))

    session.type_into(window, text=str(x), key="Return")
    session.type_into(window, text=str(y), key="Return")

    deadline = time.monotonic() + 10
    while True:
        time.sleep(0.3)
        shot = session.screenshot(window)
        message = shot.find(is_bright_green, *message_area)
        wrong = set(shot.find(is_red, *wrong_area)) - red_before
        if message or wrong or time.monotonic() > deadline:
            break
    shot.save_png(os.path.join(screenshot_dir, "answer.png"))
    print(f"right-answer ink: {len(message)} pixels; wrong-answer ink: {len(wrong)} pixels")
    if len(message) < 100:
        raise AssertionError("the right-answer message did not appear")
    if wrong:
        raise AssertionError("the wrong-answer message appeared")
    if session.process.poll() is not None:
        raise AssertionError("the game ended during the question")
    print("the pupil answered right")
    return window, (left, top)


def startup_wm_class(desktop_entry):
    with open(desktop_entry) as entry:
        for line in entry:
            if line.startswith("StartupWMClass="):
                return line.split("=", 1)[1].strip()
    raise AssertionError(f"{desktop_entry} names no StartupWMClass")


def window_icons(session, icon_png, desktop_entry):
    width, height, mascot = read_png(icon_png)
    menu_class = startup_wm_class(desktop_entry)

    def check(window, what):
        time.sleep(0.5)  # the icon property follows the window's mapping
        icons = session.window_icons(window)
        if (width, height) not in icons:
            raise AssertionError(f"{what} has no {width}x{height} icon (sizes {sorted(icons)})")
        if not same_picture(icons[(width, height)], mascot):
            raise AssertionError(f"{what} shows another icon than the mascot")
        wm_class = session.window_class(window)
        if len(wm_class) != 2 or wm_class[1] != menu_class:
            raise AssertionError(f"{what} has the window class {wm_class}, the menu entry "
                                 f"{menu_class}")

    greet(session, check)
    check(main_window(session), "the main window")
    print(f"the name box, the greeting and the window show the mascot, class {menu_class}")


def free_id(exists, start):
    while True:
        try:
            exists(start)
        except KeyError:
            return start
        start += 1


def play_whole_game(game, uid, name, right):
    """Plays one game as account UID, answering one question right or wrong."""
    with Session(game, uid=uid) as session:
        # The clock runs 30 times faster: the fifteen minutes last 30 s.
        session.start_game(["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups", "--",
                            "faketime", "-f", "+0 x30"])
        name_box = session.wait_for_window(DIALOG_TITLE)
        session.type_into(name_box, text=name, key="Return")
        session.wait_until_gone(name_box)
        answered = False
        deadline = time.monotonic() + 120
        while session.process.poll() is None:
            if time.monotonic() > deadline:
                raise AssertionError("the game did not end")
            # Every box (greeting, farewell, record) is closed with Enter.
            boxes = session.xdotool("search", "--onlyvisible", "--name", f"^({DIALOG_TITLE}|Data .*)$")
            if boxes:
                session.type_into(boxes[0], key="Return")
                time.sleep(0.3)
                continue
            windows = session.xdotool("search", "--onlyvisible", "--name", f"^{CAPTION}$")
            if windows and not answered:
                window = windows[0]
                session.xdotool("windowfocus", window)
                time.sleep(0.5)
                _, _, (x, y) = read_board(session, window)
                if not right:
                    x = x + 1 if x < 5 else x - 1
                session.type_into(window, text=str(x), key="Return")
                session.type_into(window, text=str(y), key="Return")
                answered = True
            time.sleep(0.3)
        if session.process.returncode != 0:
            raise AssertionError(f"the game ended with status {session.process.returncode}")
        if not answered:
            raise AssertionError("the main window never showed")


def results_log(game, work_dir):
    if os.geteuid() != 0 or not shutil.which("setpriv") or not shutil.which("faketime"):
        print("SKIP: needs root, setpriv and faketime")
        sys.exit(77)
    games = grp.getgrnam("games").gr_gid
    keeper = os.path.join(work_dir, "root/usr/libexec/trovapunti/trovapunti-record")
    records = os.path.join(work_dir, "records")
    log = os.path.join(records, "risultati.csv")
    # As the package sets them up, the record directory shut to all but the group.
    os.chown(keeper, 0, games)
    os.chmod(keeper, 0o2755)
    os.chown(records, 0, games)
    os.chmod(records, 0o2770)
    for entry in os.listdir(records):
        if entry.startswith("risultati"):
            os.remove(os.path.join(records, entry))
        else:
            os.chown(os.path.join(records, entry), 0, games)
    first = free_id(pwd.getpwuid, 47400)
    second = free_id(pwd.getpwuid, first + 1)
    teacher = free_id(pwd.getpwuid, second + 1)

    play_whole_game(game, first, PLAYER, right=True)
    play_whole_game(game, second, '=Bruno; "B"', right=False)

    for _ in range(100):  # the keeper writes after the game has gone
        if os.path.exists(log) and open(log, "rb").read().count(b"\n") >= 3:
            break
        time.sleep(0.1)
    with open(log, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f, delimiter=";"))
    print("\n".join(";".join(row) for row in rows))
    # Text holding a digit is kept from becoming a number by an apostrophe.
    host = os.uname().nodename
    host = "'" + host if any(c.isdigit() for c in host) else host
    expected = [[host, f"'{first}", PLAYER, "1", "0", "1", "sì"],
                [host, f"'{second}", "'=Bruno; \"B\"", "0", "1", "1", "no"]]
    if rows[0][:3] != ["data", "ora", "computer"] or [row[2:] for row in rows[1:]] != expected:
        raise AssertionError(f"the log holds {rows}, not the two games")

    def as_account(uid, gid):
        return subprocess.run(["setpriv", f"--reuid={uid}", f"--regid={gid}", "--clear-groups",
                               "--", "cat", log], capture_output=True, timeout=TIMEOUT)
    if as_account(first, first).returncode == 0 or as_account(second, second).returncode == 0:
        raise AssertionError("a pupil's account read the results log")
    if as_account(teacher, games).stdout != open(log, "rb").read():
        raise AssertionError("an account of group games could not read the results log")
    print("two accounts played, both lines are in the log; a pupil cannot read it, a teacher can")


# The new-question button, in window pixels.
BUTTON = (704, 448, 121, 73)


def installed_game(game, screenshot_dir):
    if os.geteuid() != 0:
        print("SKIP: needs root to play as another account")
        sys.exit(77)
    os.makedirs(screenshot_dir, exist_ok=True)
    uid = free_id(pwd.getpwuid, 47500)
    with Session(game, uid=uid) as session:
        session.start_game(["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups", "--"],
                           stderr=subprocess.PIPE, text=True)
        window, (left, top) = answer_right(session, screenshot_dir)
        shot = session.screenshot(window)
        x, y, width, height = BUTTON
        # The face's warm colours: the button's own colour is cyan, its
        # bevel white and grey, its caption black.
        face = shot.find(lambda rgb: rgb[0] > 150 and rgb[2] < 120, left + x + 4, top + y + 4,
                         left + x + width - 4, top + y + height - 4)
        print(f"face ink on the button: {len(face)} pixels")
        session.process.terminate()
        _, errors = session.process.communicate(timeout=TIMEOUT)
    print(errors, end="")
    if len(face) < 100:
        raise AssertionError("the new-question button shows no face")
    if "Cannot create bitmap cursor" in errors or "Unsupported image format" in errors:
        raise AssertionError("Qt could not draw a picture of the game")
    print("an account in no group played the installed game and saw the button's face")


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("--wm")
    parser.add_argument("--wayland-session", action="store_true")
    parser.add_argument("action",
                        choices=("answer-right", "window-icons", "results-log", "installed-game"))
    parser.add_argument("game")
    parser.add_argument("where", nargs="+")
    args = parser.parse_args()
    if len(args.where) != (2 if args.action == "window-icons" else 1):
        sys.exit(__doc__)
    if args.action == "results-log":
        results_log(args.game, args.where[0])
        return
    if args.action == "installed-game":
        installed_game(args.game, args.where[0])
        return
    with Session(args.game, args.wm, args.wayland_session) as session:
        session.start_game()
        if args.action == "answer-right":
            answer_right(session, args.where[0])
        else:
            window_icons(session, *args.where)


def run(main):
    """Runs a test script's MAIN: a failed check ends it with its reason and status 1."""
    try:
        main()
    except AssertionError as failure:
        print("FAIL:", failure)
        sys.exit(1)


if __name__ == "__main__":
    run(main)
