#!/usr/bin/python3
"""event_speakers.py EVENT NAME PATH [NAME PATH ...]: gives the event file EVENT these speakers
in this order, in place of the ones it has. The speaker list lies between "[Speakers][count]" and
"[Quick Launch]": per speaker its name, presentation and time code, each as "[byte count]bytes"."""
import re
import sys


def counted(text):
    data = text.encode()
    return b"[%d]" % len(data) + data


def main():
    event, pairs = sys.argv[1], sys.argv[2:]
    if not pairs or len(pairs) % 2:
        print(__doc__)
        return 2
    data = open(event, "rb").read()
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
                speakers = b"".join(counted(name) + counted(path) + counted("")
                                    for name, path in zip(pairs[::2], pairs[1::2]))
                with open(event, "wb") as out:
                    out.write(data[:match.start()] + b"[Speakers][%d]" % (len(pairs) // 2) +
                              speakers + data[at:])
                return 0
    print("event_speakers: no speaker list in %s" % event)
    return 1


if __name__ == "__main__":
    sys.exit(main())
