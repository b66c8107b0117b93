#!/usr/bin/python3
"""Presses the setup window's sound-test button over AT-SPI and checks what the operator sees:
the status label counting down and returning to "Stopped", or the no-device message."""
import re
import sys
import time

from accessible_tree import find_app


def find(node, predicate, depth=0):
    if node is None or depth > 12:
        return None
    if predicate(node):
        return node
    for child in node:
        hit = find(child, predicate, depth + 1)
        if hit is not None:
            return hit
    return None


def wait_for(what, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        result = what()
        if result:
            return result
        time.sleep(0.1)
    return None


def by_description(description):
    return lambda node: (node.description or "") == description


def main(mode):
    app = wait_for(lambda: (lambda a: a if a is not None and a.childCount > 0 else None)(
        find_app("vesk-stagor")), 30)
    if app is None:
        print("FAIL: the program never appeared on the accessibility bus")
        return 1
    button = wait_for(lambda: find(app, by_description("ComSPlay")), 10)
    label = find(app, by_description("labSTStatus"))
    if button is None or label is None:
        print("FAIL: ComSPlay or labSTStatus not found")
        return 1
    button.queryAction().doAction(0)

    if mode == "nodevice":
        text = "No System Audio Device Present"
        message = wait_for(lambda: find(app, lambda n: (n.name or "") == text), 10)
        if message is None:
            print("FAIL: no '%s' message; status reads '%s'" % (text, label.name))
            return 1
        ok = find(app, lambda n: n.getRoleName() == "push button" and n.name in ("OK", "&OK"))
        if ok is not None:
            ok.queryAction().doAction(0)
        print("PASS: the no-device message was shown")
        return 0

    playing = re.compile(r"^Status : Playing (\d\d):(\d\d):(\d\d)$")

    def seconds_left():
        match = playing.match(label.name or "")
        if not match:
            return None
        h, m, s = (int(g) for g in match.groups())
        return h * 3600 + m * 60 + s

    first = wait_for(lambda: (lambda s: s if s is not None and s >= 1 else None)(seconds_left()),
                     10)
    if first is None:
        print("FAIL: the status never read playing; it reads '%s'" % label.name)
        return 1
    lower = wait_for(lambda: (lambda s: s is not None and s < first)(seconds_left()), 5)
    if not lower:
        print("FAIL: the time left did not go down from %d s" % first)
        return 1
    if not wait_for(lambda: label.name == "Status : Stopped", 10):
        print("FAIL: the status did not return to stopped; it reads '%s'" % label.name)
        return 1
    print("PASS: the status counted down from %d s and returned to stopped" % first)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
