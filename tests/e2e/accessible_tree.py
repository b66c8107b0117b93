#!/usr/bin/python3
"""Reads the running program's accessible tree the way a screen reader or an outside test
driver does, and checks that the setup window's controls can be found by name and description."""
import sys
import time

import pyatspi


def find_app(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def walk(node, found, depth=0):
    if node is None or depth > 10:
        return
    found.append((node.getRoleName(), node.name or "", node.description or ""))
    for child in node:
        walk(child, found, depth + 1)


def main():
    deadline = time.time() + 30
    app = None
    while time.time() < deadline:
        app = find_app("vesk-stagor")
        if app is not None and app.childCount > 0:
            break
        time.sleep(0.2)
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    found = []
    walk(app, found)
    expected = [
        ("frame", "vesk stagor", "frmSetup"),
        ("tool bar", "Toolbar", "Toolbar1"),
        ("filler", "Sections", "TabStrip1"),
        ("filler", "Main", "PicMain"),
        ("filler", "Speakers", "PicSpeakers"),
        ("filler", "Pop Ups", "PicPopUps"),
        ("panel", "Quick Launch", "FrameQLaunch"),
        ("label", "Quick Launch icon", "PicQLaunch"),
        ("label", "Unassigned", "labQLFileTitle"),
        ("push button", "Open", "TbarQLaunch_Open"),
        ("push button", "Properties", "TbarQLaunch_Properties"),
        ("status bar", "Status", "StatusBar1"),
        ("panel", "Holding Slide", "PicConHolding"),
        ("image", "Holding slide", "ImgHolding"),
        ("tree", "Speakers", "LstSpeakers"),
        ("label", "Number of speakers", "labNumSpeaker"),
        ("filler", "Pop Ups", "PicConPopUps"),
        ("label", "Pop up 0", "ImgPopUps(9)"),
    ]
    missing = [e for e in expected if e not in found]
    names = {name for _, name, _ in found}
    missing += [("menu item", n, "") for n in ("New", "Open...", "Save", "Save As...", "Exit")
                if n not in names]
    if missing:
        print("FAIL: not found:", missing)
        for entry in found:
            print("  ", entry)
        return 1
    print("PASS: %d accessible objects, every expected control found" % len(found))
    return 0


if __name__ == "__main__":
    sys.exit(main())
