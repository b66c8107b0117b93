#!/usr/bin/python3
"""The end-to-end tests' viewer browsers (tests/e2e/audience_browser.py) with two more commands
for the latency bench:

    player_viewer.py URL STATUS-FILE

  timed NAME KEY N    presses KEY in the room and waits until the browser shows slide N;
                      answers with the milliseconds from the key until the screenshot showed
                      it, until the page had put it up, until STATUS-FILE named it, until the
                      moment of the room the video beside it showed, and the page's own
                      estimate of the video's delay
  behind NAME         how far (s) the video plays behind the newest fragment it knows
  pause NAME          pauses the video with the page's Pause button: the page then shows each
                      slide as soon as it hears of it, as for a viewer without video"""

import os
import re
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import audience_browser  # noqa: E402


def named_after(path, slide, started):
    """Watches the status file in the background; returns a function giving the milliseconds
    from started until it named the slide, or None."""
    names = re.compile(rb"^&info2=%d\d{6}& Current Slide\r?$" % slide, re.MULTILINE)
    stop, seen = threading.Event(), []

    def watch():
        while not stop.is_set() and not seen:
            try:
                with open(path, "rb") as file:
                    if names.search(file.read()):
                        seen.append(round((time.monotonic() - started) * 1000))
            except OSError:
                pass
            time.sleep(0.005)
    thread = threading.Thread(target=watch, daemon=True)
    thread.start()

    def result():
        stop.set()
        thread.join()
        return seen[0] if seen else None
    return result


def extra(status_file):
    def answer(viewers, words):
        viewer = viewers[words[1]]
        if words[0] == "behind":
            return "ok %.2f" % viewer.driver.execute_script(
                "return StagorPlayer.page.videoLatency();")
        if words[0] == "pause":
            viewer.driver.execute_script(
                "if (!document.getElementById('video').paused)"
                " document.getElementById('play').click();")
            paused = viewer.driver.execute_script("return document.getElementById('video').paused;")
            return "ok" if paused else "fail the video still plays after Pause"
        if words[0] != "timed":
            return "fail no command " + words[0]
        started, clock = time.monotonic(), time.time()
        published = named_after(status_file, int(words[3]), started)
        answer, box = viewer.aligned(words[2], int(words[3]))
        if box is None:
            return answer
        shown, taken, estimate = answer.split()[1:]
        return "ok %s %d %s %s %s" % (shown, round(box["shownAt"] - clock * 1000), published(),
                                      taken, estimate)
    return answer


if __name__ == "__main__":
    audience_browser.run(sys.argv[1], extra(sys.argv[2]))
