#!/usr/bin/python3
"""Shows Flash files in the Ruffle player in headless Chromium and checks that each shows the
four coloured quadrants of its picture in the right places, filling the player.

    swf_player.py SITE MOVIE.swf...

SITE holds swf_player.html, ruffle/ and the movies; it is served on 127.0.0.1 (Ruffle loads
WebAssembly, which pages from file:// may not). Each movie gets 30 s to show its picture."""

import functools
import http.server
import io
import sys
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

BOUND_S = 30
# Where in the player (fractions of its width and height) and what colour: in each quadrant a
# point near the player's corner, its middle and a point near the player's centre. A picture not
# stretched exactly over the frame shows a wrong colour at one of them: beyond its edges the
# player repeats the edge pixels, so the corners alone would not tell.
QUADRANT_COLOURS = [((0, 0), (255, 0, 0)), ((1, 0), (0, 255, 0)),
                    ((0, 1), (0, 0, 255)), ((1, 1), (255, 255, 0))]
POINTS = [((abs(qx - f), abs(qy - f)), colour)
          for (qx, qy), colour in QUADRANT_COLOURS for f in (0.04, 0.25, 0.45)]
TOLERANCE = 40  # per channel: JPEG compression and the player's smoothing


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".swf": "application/x-shockwave-flash"}

    def log_message(self, *args):
        pass


def near(a, b):
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))


def main():
    site, movies = sys.argv[1], sys.argv[2:]
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.TemporaryDirectory()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                     "--window-size=1200,1000", "--force-device-scale-factor=1",
                     "--hide-scrollbars", "--autoplay-policy=no-user-gesture-required",
                     # WebGL on the CPU, which Ruffle draws with when there is no GPU
                     "--enable-unsafe-swiftshader", "--user-data-dir=" + profile.name):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    failed = False
    try:
        driver.set_page_load_timeout(BOUND_S)
        for movie in movies:
            started = time.monotonic()
            driver.get("http://127.0.0.1:%d/swf_player.html?movie=%s" % (server.server_port, movie))
            left, top, width, height = driver.execute_script(
                "const r = document.getElementById('player').getBoundingClientRect();"
                "return [r.left, r.top, r.width, r.height];")
            while True:
                shot = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
                if shot.width < left + width or shot.height < top + height:
                    print("FAIL: the page shows %dx%d pixels, too few for the player at %s"
                          % (shot.width, shot.height, (left, top, width, height)))
                    return 1
                seen = [shot.getpixel((int(left + fx * width), int(top + fy * height)))
                        for (fx, fy), _ in POINTS]
                if all(near(colour, wanted) for colour, (_, wanted) in zip(seen, POINTS)):
                    renderer = [e["message"] for e in driver.get_log("browser")
                                if "Ruffle instance created" in e["message"]]
                    print("PASS: %s shows its four quadrants after %.1f s (%s)"
                          % (movie, time.monotonic() - started,
                             renderer[-1].split("(")[-1].split(")")[0] if renderer else "?"))
                    break
                if time.monotonic() - started > BOUND_S:
                    failed = True
                    print("FAIL: %s not shown within %d s; at the points %s saw %s"
                          % (movie, BOUND_S, [p for p, _ in POINTS], seen))
                    shot.save("%s/%s.png" % (profile.name, movie))
                    for entry in driver.get_log("browser"):
                        print("browser: " + entry["message"])
                    break
                time.sleep(0.2)
    finally:
        driver.quit()
        server.shutdown()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
