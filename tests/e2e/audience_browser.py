#!/usr/bin/python3
"""Viewers' browsers on the audience's player, for a script that plays the room: headless
Chromium through WebDriver, told what to expect one line at a time on standard input, answering
each with one line on standard output, "ok ..." or "fail ...".

    audience_browser.py URL [STATUS-FILE]

Commands:
  open NAME               opens a browser on URL and names it
  shows NAME WHAT [N]     waits until the browser shows WHAT: "slide N" of the talk on screen,
                          "holding" or "popup N"; answers with the milliseconds it took
  move NAME KEY N         presses KEY in the room (xdotool), then waits as "shows NAME slide N";
                          answers with the milliseconds until the screenshot showed it and until
                          the page had put it up, and with STATUS-FILE (the served "status.inf")
                          until the room had published the move there
  video NAME              waits until the room's video plays on: its time moves on by 2 s;
                          answers with its first and last time, how far (s) it plays behind the
                          newest video the server has, and the clock at the last time
  keyboard NAME           the controls are reached by Tab, show where the focus is, and say
                          what they do; the slide's text and the live region say what is up
  quit

What the page shows is read from screenshots: at a few places of the picture on the page the
colours must be those of the exported picture the status names, and a talk's slide must show
its own mark (the demo's slides carry a square of their own colour)."""

import io
import re
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

BOUND_S = 10
# Fractions of the picture: the demo slides' mark, and places away from their text.
MARK = (0.1, 0.85)
PLACES = [MARK, (0.5, 0.12), (0.9, 0.9), (0.5, 0.5)]
# Slides 1 to 5 of a demo talk: red, yellow, green, cyan, blue.
MARK_COLOURS = {1: (255, 0, 0), 2: (255, 255, 0), 3: (0, 255, 0), 4: (0, 255, 255),
                5: (0, 0, 255)}
TOLERANCE = 40  # per channel: JPEG compression and the browser's scaling

# The picture's box inside the <img>, which keeps the picture's proportions within it.
PICTURE_BOX = """
const image = document.getElementById('slide');
const r = image.getBoundingClientRect();
if (!image.complete || !image.naturalWidth || !image.getAttribute('src')) return null;
const scale = Math.min(r.width / image.naturalWidth, r.height / image.naturalHeight);
const w = image.naturalWidth * scale, h = image.naturalHeight * scale;
return {left: r.left + (r.width - w) / 2, top: r.top + (r.height - h) / 2, width: w, height: h,
        src: image.src, alt: image.alt, shownAt: Number(image.dataset.shownAt || 0),
        said: document.getElementById('announce').textContent};
"""


def near(a, b):
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))


