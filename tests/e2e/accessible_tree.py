#!/usr/bin/python3
"""Reads the running program's accessible tree the way a screen reader or an outside test driver
does, and checks that the setup window's controls can be found by role, name and description.
Its helpers serve sound_test.py too."""
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


def main():
    app = wait_for_app()
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    found = [(n.getRoleName(), n.name or "", n.description or "") for n in walk(app)]
    # One of each kind of control, and the menu's items by name.
    expected = [
        ("frame", "vesk stagor", "frmSetup"),
        ("tool bar", "Toolbar", "Toolbar1"),
        ("push button", "Open", "TbarQLaunch_Open"),
        ("image", "Holding slide", "ImgHolding"),
        ("tree", "Speakers", "LstSpeakers"),
        ("label", "Pop up 0", "ImgPopUps(9)"),
    ]
    missing = [e for e in expected if e not in found]
    names = {name for _, name, _ in found}
    missing += [("menu item", n, "") for n in ("New", "Open...", "Save", "Exit") if n not in names]
    if missing:
        print("FAIL: not found:", missing, "\n", "\n".join(map(str, found)))
        return 1
    print("PASS: %d accessible objects, every expected control found" % len(found))
    return 0


if __name__ == "__main__":
    sys.exit(main())
