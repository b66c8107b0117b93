#!/usr/bin/python3
"""event_quick_launch.py EVENT PATH: makes PATH the Quick Launch file of the event file EVENT. The
file follows "[Quick Launch]" as "[byte count]bytes"."""
import re
import sys


def main():
    event, path = sys.argv[1], sys.argv[2].encode()
    data = open(event, "rb").read()
    match = re.search(rb"\[Quick Launch\]\[(\d+)\]", data)
    if not match:
        print("event_quick_launch: no Quick Launch entry in %s" % event)
        return 1
    end = match.end() + int(match.group(1))
    with open(event, "wb") as out:
        out.write(data[:match.start()] + b"[Quick Launch][%d]" % len(path) + path + data[end:])
    return 0


if __name__ == "__main__":
    sys.exit(main())
