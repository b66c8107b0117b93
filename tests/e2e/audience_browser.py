#!/usr/bin/python3
"""Viewers' browsers (headless Chromium) on the audience's player, for a script that plays the
room: one command a line on standard input, one answer a line on standard output ("ok ..." or
"fail ...").

    audience_browser.py URL

  open NAME              a browser on URL
  shows NAME WHAT [N]    waits until it shows "slide N" of the first talk, "holding" or "popup N";
                         answers with the milliseconds it took
  move NAME KEY N        presses KEY in the room (xdotool), then as "shows NAME slide N"
  video NAME             waits until the room's video has played on by 2 s
  keyboard NAME          Tab reaches Play and Mute with a visible focus; Space works the button
  aligned NAME KEY N     as "move", with the room's video playing, whose picture shows when it was
                         taken (see localhost_room.sh). Answers with the milliseconds from the
                         key to the slide on screen, from the key to the moment of the room the
                         video showed beside it, and the page's own estimate of the video's delay

What the page shows is read from screenshots: at four places of the picture on the page the
colours must be the exported picture's, and a talk's slide must show its own mark (the demo's
slides carry a square of their own colour)."""

import io
import re
import subprocess
import sys
import tempfile
import time
import urllib.request

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

BOUND_S = 10
MARK = (0.1, 0.85)
PLACES = [MARK, (0.5, 0.12), (0.9, 0.9), (0.5, 0.5)]
MARK_COLOURS = {1: (255, 0, 0), 2: (255, 255, 0), 3: (0, 255, 0), 4: (0, 255, 255)}
TOLERANCE = 40  # per channel: JPEG compression and the browser's scaling

# Where the picture is inside the <img>, which keeps its proportions, and what the page says.
PICTURE_BOX = """
const image = document.getElementById('slide'), r = image.getBoundingClientRect();
if (!image.complete || !image.naturalWidth || !image.getAttribute('src')) return null;
const scale = Math.min(r.width / image.naturalWidth, r.height / image.naturalHeight);
const w = image.naturalWidth * scale, h = image.naturalHeight * scale;
return {left: r.left + (r.width - w) / 2, top: r.top + (r.height - h) / 2, width: w, height: h,
        src: image.src, alt: image.alt, shownAt: Number(image.dataset.shownAt || 0),
        said: document.getElementById('announce').textContent};
"""


# Where the video's picture is inside the <video>, which keeps its proportions.
VIDEO_BOX = """
const video = document.getElementById('video'), r = video.getBoundingClientRect();
if (!video.videoWidth || video.paused) return null;
const scale = Math.min(r.width / video.videoWidth, r.height / video.videoHeight);
const w = video.videoWidth * scale, h = video.videoHeight * scale;
return {left: r.left + (r.width - w) / 2, top: r.top + (r.height - h) / 2, width: w, height: h,
        delay: StagorPlayer.page.videoDelayMs()};
"""
CODE_STRIPES = 8  # white or black: the bits of the clock's time in quarter seconds
CODE_CYCLE_S = 2 ** CODE_STRIPES / 4


def taken_at(shot, box):
    """When (the clock's seconds, within a cycle) the picture in box was taken, or None."""
    code = 0
    for stripe in range(CODE_STRIPES):
        x = int(box["left"] + (stripe + 0.5) / CODE_STRIPES * box["width"])
        light = [sum(shot.getpixel((x, int(box["top"] + f * box["height"])))) / 3
                 for f in (0.3, 0.4, 0.5, 0.6, 0.7)]
        if all(value > 170 for value in light):
            code |= 1 << stripe
        elif not all(value < 85 for value in light):
            return None
    return code / 4


def near(a, b):
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))


