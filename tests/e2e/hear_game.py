#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a pupil who cannot see hears of a whole game, through the Orca screen reader.

Usage: hear_game.py GAME RECORD_DIR

Run inside a D-Bus session of its own (dbus-run-session). The script starts
Xvfb with openbox (Orca follows the focus only in the window the window
manager made active), the accessibility bus, speech-dispatcher with a configuration of its
own (every message logged, espeak-ng speaking into /dev/null, no sound
device), Orca and GAME, whose clock runs faster under faketime. It plays a
short game with the keyboard: the name, the greeting, a question answered
right, one answered wrong, then it waits for the end. From speech-dispatcher's
log, what Orca said, it checks that the pupil hears the name prompt, the
greeting, a notice of each new question (once, before any key), each verdict,
and at the end the farewell with the score; and that nothing spoken before an
answer tells the lit point. The record files in RECORD_DIR are put back as
they were.
Everything it started stops with it; the spoken lines are printed.
"""

import html
import os
import re
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
import hear_verdict  # noqa: E402
import play_installed_game as play  # noqa: E402

# The game's clock runs this many times faster: the fifteen minutes last 60 s.
SPEED = 15
GAME_SECONDS = 900 / SPEED
NEW_QUESTION = "Nuovo punto da trovare"
RIGHT = "Esatto, è incredibile!!!"
PROMPT = "Come ti chiami?"
GREETING = "vediamo se sei un vero campione"
FAREWELL = "Ciao a presto"
MESSAGE = re.compile(r"Queueing message \|(.*?)\| with priority", re.S)
TAG = re.compile(r"<[^>]*>")

SPEECHD_CONF = """LogLevel 5
LogDir "{log_dir}"
AudioOutputMethod "libao"
AddModule "quiet" "sd_generic" "quiet.conf"
DefaultModule quiet
"""
# espeak-ng reads every message and writes the sound into /dev/null.
QUIET_MODULE = """GenericExecuteSynth "printf %s \\'$DATA\\' | espeak-ng --stdin -w /dev/null"
AddVoice "it" "MALE1" "it"
AddVoice "en" "MALE1" "en"
"""


class Speech:
    """The messages Orca sent to speech-dispatcher, in order, from its log."""

    def __init__(self, log_path):
        self.log_path = log_path

    def lines(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as log:
                messages = MESSAGE.findall(log.read())
        except FileNotFoundError:
            return []
        # Orca marks every word in SSML.
        return [" ".join(html.unescape(TAG.sub("", m)).split()) for m in messages]

    def wait_for(self, start, what, matches, timeout=15):
        """The lines from START on, once one of them matches."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            lines = self.lines()[start:]
            if any(matches(line) for line in lines):
                return lines
            time.sleep(0.2)
        raise AssertionError(f"Orca did not say {what}; it said {self.lines()[start:]}")

    def settle(self, quiet=1.0, timeout=10):
        """Waits until Orca has said nothing new for QUIET seconds."""
        deadline = time.monotonic() + timeout
        count, since = len(self.lines()), time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - since < quiet:
            time.sleep(0.2)
            now = len(self.lines())
            if now != count:
                count, since = now, time.monotonic()


def start_speech(session):
    conf = os.path.join(session.runtime, ".config", "speech-dispatcher")
    log_dir = os.path.join(session.runtime, "speech-log")
    os.makedirs(os.path.join(conf, "modules"))
    os.makedirs(log_dir)
    with open(os.path.join(conf, "speechd.conf"), "w") as f:
        f.write(SPEECHD_CONF.format(log_dir=log_dir))
    with open(os.path.join(conf, "modules", "quiet.conf"), "w") as f:
        f.write(QUIET_MODULE)
    # libao, the one audio output that needs no device, plays into nothing.
    with open(os.path.join(session.runtime, ".libao"), "w") as f:
        f.write("default_driver=null\n")
    server = session.start_group(["speech-dispatcher", "--run-single", "--timeout", "0",
                                  "--config-dir", conf])
    socket = os.path.join(session.runtime, "speech-dispatcher", "speechd.sock")
    session.wait_until(server, "speech-dispatcher listens", lambda: os.path.exists(socket))
    return Speech(os.path.join(log_dir, "speech-dispatcher.log"))


