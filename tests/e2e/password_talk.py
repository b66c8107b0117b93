#!/usr/bin/python3
"""password_talk.py PIPE SOURCE TARGET PASSWORD: through the office listening on pipe PIPE, opens
the presentation SOURCE hidden and stores it as TARGET locked with PASSWORD, then ends the office.
Waits up to 30 s for the office to take the connection. Serves bad_talks.sh.

The file is stored in the office's own format whatever TARGET's name: this office writes a
password into PowerPoint files without encrypting them, while its own format is locked for real.
Opening a file, the office goes by its content, not by its name."""
import sys
import time

import uno
from com.sun.star.beans import PropertyValue


def properties(**values):
    result = []
    for name, value in values.items():
        item = PropertyValue()
        item.Name, item.Value = name, value
        result.append(item)
    return tuple(result)


def connect(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.time() + 30
    while True:
        try:
            return resolver.resolve(
                "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        except Exception:
            if time.time() > deadline:
                raise
            time.sleep(0.2)


def main():
    pipe, source, target, password = sys.argv[1:5]
    context = connect(pipe)
    desktop = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", context)
    document = desktop.loadComponentFromURL(
        uno.systemPathToFileUrl(source), "_blank", 0, properties(Hidden=True))
    if document is None:
        print("password_talk: %s could not be opened" % source)
        return 1
    try:
        document.storeToURL(uno.systemPathToFileUrl(target), properties(
            FilterName="impress8", Password=password, Overwrite=True))
    finally:
        document.close(True)
        try:
            desktop.terminate()
        except Exception:
            pass  # the office went before it could answer
    return 0


if __name__ == "__main__":
    sys.exit(main())
