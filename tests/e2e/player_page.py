#!/usr/bin/python3
"""The audience's player page alone, in headless Chromium against a server of the test's own:
records of either mode read into picture names, damaged ones refused while the page keeps what
it shows, the video's clock read from the streaming server's statistics,
polling with conditional requests at most twice a second, and two moves within one
second both seen.

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


def record(presenter, slide, view=""):
    return ("&info0=07/12/2026 14:05:09& Date Time Stamp\r\n&info1=%s& Presenter\r\n"
            "&info2=%s& Current Slide\r\n&info3=& Rolling\r\n&info4=%s& View\r\n"
            "&info5=& Scale Bar\r\n&info6=stageRight& Presenter Position\r\n"
            "&info7=True& Stretch Slides\r\n&info8=16:9& Ratio\r\n"
            "&info9=True& Hide Player Controls\r\n") % (presenter, slide, view)


# Records of the other mode and its forms: the picture asked for, and what the page says.
READINGS = [(("veskCast/Jane_Doe", "p0140509"), ["../veskCast/p0140509.jpg", "Pop-up 10"]),
            (("Zoë_Ünal", "12140509"), ["../Zo%C3%AB_%C3%9Cnal/12140509.jpg", "Zoë Ünal, slide 12"]),
            (("", "h140509"), ["../h140509.jpg", "Holding slide"])]
DAMAGED = [record("veskCast/Jane_Doe", "3140509").replace("&info4", "&info5", 1),
           record("veskCast/../../etc", "3140509"), "<html>Not Found</html>"]
# The streaming server's statistics: a viewer of the stream listed before its encoder, and
# another stream; the encoder of "vesklive" connected 8250 ms ago.
STAT = ("<rtmp><server><application><name>live</name><live>"
        "<stream><name>other</name><time>99</time><client><time>99</time><publishing/></client>"
        "</stream><stream><name>vesklive</name><time>9000</time>"
        "<client><id>4</id><time>100</time><active/></client>"
        "<client><id>3</id><time>8250</time><publishing/><active/></client>"
        "</stream></live></application></server></rtmp>")
SHOWN = ("const s = document.getElementById('slide'); return [s.getAttribute('src'), s.alt,"
         " [...document.getElementById('player').classList].filter(c => c != 'no-video')"
         ".sort().join(' ')];")


class Handler(http.server.SimpleHTTPRequestHandler):
    requests = []  # when, the answer's code, whether the request was conditional

    def log_message(self, *args):
        pass

    def send_response(self, code, message=None):
        if self.path.startswith("/status.inf"):
            self.requests.append((time.monotonic(), code, "If-Modified-Since" in self.headers))
        super().send_response(code, message)


def main():
    site = tempfile.TemporaryDirectory()
    shutil.copytree(sys.argv[1], os.path.join(site.name, "player"))
    os.makedirs(os.path.join(site.name, "veskCast", "Jane_Doe"))
    for slide in (3, 4):
        Image.new("RGB", (64, 48)).save(os.path.join(site.name, "veskCast/Jane_Doe/%d140509.jpg"
                                                     % slide))
    status = os.path.join(site.name, "status.inf")
    written = [time.time() - 1000]

    def publish(text, at=None):
        # Beside and renamed over, as the room writes it; a later time than before unless given.
        with open(status + ".new", "w", newline="") as file:
            file.write(text)
        os.replace(status + ".new", status)
        written[0] += 10
        os.utime(status, (at or written[0], at or written[0]))

    def wait_for(what):
        deadline = time.monotonic() + BOUND_S
        while time.monotonic() < deadline and not what():
            time.sleep(0.05)
        return what()

    publish(record("veskCast/Jane_Doe", "3140509", view="2"))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Handler, directory=site.name))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.TemporaryDirectory()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--user-data-dir=" + profile.name):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    shown = functools.partial(driver.execute_script, SHOWN)
    try:
        driver.get("http://127.0.0.1:%d/player/" % server.server_port)
        for (presenter, slide), wanted in READINGS:
            seen = driver.execute_script("const r = StagorPlayer.parseStatus(arguments[0]);"
                                         "const s = r && StagorPlayer.slideOf(r);"
                                         "return s && [s.url, s.label];", record(presenter, slide))
            assert seen == wanted, "%s, %s reads as %s" % (presenter, slide, seen)
        clock = driver.execute_script("return ['vesklive', 'gone'].map(name =>"
                                      " StagorPlayer.publisherAge(arguments[0], name));", STAT)
        assert clock == [8250, None], "the encoders connected %s ms ago" % clock
        for text in DAMAGED:
            assert not driver.execute_script("return StagorPlayer.parseStatus(arguments[0]);",
                                             text), "a damaged record was taken: %r" % text

        first = ["../veskCast/Jane_Doe/3140509.jpg", "Jane Doe, slide 3",
                 "hide-controls ratio-16-9 stage-right stretch view-2"]
        assert wait_for(lambda: shown() == first), "on load the page shows %s" % shown()
        # Half written: the page keeps its slide and reads the file again.
        count = len(Handler.requests)
        publish(record("veskCast/Jane_Doe", "4140509")[:-30])
        assert wait_for(lambda: len(Handler.requests) >= count + 3), "the page stopped asking"
        assert shown() == first, "a half-written status changed the page to %s" % shown()
        # Unchanged: every request asks whether it changed and costs a 304.
        publish(record("veskCast/Jane_Doe", "3140509"))
        count = len(Handler.requests) + 2
        assert wait_for(lambda: len(Handler.requests) >= count + 3), "the page stopped asking"
        assert [(code, asked) for _, code, asked in Handler.requests[count:count + 3]] == \
            [(304, True)] * 3, "unchanged status asked for as %s" % Handler.requests[count:]
        gaps = [b[0] - a[0] for a, b in zip(Handler.requests, Handler.requests[1:])]
        assert min(gaps) >= 0.45, "requests %.3f s apart" % min(gaps)
        # Two moves within a second keep the file's time and size; the second must show. (A
        # time ahead of the server's clock looks to the page like a file written as it asked.)
        at = time.time() + 100
        for slide in (4, 3):
            publish(record("veskCast/Jane_Doe", "%d140509" % slide), at)
            assert wait_for(lambda: shown()[1] == "Jane Doe, slide %d" % slide), \
                "a move within the second left the page at %s" % shown()
    except AssertionError as error:
        print("FAIL:", error)
        return 1
    finally:
        driver.quit()
        server.shutdown()
    print("PASS: records read, damaged ones refused and outlived, the video's clock read, "
          "conditional polling at most twice a second, two moves within a second")
    return 0


if __name__ == "__main__":
    sys.exit(main())
