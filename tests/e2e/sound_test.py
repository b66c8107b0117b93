#!/usr/bin/python3
"""Presses the setup window's sound-test button over AT-SPI and checks what the operator sees:
the status label with the time left, then "Stopped"; or the no-device message."""
import re
import sys

from accessible_tree import find, wait_for, wait_for_app


def main(mode):
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
    sys.exit(main(sys.argv[1]))
