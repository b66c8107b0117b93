#!/usr/bin/python3
"""Prints the line the launch screen shows the operator at its foot (the label described as
"LabStatus") while it is on screen, nothing while it is hidden; fails when there is no launch
screen. Read over AT-SPI, as a screen reader would."""
import sys

import pyatspi

from accessible_tree import walk


def main():
    app = next((a for a in pyatspi.Registry.getDesktop(0)
                if a is not None and a.name == "vesk-stagor"), None)
    launch = next((w for w in app or [] if w is not None and w.description == "frmLaunch"), None)
    if launch is None:
        return 1
    for node in walk(launch):
        if node.description == "LabStatus" and node.getState().contains(pyatspi.STATE_SHOWING):
            print(node.name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
