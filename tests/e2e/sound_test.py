#!/usr/bin/python3
"""Presses the setup window's sound-test button over AT-SPI and checks what the operator sees:
the status label counting down and returning to "Stopped", or the no-device message."""
import re
import sys

from accessible_tree import find, wait_for, wait_for_app


def main(mode):
    app = wait_for_app()
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    button = wait_for(lambda: find(app, lambda n: n.description == "ComSPlay"), 10)
    label = find(app, lambda n: n.description == "labSTStatus")
    if button is None or label is None:
        print("FAIL: ComSPlay or labSTStatus not found")
        return 1
    button.queryAction().doAction(0)

    if mode == "nodevice":
        text = "No System Audio Device Present"
        if wait_for(lambda: find(app, lambda n: n.name == text), 10) is None:
            print("FAIL: no '%s' message; status reads '%s'" % (text, label.name))
            return 1
        ok = find(app, lambda n: n.getRoleName() == "push button" and n.name in ("OK", "&OK"))
        if ok is not None:
            ok.queryAction().doAction(0)
        print("PASS: the no-device message was shown")
        return 0

    def seconds_left():
        match = re.match(r"^Status : Playing (\d\d):(\d\d):(\d\d)$", label.name or "")
        return None if not match else sum(int(g) * f for g, f in zip(match.groups(), (3600, 60, 1)))

    first = wait_for(lambda: (lambda s: s if s is not None and s >= 1 else None)(seconds_left()),
                     10)
    if first is None:
        print("FAIL: the status never read playing; it reads '%s'" % label.name)
        return 1
    if not wait_for(lambda: (lambda s: s is not None and s < first)(seconds_left()), 5):
        print("FAIL: the time left did not go down from %d s" % first)
        return 1
    if not wait_for(lambda: label.name == "Status : Stopped", 10):
        print("FAIL: the status did not return to stopped; it reads '%s'" % label.name)
        return 1
    print("PASS: the status counted down from %d s and returned to stopped" % first)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
