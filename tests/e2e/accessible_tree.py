#!/usr/bin/python3
"""Reads the running program's accessible tree the way a screen reader or an outside test driver
does, and checks that the setup window's controls can be found by role, name and description,
and that labels showing data are read out with it, the launch record's among them.
"accessible_tree.py press NAME" presses the menu item NAME and returns when the program answers.
"accessible_tree.py status" prints the line the launch screen shows the operator at its foot
("LabStatus") while it is on screen, nothing while it is hidden; fails without a launch screen.
"accessible_tree.py sound play|nodevice" presses the sound test's button and checks what the
operator sees: the status label with the time left, then "Stopped"; or the no-device message."""
import re
import subprocess
import sys
import time

import pyatspi


def wait_for(what, seconds):
    """what()'s first true result within the given seconds, else None."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        result = what()
        if result:
            return result
        time.sleep(0.1)
    return None


def wait_for_app(name="vesk-stagor"):
    """The program on the accessibility bus once it has a window, waiting up to 30 s."""
    return wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                  if a is not None and a.name == name and a.childCount > 0),
                                 None), 30)


def walk(node, depth=0):
    """node and every node under it, to a depth of 12."""
    if node is None or depth > 12:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def find(node, predicate):
    return next((n for n in walk(node) if predicate(n)), None)


def press_menu_item(name):
    """Presses the menu item; the call returns once what it opened has closed, or times out."""
    app = wait_for_app()
    item = app and find(app, lambda n: n.getRoleName() == "menu item" and n.name == name)
    if item is None:
        print("FAIL: no menu item", name)
        return 1
    try:
        item.queryAction().doAction(0)
    except Exception:  # a modal window keeps the answer back past the bus's time limit
        pass
    return 0


def check_record_window(app):
    """Opens the launch record (the script wrote one launch of "Ada") and reads its list."""
    # The record window is modal: the press waits for it, so another process makes it.
    presser = subprocess.Popen([sys.executable, __file__, "press", "Display Record"])
    try:
        window = wait_for(lambda: find(app, lambda n: n.description == "frmRecord"), 20)
        record = window and wait_for(lambda: find(
            window, lambda n: n.description == "LstRecord"
            and n.name == "Launch record: 1 presentation"), 10)
        if record is None:
            shown = window and find(window, lambda n: n.description == "LstRecord")
            return "the launch record list, read as %r" % (shown and shown.name)
        if find(record, lambda n: n.name == "Ada") is None:
            return "the launch of Ada in the record list"
        find(window, lambda n: n.description == "ComOk").queryAction().doAction(0)
        if not wait_for(lambda: find(app, lambda n: n.description == "frmRecord") is None, 10):
            return "the record window closing on OK"
        return None
    finally:
        try:
            presser.wait(30)
        except subprocess.TimeoutExpired:
            presser.kill()


def main():
    app = wait_for_app()
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    # The sound test's status is written by the window's timer once it runs.
    wait_for(lambda: find(app, lambda n: n.name == "Sound test: Status : Stopped"), 10)
    found = [(n.getRoleName(), n.name or "", n.description or "") for n in walk(app)]
    # One of each kind of control, and the menu's items by name.
    expected = [
        ("frame", "vesk stagor", "frmSetup"),
        ("tool bar", "Toolbar", "Toolbar1"),
        ("push button", "Open", "TbarQLaunch_Open"),
        ("image", "Holding slide", "ImgHolding"),
        ("tree", "Speakers", "LstSpeakers"),
        ("label", "Pop-up 0", "ImgPopUps(9)"),
        # Labels that show data are read out with it.
        ("label", "Number of speakers: 0", "labNumSpeaker"),
        ("label", "Pop-up 1: (Empty)", "labPopUpName(0)"),
        ("label", "Key: 0", "labPopUpNum(9)"),
        ("label", "Quick Launch file: Unassigned", "labQLFileTitle"),
        ("label", "Sound test: Status : Stopped", "labSTStatus"),
        ("status bar", "Status: Untitled.evf", "StatusBar1"),
    ]
    missing = [e for e in expected if e not in found]
    names = {name for _, name, _ in found}
    missing += [("menu item", n, "") for n in ("New", "Open...", "Save", "Exit") if n not in names]
    if missing:
        print("FAIL: not found:", missing, "\n", "\n".join(map(str, found)))
        return 1
    problem = check_record_window(app)
    if problem:
        print("FAIL:", problem)
        return 1
    print("PASS: %d accessible objects, every expected control found, data labels and the "
          "launch record read with their data" % len(found))
    return 0


def launch_status():
    app = next((a for a in pyatspi.Registry.getDesktop(0)
                if a is not None and a.name == "vesk-stagor"), None)
    launch = next((w for w in app or [] if w is not None and w.description == "frmLaunch"), None)
    if launch is None:
        return 1
    for node in walk(launch):
        if node.description == "LabStatus" and node.getState().contains(pyatspi.STATE_SHOWING):
            print(node.name)
    return 0


def sound_test(mode):
    app = wait_for_app()
    button = app and wait_for(lambda: find(app, lambda n: n.description == "ComSPlay"), 10)
    label = app and find(app, lambda n: n.description == "labSTStatus")
    if not button or not label:
        print("FAIL: the program, ComSPlay or labSTStatus not found on the accessibility bus")
        return 1
    button.queryAction().doAction(0)
    if mode == "nodevice":
        text = "No System Audio Device Present"
        if wait_for(lambda: find(app, lambda n: n.name == text), 10) is None:
            print("FAIL: no '%s' message; status reads '%s'" % (text, label.name))
            return 1
        print("PASS: the no-device message was shown")
        return 0
    # A second or more left: the label follows the playing tone, not only its start.
    playing = r"^Sound test: Status : Playing 00:00:0[1-9]$"
    if not wait_for(lambda: re.match(playing, label.name or ""), 10):
        print("FAIL: the status never read playing with time left; it reads '%s'" % label.name)
        return 1
    if not wait_for(lambda: label.name == "Sound test: Status : Stopped", 10):
        print("FAIL: the status did not return to stopped; it reads '%s'" % label.name)
        return 1
    print("PASS: the status counted the tone down and returned to stopped")
    return 0


if __name__ == "__main__":
    command = sys.argv[1:2]
    if command == ["press"]:
        sys.exit(press_menu_item(sys.argv[2]))
    if command == ["status"]:
        sys.exit(launch_status())
    if command == ["sound"]:
        sys.exit(sound_test(sys.argv[2]))
    sys.exit(main())