class Viewer:
    def __init__(self, url):
        self.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--window-size=1000,700", "--force-device-scale-factor=1",
                         "--autoplay-policy=no-user-gesture-required",
                         "--user-data-dir=" + self.profile.name):
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_page_load_timeout(BOUND_S)
        self.driver.get(url)
        self.pictures = {}

    def state(self):
        """What the page shows, checked against the picture file; or None and why not."""
        box = self.driver.execute_script(PICTURE_BOX)
        if box is None:
            return None, "no picture on the page"
        shot = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        self.shot = shot
        if box["src"] not in self.pictures:
            with urllib.request.urlopen(box["src"], timeout=BOUND_S) as answer:
                self.pictures[box["src"]] = Image.open(io.BytesIO(answer.read())).convert("RGB")
        picture = self.pictures[box["src"]]
        for fx, fy in PLACES:
            shown = shot.getpixel((min(shot.width - 1, int(box["left"] + fx * box["width"])),
                                   min(shot.height - 1, int(box["top"] + fy * box["height"]))))
            wanted = picture.getpixel((int(fx * picture.width), int(fy * picture.height)))
            if not near(shown, wanted):
                return None, "%s shows %s at %s, not %s" % (box["alt"], shown, (fx, fy), wanted)
        box["mark"] = picture.getpixel((int(MARK[0] * picture.width), int(MARK[1] * picture.height)))
        return box, ""

    @staticmethod
    def matches(box, what, number):
        name = box["src"].rsplit("/", 1)[-1]
        if what == "slide":
            return (re.fullmatch(r"%d\d{6}\.jpg" % number, name) and "/veskCast/Ada_Lovelace/" in
                    box["src"] and box["alt"] == "Ada Lovelace, slide %d" % number and
                    near(box["mark"], MARK_COLOURS[number]))
        if what == "holding":
            return re.fullmatch(r"h\d{6}\.jpg", name) and box["alt"] == "Holding slide"
        return re.fullmatch(r"p%d\d{6}\.jpg" % number, name) and box["alt"] == "Pop-up %d" % number

    def shows(self, what, number, started=None):
        started = started or time.monotonic()
        while time.monotonic() - started < BOUND_S:
            box, why = self.state()
            if box is not None and self.matches(box, what, number):
                if box["said"] != box["alt"]:
                    return "fail the live region says %r, not %r" % (box["said"], box["alt"])
                return "ok %d" % round((time.monotonic() - started) * 1000), box
            if box is not None:
                why = "the page shows %s (%s)" % (box["alt"], box["src"])
            time.sleep(0.02)
        return "fail no %s %s within %d s: %s" % (what, number or "", BOUND_S, why), None

    def aligned(self, key, number):
        """Presses key in the room; once the page shows slide number, the moment of the room the
        video beside it shows, both from the key (ms), and the page's own video delay."""
        video = self.driver.execute_script(VIDEO_BOX)
        if video is None:
            return "fail no video plays", None
        started, pressed = time.monotonic(), time.time()
        subprocess.run(["xdotool", "key", key], check=True, timeout=BOUND_S)
        answer, box = self.shows("slide", number, started)
        if box is None:
            return answer, None
        shown = time.time()
        seen = taken_at(self.shot, video)
        if seen is None:
            return "fail the video's picture shows no time", None
        # The latest moment of the cycle that is not after the screenshot.
        taken = seen + (shown - seen) // CODE_CYCLE_S * CODE_CYCLE_S
        return "ok %d %d %d" % (round((shown - pressed) * 1000), round((taken - pressed) * 1000),
                                round(video["delay"]) if video["delay"] is not None else -1), box

    def video(self):
        read = "return document.getElementById('video').currentTime;"
        first = now = self.driver.execute_script(read)
        started = time.monotonic()
        while time.monotonic() - started < 3 * BOUND_S and now < first + 2:
            time.sleep(0.2)
            now = self.driver.execute_script(read)
        return "ok" if now >= first + 2 else "fail the video stayed at %.1f s" % now

    def keyboard(self):
        focused = []
        for _ in range(2):
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            focused.append(self.driver.execute_script(
                "const e = document.activeElement, s = getComputedStyle(e);"
                "return [e.id, s.outlineStyle != 'none' && s.outlineWidth != '0px'];"))
        if focused != [["play", True], ["mute", True]]:
            return "fail Tab reaches (id, outline shown) %s, not Play and Mute" % focused
        ActionChains(self.driver).send_keys(Keys.SPACE).perform()
        mute = self.driver.execute_script(
            "return [document.getElementById('mute').getAttribute('aria-pressed'),"
            " document.getElementById('video').muted];")
        return "ok" if mute == ["false", False] else "fail Space on Mute left it at %s" % mute


def run(url, extra=None):
    """Answers the commands on standard input; extra(viewers, words) may answer more."""
    viewers = {}
    for line in sys.stdin:
        words = line.split()
        if words == ["quit"]:
            break
        try:
            viewer = viewers.get(words[1]) if len(words) > 1 else None
            if words[0] == "open":
                viewers[words[1]] = Viewer(url)
                answer = "ok"
            elif words[0] == "shows":
                answer = viewer.shows(words[2], int(words[3]) if len(words) > 3 else 0)[0]
            elif words[0] == "move":
                started = time.monotonic()
                subprocess.run(["xdotool", "key", words[2]], check=True, timeout=BOUND_S)
                answer = viewer.shows("slide", int(words[3]), started)[0]
            elif words[0] == "aligned":
                answer = viewer.aligned(words[2], int(words[3]))[0]
            elif words[0] in ("video", "keyboard"):
                answer = getattr(viewer, words[0])()
            else:
                answer = extra(viewers, words) if extra else "fail no command " + words[0]
        except Exception as error:  # the script hears of it and ends the test
            answer = "fail %s: %s" % (type(error).__name__, str(error).splitlines()[:1])
        print(answer, flush=True)
    for viewer in viewers.values():
        viewer.driver.quit()


if __name__ == "__main__":
    run(sys.argv[1])
