#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader hears of a game, on the real accessibility bus.

Usage: hear_verdict.py GAME

Run inside a D-Bus session of its own (dbus-run-session). The script starts
the accessibility bus (at-spi-bus-launcher), a listener that records every
focus and object event the bus carries, Xvfb and GAME with its accessibility
switched on. It plays two questions with the keyboard: the first answered
right and left with Enter, the second answered wrong and left with Tab. It
checks that the events announcing the control that takes the focus carry the
verdict, that the count labels read the new counts, that before each answer
no event and no accessible text of the game carries the target (the only text
boxes on the bus are the two answer boxes), and that the next question tells
no verdict of the last. Everything it started stops with it.
"""

import json
import os
import select
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
import play_installed_game as play  # noqa: E402

APP = "Trovapunti"
RIGHT = "Esatto, è incredibile!!!"
ANSWER_BOXES = ("Ascissa", "Ordinata")
EVENTS = ("focus:", "object:", "window:")


def listen(log_path):
    """Appends one JSON line per event of the game to LOG_PATH until killed."""
    import pyatspi

    def texts(accessible):
        found = [accessible.name or "", accessible.description or ""]
        # What is typed into the answer boxes is the pupil's, not the game's.
        if found[0] not in ANSWER_BOXES:
            try:
                text = accessible.queryText()
                found.append(text.getText(0, text.characterCount))
            except NotImplementedError:
                pass
        return found

    with open(log_path, "a", encoding="utf-8") as log:
        def record(event):
            entry = {"type": event.type, "detail1": event.detail1, "texts": []}
            if isinstance(event.any_data, str):
                entry["any_data"] = event.any_data
            try:
                if event.host_application.name != APP:
                    return
                source = event.source
                entry.update(role=int(source.getRole()), name=source.name or "",
                             description=source.description or "", texts=texts(source))
            except Exception as error:  # the object is gone already: its data stays
                entry["unread"] = str(error)
            log.write(json.dumps(entry, ensure_ascii=False) + "\n")
            log.flush()

        pyatspi.Registry.registerEventListener(record, *EVENTS)
        print("listening", flush=True)
        pyatspi.Registry.start()


def read_events(log_path, start=0):
    with open(log_path, encoding="utf-8") as log:
        lines = log.read().split("\n")[:-1]  # the last line may be still being written
    return [json.loads(line) for line in lines[start:]]


def wait_for_event(log_path, start, what, matches):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        found = [e for e in read_events(log_path, start) if matches(e)]
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"no event {what}")


def tells_target(text, x, y, pairs_only=False):
    x, y = str(x), str(y)
    return (not pairs_only and text.strip() in (x, y)) or any(
        pair in text for pair in (f"{x};{y}", f"{x}; {y}", f"{x},{y}", f"{x}, {y}"))


def game_texts(pyatspi):
    """Every name, description and text of the game's accessible tree."""
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    apps = [a for a in apps if a is not None and a.name == APP]
    if not apps:
        raise AssertionError("the game is not on the accessibility bus")
    found, pending, boxes = [], [apps[0]], []
    while pending:
        node = pending.pop()
        found.append((node.name or "", node.getRoleName()))
        found.append((node.description or "", node.getRoleName()))
        try:
            if node.name not in ANSWER_BOXES:
                text = node.queryText()
                found.append((text.getText(0, text.characterCount), node.getRoleName()))
        except NotImplementedError:
            pass
        pending += [node.getChildAtIndex(i) for i in range(node.childCount)]
        if node.getRoleName() == "text":
            boxes.append(node.name)
    # The answer boxes are the only text boxes a client can reach.
    if sorted(boxes) != sorted(ANSWER_BOXES):
        raise AssertionError(f"the text boxes on the bus are {boxes}")
    return found


