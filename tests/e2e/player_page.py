#!/usr/bin/python3
"""The audience's player page on its own, in headless Chromium against a small server of the
test's own: how it reads status records (whole, damaged, from either mode) into picture names and
what it tells a listener, and how it polls the status file.

    player_page.py PLAYER-FOLDER"""

import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

BOUND_S = 10


def record(presenter, slide, view="", hide="False"):
    return ("&info0=07/12/2026 14:05:09& Date Time Stamp\r\n&info1=%s& Presenter\r\n"
            "&info2=%s& Current Slide\r\n&info3=& Rolling\r\n&info4=%s& View\r\n"
            "&info5=& Scale Bar\r\n&info6=stageRight& Presenter Position\r\n"
            "&info7=True& Stretch Slides\r\n&info8=16:9& Ratio\r\n"
            "&info9=%s& Hide Player Controls\r\n") % (presenter, slide, view, hide)


# (presenter, slide) as the room writes them: the picture the page asks for, and what it says.
READINGS = [
    (("veskCast/Jane_Doe", "3140509"), ("../veskCast/Jane_Doe/3140509.jpg", "Jane Doe, slide 3")),
    (("veskCast/Jane_Doe", "p2140509"), ("../veskCast/p2140509.jpg", "Pop-up 2")),
    (("veskCast", "h140509"), ("../veskCast/h140509.jpg", "Holding slide")),
    (("veskCast", "p0140509"), ("../veskCast/p0140509.jpg", "Pop-up 10")),
    (("Jane_Doe", "12140509"), ("../Jane_Doe/12140509.jpg", "Jane Doe, slide 12")),
    (("", "h140509"), ("../h140509.jpg", "Holding slide")),
    (("", "h"), ("../h.jpg", "Holding slide")),
    (("Zoë_Ünal", "1140509"), ("../Zo%C3%AB_%C3%9Cnal/1140509.jpg", "Zoë Ünal, slide 1")),
]
# Files that are no record the page may follow.
DAMAGED = [
    record("veskCast/Jane_Doe", "3140509")[:-40],              # cut short in the last line
    record("veskCast/Jane_Doe", "3140509").replace("&info4", "&info5", 1),  # lines out of order
    record("veskCast/../../etc", "3140509"),                  # out of the published folders
    record("veskCast/Jane_Doe", "../3140509"),
    "",
    "<html>Not Found</html>",
]


class Handler(http.server.SimpleHTTPRequestHandler):
    requests = []

    def log_message(self, *args):
        pass

    def send_response(self, code, message=None):
        if self.path.startswith("/status.inf"):
            Handler.requests.append((time.monotonic(), code,
                                     self.headers.get("If-Modified-Since") is not None))
        super().send_response(code, message)


def fail(message):
    print("FAIL:", message)
    return 1


def wait_for(what):
    deadline = time.monotonic() + BOUND_S
    while time.monotonic() < deadline:
        result = what()
        if result:
            return result
        time.sleep(0.05)
    return None


