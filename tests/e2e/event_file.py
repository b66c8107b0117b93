#!/usr/bin/python3
"""Rewrites an event file in place, as the e2e scripts need it. Every value is "[byte count]bytes".

    event_file.py EVENT quick-launch PATH          PATH becomes the Quick Launch file
    event_file.py EVENT speakers NAME PATH [...]   these speakers, in this order, in place of the
                                                   ones it has (a name, presentation and empty time
                                                   code each, between "[Speakers][count]" and
                                                   "[Quick Launch]")"""
import re
import sys


def counted(text):
    data = text.encode()
    return b"[%d]" % len(data) + data


def speakers(data, pairs):
    # The pictures before the list are binary: the list is the one whose records end exactly at
    # "[Quick Launch]".
    for match in re.finditer(rb"\[Speakers\]\[(\d+)\]", data):
        at = match.end()
        for _ in range(3 * int(match.group(1))):
            length = re.match(rb"\[(\d+)\]", data[at:])
            if not length:
                break
            at += length.end() + int(length.group(1))
        else:
            if data.startswith(b"[Quick Launch]", at):
                listed = b"".join(counted(name) + counted(path) + counted("")
                                  for name, path in zip(pairs[::2], pairs[1::2]))
                return (data[:match.start()] + b"[Speakers][%d]" % (len(pairs) // 2) + listed +
                        data[at:])
    return None


def quick_launch(data, path):
    match = re.search(rb"\[Quick Launch\]\[(\d+)\]", data)
    end = match and match.end() + int(match.group(1))
    return match and data[:match.start()] + b"[Quick Launch]" + counted(path) + data[end:]


def main():
    event, command, values = sys.argv[1], sys.argv[2], sys.argv[3:]
    data = open(event, "rb").read()
    if command == "speakers" and values and len(values) % 2 == 0:
        data = speakers(data, values)
    elif command == "quick-launch" and len(values) == 1:
        data = quick_launch(data, values[0])
    else:
        print(__doc__)
        return 2
    if data is None:
        print("event_file: no %s entry in %s" % (command, event))
        return 1
    with open(event, "wb") as out:
        out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