def answer(session, window, speech, x, y, verdict):
    """Types the answer with Enter after each box; returns what Orca said of it."""
    start = len(speech.lines())
    session.type_into(window, text=str(x), key="Return")
    session.type_into(window, text=str(y), key="Return")
    return speech.wait_for(start, f"the verdict '{verdict}'", lambda line: verdict in line)


def hear_question(speech, start, x, y):
    """Checks what Orca said since START, as the question came and before any key."""
    speech.wait_for(start, "the new question", lambda line: NEW_QUESTION in line)
    speech.settle()
    heard = speech.lines()[start:]
    notices = [line for line in heard if NEW_QUESTION in line]
    if len(notices) != 1:
        raise AssertionError(f"the new question was told {len(notices)} times: {heard}")
    told = [line for line in heard if hear_verdict.tells_target(line, x, y)]
    if told:
        raise AssertionError(f"Orca told the point ({x}, {y}) before the answer: {told}")
    return notices[0]


def hear_game(session, speech):
    start = len(speech.lines())
    name_box = session.wait_for_window(play.DIALOG_TITLE)
    speech.wait_for(start, "the name prompt", lambda line: PROMPT in line)
    start = len(speech.lines())
    session.type_into(name_box, text=play.PLAYER, key="Return")
    session.wait_until_gone(name_box)
    greeting = session.wait_for_window(play.DIALOG_TITLE, other_than=[name_box])
    speech.wait_for(start, "the greeting", lambda line: GREETING in line)
    speech.settle()
    start = len(speech.lines())
    session.type_into(greeting, key="Return")
    session.wait_until_gone(greeting)
    ends_by = time.monotonic() + GAME_SECONDS

    window = session.wait_for_window(play.CAPTION)
    _, _, (x, y) = play.read_board(session, window)
    print(f"first question: ({x}, {y})")
    hear_question(speech, start, x, y)
    answer(session, window, speech, x, y, RIGHT)

    speech.settle()
    start = len(speech.lines())
    session.type_into(window, key="Return")
    time.sleep(0.5)
    _, _, (x, y) = play.read_board(session, window)
    print(f"second question: ({x}, {y})")
    hear_question(speech, start, x, y)
    wrong_y = 1 if y != 1 else 2
    answer(session, window, speech, x, wrong_y, f"Sbagliato!! ( {x};{y} )")

    # The clock runs out: the farewell tells the score.
    speech.settle()
    start = len(speech.lines())
    while True:
        found = session.xdotool("search", "--onlyvisible", "--name", "^Data .*$")
        if found:
            farewell = found[0]
            break
        if session.process.poll() is not None or time.monotonic() > ends_by + play.TIMEOUT:
            raise AssertionError("the clock ran out without a farewell")
        time.sleep(0.5)
    score = ("Risposte esatte: 1", "Risposte errate: 1", "Risposte totali: 2")
    speech.wait_for(start, "the farewell", lambda line: FAREWELL in line)
    speech.wait_for(start, "the score", lambda line: all(s in line for s in score))
    session.type_into(farewell, key="Return")
    # The record box, if this game beat the record, is closed too.
    deadline = time.monotonic() + play.TIMEOUT
    while session.process.poll() is None and time.monotonic() < deadline:
        boxes = session.xdotool("search", "--onlyvisible", "--name", f"^{play.DIALOG_TITLE}$")
        if boxes:
            time.sleep(1.0)
            session.type_into(boxes[0], key="Return")
        time.sleep(0.3)
    if session.process.poll() is None:
        raise AssertionError("the game did not end")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me inside dbus-run-session")
    game, records = sys.argv[1:]
    saved = {}
    for name in ("crt.txt", "ncrt.txt"):
        with open(os.path.join(records, name), "rb") as f:
            saved[name] = f.read()
    try:
        with play.Session(game, wm="openbox") as session:
            session.start_accessibility_bus()
            speech = start_speech(session)
            orca = session.start_group(["orca", "--replace"])
            session.wait_until(orca, "Orca speaks", lambda: speech.lines())
            speech.settle()
            session.start_game(["faketime", "-f", f"+0 x{SPEED}"])
            try:
                hear_game(session, speech)
            finally:
                print("Orca said:")
                for line in speech.lines():
                    print("  " + line)
    finally:
        # The record this game may have set is not the machine's.
        for name, content in saved.items():
            with open(os.path.join(records, name), "wb") as f:
                f.write(content)
    print("the pupil heard the prompt, the greeting, each question, each verdict and the score")


if __name__ == "__main__":
    play.run(main)