def check_nothing_tells(pyatspi, log_path, start, x, y):
    for text, role in game_texts(pyatspi):
        if tells_target(text, x, y):
            raise AssertionError(f"the {role} '{text}' tells the target ({x}, {y})")
    for event in read_events(log_path, start):
        # A box's text change tells what the pupil typed or what emptying it removed.
        typed = (event["type"].startswith("object:text-changed")
                 and event.get("name") in ANSWER_BOXES)
        # An object gone before the listener read it is one the window dropped
        # as it was built (a concealed caption's first interface), with its
        # start text: only a pair tells the target there.
        gone = "unread" in event
        for text in event.get("texts", []) + ([] if typed else [event.get("any_data", "")]):
            if tells_target(text, x, y, pairs_only=gone):
                raise AssertionError(f"the event {event} tells the target ({x}, {y})")


def focus_carrying(log_path, start, verdict):
    return wait_for_event(
        log_path, start, f"announces the focus with '{verdict}'",
        lambda e: e["type"].startswith("object:state-changed:focused") and e["detail1"] == 1
        and verdict in e.get("description", ""))


def count_named(log_path, start, name):
    return wait_for_event(log_path, start, f"names '{name}'",
                          lambda e: e.get("name") == name and "property-change" in e["type"])


def hear_verdict(session, log_path):
    import pyatspi

    play.greet(session)
    window = play.main_window(session)

    _, _, (x, y) = play.read_board(session, window)
    print(f"first question: ({x}, {y})")
    window_events = len(read_events(log_path))
    check_nothing_tells(pyatspi, log_path, 0, x, y)
    start = len(read_events(log_path))
    session.type_into(window, text=str(x), key="Return")
    session.type_into(window, text=str(y), key="Return")
    heard = focus_carrying(log_path, start, RIGHT)[0]
    if heard["name"] != "Nuovo calcolo" or heard["role"] != int(pyatspi.ROLE_PUSH_BUTTON):
        raise AssertionError(f"the verdict came with {heard}")
    print("heard:", json.dumps(heard, ensure_ascii=False))
    count_named(log_path, start, "Risposte esatte: 1")

    # The button brings the next question; its description is its own again.
    start = len(read_events(log_path))
    session.type_into(window, key="Return")
    time.sleep(0.5)
    _, _, (x, y) = play.read_board(session, window)
    print(f"second question: ({x}, {y})")
    check_nothing_tells(pyatspi, log_path, start, x, y)
    kept = [text for text, _ in game_texts(pyatspi) if RIGHT in text]
    if kept:
        raise AssertionError(f"the last verdict is still told: {kept}")
    start = len(read_events(log_path))
    wrong_y = 1 if y != 1 else 2
    session.type_into(window, text=str(x), key="Return")
    session.type_into(window, text=str(wrong_y), key="Tab")
    wrong = f"Sbagliato!! ( {x};{y} )"
    heard = focus_carrying(log_path, start, wrong)[0]
    if heard["name"] != "Ascissa":
        raise AssertionError(f"the verdict came with {heard}")
    print("heard:", json.dumps(heard, ensure_ascii=False))
    count_named(log_path, start, "Risposte errate: 1")
    count_named(log_path, start, "Risposte totali: 2")
    events = read_events(log_path)
    unread = [e for e in events[window_events:] if "unread" in e]
    print(f"{len(events)} events, {len(events) - window_events} since the first question was read, "
          f"{len(unread)} of them from objects already gone; the verdicts were heard")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--listen":
        listen(sys.argv[2])
        return
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit("run me inside dbus-run-session")
    with play.Session(sys.argv[1]) as session:
        session.start_accessibility_bus()
        log_path = os.path.join(session.runtime, "events.jsonl")
        open(log_path, "w").close()
        listener = subprocess.Popen([sys.executable, __file__, "--listen", log_path],
                                    env=session.env, start_new_session=True,
                                    stdout=subprocess.PIPE, text=True)
        session.groups.append(listener)
        ready, _, _ = select.select([listener.stdout], [], [], play.TIMEOUT)
        if not ready or listener.stdout.readline().strip() != "listening":
            raise AssertionError("the listener did not start")
        session.start_game()
        hear_verdict(session, log_path)


if __name__ == "__main__":
    play.run(main)