class Viewer:
    def __init__(self, url):
        self.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--window-size=1000,700", "--force-device-scale-factor=1",
                         "--hide-scrollbars", "--autoplay-policy=no-user-gesture-required",
                         "--user-data-dir=" + self.profile.name):
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_page_load_timeout(BOUND_S)
        self.driver.set_script_timeout(BOUND_S)
        self.driver.get(url)
        self.pictures = {}

    def picture(self, src):
        """The picture file at src, as the server gives it."""
        if src not in self.pictures:
            with urllib.request.urlopen(src, timeout=BOUND_S) as answer:
                self.pictures[src] = Image.open(io.BytesIO(answer.read())).convert("RGB")
        return self.pictures[src]

    def state(self):
        """What the page shows now, or why it does not show a picture."""
        box = self.driver.execute_script(PICTURE_BOX)
        if box is None:
            return None, "no picture on the page"
        shot = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        picture = self.picture(box["src"])
        for fx, fy in PLACES:
            x, y = int(box["left"] + fx * box["width"]), int(box["top"] + fy * box["height"])
            if not (0 <= x < shot.width and 0 <= y < shot.height):
                return None, "the picture is off the page at %s" % ((fx, fy),)
            shown = shot.getpixel((x, y))
            wanted = picture.getpixel((int(fx * (picture.width - 1)), int(fy * (picture.height - 1))))
            if not near(shown, wanted):
                return None, "%s shows %s at %s where the picture has %s" % (
                    box["alt"], shown, (fx, fy), wanted)
        box["mark"] = picture.getpixel((int(MARK[0] * picture.width), int(MARK[1] * picture.height)))
        return box, ""

    def matches(self, box, what, number):
        name = box["src"].rsplit("/", 1)[-1]
        if what == "slide":
            return (re.fullmatch(r"%d\d{6}\.jpg" % number, name) is not None
                    and "/veskCast/Ada_Lovelace/" in box["src"]
                    and box["alt"] == "Ada Lovelace, slide %d" % number
                    and near(box["mark"], MARK_COLOURS[number]))
        if what == "holding":
            return re.fullmatch(r"h\d{6}\.jpg", name) and box["alt"] == "Holding slide"
        if what == "popup":
            return (re.fullmatch(r"p%d\d{6}\.jpg" % number, name) is not None
                    and box["alt"] == "Pop-up %d" % number)
        return False

    def shows(self, what, number, started=None, key_time=None):
        """With key_time (time.time() of a key press), the answer also says after how many
        milliseconds the page itself had put the picture up."""
        started = started or time.monotonic()
        why = ""
        while time.monotonic() - started < BOUND_S:
            box, why = self.state()
            if box is not None:
                if self.matches(box, what, number):
                    if box["said"] != box["alt"]:
                        return "fail the live region says %r, not %r" % (box["said"], box["alt"])
                    answer = "ok %d" % round((time.monotonic() - started) * 1000)
                    if key_time is not None:
                        answer += " %d" % round(box["shownAt"] - key_time * 1000)
                    return answer
                why = "the page shows %s (%s)" % (box["alt"], box["src"])
            time.sleep(0.02)
        return "fail no %s %s within %d s: %s" % (what, number or "", BOUND_S, why)

    def video(self):
        read = "return document.getElementById('video').currentTime;"
        first = self.driver.execute_script(read)
        started = time.monotonic()
        while time.monotonic() - started < 3 * BOUND_S:
            now = self.driver.execute_script(read)
            if now >= first + 2:
                behind = self.driver.execute_script("return StagorPlayer.page.videoLatency();")
                return "ok %.1f %.3f %.2f %.3f" % (first, now, -1 if behind is None else behind,
                                                 time.time())
            time.sleep(0.2)
        return "fail the video's time stayed from %.1f s to %.1f s" % (first, now)

    def keyboard(self):
        focused = []
        for _ in range(2):
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            focused.append(self.driver.execute_script(
                "const e = document.activeElement; const s = getComputedStyle(e);"
                "return [e.tagName, e.id, e.textContent.trim(), e.getAttribute('aria-pressed'),"
                " s.outlineStyle, s.outlineWidth];"))
        if [f[:2] for f in focused] != [["BUTTON", "play"], ["BUTTON", "mute"]]:
            return "fail Tab reaches %s, not the play and mute buttons" % focused
        for tag, _, text, _, style, width in focused:
            if style == "none" or width == "0px":
                return "fail the focused %s button shows no outline" % text
        if focused[1][3] != "true":
            return "fail the mute button does not say the sound is off"
        ActionChains(self.driver).send_keys(Keys.SPACE).perform()
        pressed = self.driver.execute_script(
            "return [document.getElementById('mute').getAttribute('aria-pressed'),"
            " document.getElementById('video').muted];")
        if pressed != ["false", False]:
            return "fail Space on the mute button left it at %s" % pressed
        live = self.driver.execute_script(
            "return document.getElementById('announce').getAttribute('aria-live');")
        if live != "polite":
            return "fail the announcements are not polite: %s" % live
        return "ok"


def watch_file(path, slide, started, until):
    """Watches the status file from now on; returns a function giving the milliseconds from
    started until it named the talk's slide, or None."""
    names = re.compile(rb"^&info2=%d\d{6}& Current Slide\r?$" % slide, re.MULTILINE)

    def read():
        try:
            with open(path, "rb") as file:
                return file.read()
        except OSError:
            return b""
    changed = []

    def run():
        while not until.is_set() and not changed:
            if names.search(read()):
                changed.append(round((time.monotonic() - started) * 1000))
            time.sleep(0.005)
    thread = threading.Thread(target=run, daemon=True)
    thread.start()

    def result():
        until.set()
        thread.join()
        return changed[0] if changed else None
    return result


def main():
    url = sys.argv[1]
    status_file = sys.argv[2] if len(sys.argv) > 2 else None
    viewers = {}
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        try:
            if words[0] == "quit":
                break
            if words[0] == "open":
                viewers[words[1]] = Viewer(url)
                answer = "ok"
            elif words[0] == "shows":
                number = int(words[3]) if len(words) > 3 else 0
                answer = viewers[words[1]].shows(words[2], number)
            elif words[0] == "move":
                started = time.monotonic()
                published = status_file and watch_file(status_file, int(words[3]), started,
                                                       threading.Event())
                key_time = time.time()
                subprocess.run(["xdotool", "key", words[2]], check=True, timeout=BOUND_S)
                answer = viewers[words[1]].shows("slide", int(words[3]), started, key_time)
                if published and answer.startswith("ok"):
                    answer += " %s" % published()
            elif words[0] == "video":
                answer = viewers[words[1]].video()
            elif words[0] == "keyboard":
                answer = viewers[words[1]].keyboard()
            else:
                answer = "fail no command " + words[0]
        except Exception as error:  # the script hears of it and ends the test
            answer = "fail %s: %s" % (type(error).__name__, str(error).splitlines()[0:1])
        print(answer, flush=True)
    for viewer in viewers.values():
        viewer.driver.quit()


if __name__ == "__main__":
    main()