def main():
    site = tempfile.TemporaryDirectory()
    shutil.copytree(sys.argv[1], os.path.join(site.name, "player"))
    os.makedirs(os.path.join(site.name, "veskCast", "Jane_Doe"))
    for name, colour in (("veskCast/Jane_Doe/3140509.jpg", (255, 0, 0)),
                         ("veskCast/Jane_Doe/4140509.jpg", (0, 0, 255))):
        Image.new("RGB", (64, 48), colour).save(os.path.join(site.name, name))
    status = os.path.join(site.name, "status.inf")

    def publish(text, written=None):
        # Written beside and renamed over, as the room does; a later time than the last one
        # unless given.
        with open(status + ".new", "w", newline="") as file:
            file.write(text)
        os.replace(status + ".new", status)
        publish.count += 1
        written = written or time.time() - 1000 + 10 * publish.count
        os.utime(status, (written, written))

    publish.count = 0
    publish(record("veskCast/Jane_Doe", "3140509", view="2"))
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=site.name))
    threading.Thread(target=server.serve_forever, daemon=True).start()

    profile = tempfile.TemporaryDirectory()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                     "--user-data-dir=" + profile.name):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.set_page_load_timeout(BOUND_S)
        driver.get("http://127.0.0.1:%d/player/" % server.server_port)

        for (presenter, slide), wanted in READINGS:
            seen = driver.execute_script(
                "const r = StagorPlayer.parseStatus(arguments[0]);"
                "if (!r) return null; const s = StagorPlayer.slideOf(r); return [s.url, s.label];",
                record(presenter, slide))
            if seen != list(wanted):
                return fail("%s, %s reads as %s, not %s" % (presenter, slide, seen, wanted))
        for text in DAMAGED:
            if driver.execute_script("return StagorPlayer.parseStatus(arguments[0]);", text):
                return fail("a damaged record was taken: %r" % text)

        # The picture, its text and the layout (the page's classes but the video's state).
        shown = "return [document.getElementById('slide').getAttribute('src'),"\
                " document.getElementById('slide').alt,"\
                " [...document.getElementById('player').classList]"\
                ".filter(c => c != 'no-video').sort().join(' ')];"
        first = wait_for(lambda: (lambda s: s if s[0] else None)(driver.execute_script(shown)))
        if first != ["../veskCast/Jane_Doe/3140509.jpg", "Jane Doe, slide 3",
                     "ratio-16-9 stage-right stretch view-2"]:
            return fail("on load the page shows %s" % first)
        # A half-written file: the page keeps what it showed and reads the file again.
        count = len(Handler.requests)
        publish(record("veskCast/Jane_Doe", "4140509")[:-30])
        if not wait_for(lambda: len(Handler.requests) >= count + 3):
            return fail("the page stopped asking for the status")
        if driver.execute_script(shown) != first:
            return fail("a half-written status changed the page to %s" % driver.execute_script(shown))
        # The whole file: the next slide, the view the record left empty kept, controls hidden.
        publish(record("veskCast/Jane_Doe", "4140509", hide="True"))
        wanted = ["../veskCast/Jane_Doe/4140509.jpg", "Jane Doe, slide 4",
                  "hide-controls ratio-16-9 stage-right stretch view-2"]
        if not wait_for(lambda: driver.execute_script(shown) == wanted):
            return fail("after the whole file the page shows %s" % driver.execute_script(shown))
        controls = driver.execute_script(
            "return getComputedStyle(document.getElementById('controls')).display;")
        if controls != "none":
            return fail("the controls show although the room hides them")

        # Polling: every request after the first asks whether the file changed, an unchanged
        # file costs a 304, and no two requests come closer than the half second.
        count = len(Handler.requests)
        if not wait_for(lambda: len(Handler.requests) >= count + 4):
            return fail("the page stopped asking for the status")
        recent = Handler.requests[count:count + 4]
        if [code for _, code, _ in recent] != [304] * 4 or not all(c for _, _, c in recent):
            return fail("unchanged status asked for as %s" % recent)
        gaps = [b[0] - a[0] for a, b in zip(Handler.requests, Handler.requests[1:])]
        if min(gaps) < 0.45:
            return fail("requests %.3f s apart" % min(gaps))

        # Two moves within one second: the file keeps its time and its size, and the page must
        # still see the second one. (The file's time is put ahead of the server's clock, which
        # the page sees as a file written in the second of the answer.)
        now = time.time() + 100
        for slide in ("3140509", "4140509"):
            publish(record("veskCast/Jane_Doe", slide, hide="True"), written=now)
            wanted[:2] = ["../veskCast/Jane_Doe/%s.jpg" % slide, "Jane Doe, slide " + slide[0]]
            if not wait_for(lambda: driver.execute_script(shown) == wanted):
                return fail("a move within the second left the page at %s"
                            % driver.execute_script(shown))
    finally:
        driver.quit()
        server.shutdown()
    print("PASS: the page reads %d records into pictures and labels, refuses %d damaged ones, "
          "keeps its slide through a half-written file, follows the whole one, polls with "
          "conditional requests twice a second at most and sees two moves within a second" % (len(READINGS), len(DAMAGED)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
