// The audience's player. It follows the room through "status.inf", the ten lines the launch
// screen rewrites at every change (who presents, which slide, how to lay the page out), and
// plays the room's video from the streaming server's HLS output.
//
// The page lives one folder below the status file and the admin pictures; a talk's pictures are
// in a folder named after its presenter. In Localhost mode the presenter line carries the
// "veskCast" folder in front of that name, as the pictures sit under it there.
"use strict";

const StagorPlayer = (() => {
  const PollIntervalMs = 500;
  const PollTimeoutMs = 5000;
  const VideoRetryMs = 2000;
  const LocalFolder = "veskCast";
  // The room rewrites the status file on a 200 ms tick: on average half of it after the change.
  const RoomTickMs = 100;
  // A video further behind than this is no clock to follow (an encoder whose stream time does
  // not start at its connection): changes then show at once.
  const MaxVideoDelayMs = 30000;
  const StatIntervalMs = 10000;

  // The ten lines as the launch screen writes them; null for a file that is not a whole record
  // (half written, damaged, or something else altogether).
  function parseStatus(text) {
    if (typeof text !== "string") return null;
    const lines = text.split(/\r?\n/).filter((line) => line.trim() !== "");
    if (lines.length !== 10) return null;
    const values = [];
    for (let i = 0; i < 10; ++i) {
      const match = /^&info(\d)=([^&]*)& ?\S/.exec(lines[i]);
      if (!match || Number(match[1]) !== i) return null;
      values.push(match[2]);
    }
    const slide = values[2].trim();
    const presenter = values[1].trim();
    // Names that could lead out of the published folders are no record of ours.
    if (!/^[A-Za-z0-9]*$/.test(slide)) return null;
    if (presenter.split("/").some((part) => part === "." || part === "..") ||
        /[\\?#]/.test(presenter))
      return null;
    const view = /^[0-3]$/.test(values[4].trim()) ? Number(values[4]) : null;
    const scale = /^\d{1,3}$/.test(values[5].trim()) ? Number(values[5]) : null;
    const rolling = values[3] === "true" ? true : values[3] === "false" ? false : null;
    return {
      stamp: values[0],
      presenter: presenter,
      slide: slide,
      rolling: rolling,
      view: view,
      scale: scale,
      stageLeft: values[6] !== "stageRight",
      stretch: values[7] === "True",
      ratio43: values[8] !== "16:9",
      hideControls: values[9] === "True",
    };
  }

  // Where the record's slide is, relative to the page, and what a listener hears of it.
  function slideOf(record) {
    let root = "";
    let speaker = record.presenter;
    if (speaker === LocalFolder || speaker.startsWith(LocalFolder + "/")) {
      root = LocalFolder + "/";
      speaker = speaker.slice(LocalFolder.length + 1);
    }
    const name = speaker.replace(/_/g, " ");
    const path = (parts) => "../" + parts.map(encodeURIComponent).join("/") + ".jpg";
    const value = record.slide;
    let match;
    if ((match = /^h(\d*)$/.exec(value)))
      return { url: path((root + value).split("/")), label: "Holding slide", name: name };
    if ((match = /^p(\d)(\d*)$/.exec(value))) {
      const number = match[1] === "0" ? "10" : match[1];
      return { url: path((root + value).split("/")), label: "Pop-up " + number, name: name };
    }
    if ((match = /^r(\d+)$/.exec(value))) {
      const number = match[1].length > 6 ? match[1].slice(0, -6) : match[1];
      return { url: path((root + value).split("/")),
               label: "Rolling presentation, slide " + number, name: name };
    }
    if ((match = /^(\d+)$/.exec(value)) && speaker !== "") {
      // The slide number followed by the talk's six-digit export time code.
      const number = value.length > 6 ? value.slice(0, -6) : value;
      return { url: path((root + speaker).split("/").concat([value])),
               label: (name ? name + ", " : "") + "slide " + number, name: name };
    }
    return { url: null, label: name ? name : "No slide", name: name };
  }

  // The server's validators count to the second: a file rewritten within the second it was
  // sent in keeps its time, and its size too when only the slide number changed. They are used
  // only once the answer came a second after the file was written, so that any later change
  // shows; until then the file is asked for whole.
  function strongValidators(headers) {
    const modified = Date.parse(headers.get("Last-Modified") || "");
    const sent = Date.parse(headers.get("Date") || "");
    if (!(sent > modified)) return { etag: null, lastModified: null };
    return { etag: headers.get("ETag"), lastModified: headers.get("Last-Modified") };
  }

  // The stream's own time at the start of an HLS fragment, in ms: nginx names the fragments
  // after it (in 90 kHz ticks). Null for a name of another kind.
  function fragmentStreamMs(url) {
    const match = /-(\d+)\.ts(?:[?#].*)?$/.exec(url || "");
    return match ? Number(match[1]) / 90 : null;
  }

  // How long ago (ms) the encoder publishing the stream connected, from the streaming server's
  // statistics page; its stream time counts from then. Null when nobody publishes it.
  function publisherAge(xmlText, streamName) {
    const doc = new DOMParser().parseFromString(xmlText, "application/xml");
    for (const stream of doc.querySelectorAll("live > stream")) {
      const name = stream.querySelector(":scope > name");
      if (!name || name.textContent.trim() !== streamName) continue;
      for (const client of stream.querySelectorAll(":scope > client")) {
        const time = client.querySelector(":scope > time");
        if (client.querySelector(":scope > publishing") && time &&
            /^\d+$/.test(time.textContent.trim()))
          return Number(time.textContent);
      }
    }
    return null;
  }

  // Everything below needs the page.
  function start() {
    const page = {
      player: document.getElementById("player"),
      presenter: document.getElementById("presenter"),
      slide: document.getElementById("slide"),
      slideNote: document.getElementById("slide-note"),
      video: document.getElementById("video"),
      play: document.getElementById("play"),
      mute: document.getElementById("mute"),
      announce: document.getElementById("announce"),
    };
    const params = new URLSearchParams(location.search);
    const statusUrl = params.get("status") || "../status.inf";
    const videoUrl = params.get("video") || "../hls/vesklive.m3u8";
    const statUrl = params.get("stat") || "../stat";
    const streamName = videoUrl.replace(/[?#].*$/, "").replace(/^.*\//, "").replace(/\.m3u8$/, "");

    // The layout options the record left empty stay as the last record that carried them set.
    const layout = { view: 1, scale: 100 };
    let shownUrl = null;
    let shownLabel = null;
    let wanted = 0;
    let etag = null;
    let lastModified = null;

    function applyLayout(record) {
      if (record.view !== null) layout.view = record.view;
      if (record.scale !== null) layout.scale = Math.min(200, Math.max(25, record.scale));
      const classes = page.player.classList;
      for (let view = 0; view < 4; ++view) classes.toggle("view-" + view, view === layout.view);
      classes.toggle("stage-left", record.stageLeft);
      classes.toggle("stage-right", !record.stageLeft);
      classes.toggle("ratio-4-3", record.ratio43);
      classes.toggle("ratio-16-9", !record.ratio43);
      classes.toggle("stretch", record.stretch);
      classes.toggle("hide-controls", record.hideControls);
      page.player.style.setProperty("--video-share", Math.min(80, 0.4 * layout.scale) + "%");
    }

    function announce(text) {
      if (text === shownLabel) return;
      shownLabel = text;
      page.announce.textContent = text;
    }

    // The new picture replaces the old one once it has arrived, so that the page never goes
    // blank in between; a newer record overtakes one whose picture is still on its way.
    function showSlide(record) {
      const slide = slideOf(record);
      page.presenter.textContent = slide.name ? slide.name : "vesk stagor live";
      if (slide.url === shownUrl) return;
      const ticket = ++wanted;
      if (slide.url === null) {
        shownUrl = null;
        page.slide.removeAttribute("src");
        page.slide.alt = slide.label;
        announce(slide.label);
        return;
      }
      const picture = new Image();
      picture.onload = () => {
        if (ticket !== wanted) return;
        shownUrl = slide.url;
        page.slide.src = slide.url;
        // When, for whoever measures how far the page is behind the room.
        page.slide.dataset.shownAt = String(Date.now());
        page.slide.alt = slide.label;
        page.slideNote.hidden = true;
        announce(slide.label);
      };
      picture.onerror = () => {
        if (ticket !== wanted) return;
        page.slideNote.textContent = slide.label + " is not available";
        page.slideNote.hidden = false;
      };
      picture.src = slide.url;
    }

    // The room's video runs seconds behind the room. While it plays, each change waits until the
    // video reaches the moment the room made it, so that the slide moves on as the speaker is
    // seen to; without video it shows at once.
    let epoch = null; // the page's clock when the stream's time was zero
    let epochRoundTrip = Infinity;
    let playing = null; // the fragment on screen and its stream time
    const pending = []; // changes not shown yet, oldest first, with when the room made them
    let lastKey = null;
    let lastAnswerAt = null;
    let releaseTimer = null;

    async function readEpoch() {
      const abort = new AbortController();
      const timer = setTimeout(() => abort.abort(), PollTimeoutMs);
      try {
        const sent = Date.now();
        const answer = await fetch(statUrl, { cache: "no-store", signal: abort.signal });
        const received = Date.now();
        const age = answer.ok ? publisherAge(await answer.text(), streamName) : null;
        if (age === null) {
          epoch = null;
          return;
        }
        const estimate = (sent + received) / 2 - age;
        const roundTrip = received - sent;
        // The quickest answer tells best; an encoder that connected anew starts a new clock.
        if (epoch === null || roundTrip <= epochRoundTrip || Math.abs(estimate - epoch) > 1000) {
          epoch = estimate;
          epochRoundTrip = roundTrip;
        }
      } catch (error) {
        // No statistics this time: the last estimate stands.
      } finally {
        clearTimeout(timer);
      }
    }

    // The page's clock time at which the room took the picture now on screen; null while no
    // video plays or its time is not known.
    function videoRoomTime() {
      const video = page.video;
      if (!playing || epoch === null || video.paused || video.ended || video.readyState < 2)
        return null;
      const into = video.currentTime - playing.fragment.start;
      if (!(into > -1 && into < 60)) return null;
      const taken = epoch + playing.streamMs + into * 1000;
      const delay = Date.now() - taken;
      return delay >= 0 && delay <= MaxVideoDelayMs ? taken : null;
    }

    function release() {
      clearTimeout(releaseTimer);
      releaseTimer = null;
      let room = videoRoomTime();
      while (pending.length > 0 && (room === null || pending[0].at <= room)) {
        const record = pending.shift().record;
        applyLayout(record);
        showSlide(record);
        room = videoRoomTime();
      }
      if (pending.length > 0)
        releaseTimer = setTimeout(release, Math.min(250, Math.max(10, pending[0].at - room)));
    }

    function take(record, answeredAt) {
      const key = JSON.stringify(Object.assign({}, record, { stamp: "" }));
      const first = lastKey === null;
      if (key === lastKey) return;
      lastKey = key;
      // The file changed between the last answer and this one.
      const since = lastAnswerAt !== null ? lastAnswerAt : answeredAt - PollIntervalMs;
      const at = first ? -Infinity : (since + answeredAt) / 2 - RoomTickMs;
      const url = slideOf(record).url;
      if (url) new Image().src = url; // on its way while it waits
      pending.push({ record: record, at: at });
      release();
    }

    async function poll() {
      const started = performance.now();
      const headers = {};
      if (etag) headers["If-None-Match"] = etag;
      else if (lastModified) headers["If-Modified-Since"] = lastModified;
      const abort = new AbortController();
      const timer = setTimeout(() => abort.abort(), PollTimeoutMs);
      try {
        const answer = await fetch(statusUrl, { cache: "no-store", headers: headers,
                                                signal: abort.signal });
        const answeredAt = Date.now();
        if (answer.status === 200) {
          const record = parseStatus(await answer.text());
          // A file caught half written is read again next time: keep its validators out.
          if (record) {
            const validators = strongValidators(answer.headers);
            etag = validators.etag;
            lastModified = validators.lastModified;
            take(record, answeredAt);
          }
        }
        if (answer.status === 200 || answer.status === 304) lastAnswerAt = answeredAt;
      } catch (error) {
        // The server is away for a moment: the page keeps what it shows.
      } finally {
        clearTimeout(timer);
      }
      setTimeout(poll, Math.max(0, PollIntervalMs - (performance.now() - started)));
    }

    let hls = null;
    function startVideo() {
      page.player.classList.add("no-video");
      if (window.Hls && window.Hls.isSupported()) {
        // Short fragments and a short sync distance keep the picture close to the room; a
        // player that falls behind catches up by playing a little faster.
        hls = new window.Hls({
          liveSyncDuration: 1,
          liveMaxLatencyDuration: 3,
          maxLiveSyncPlaybackRate: 1.5,
          backBufferLength: 10,
        });
        hls.on(window.Hls.Events.FRAG_CHANGED, (event, data) => {
          const streamMs = fragmentStreamMs(data.frag.relurl || data.frag.url);
          playing = streamMs === null ? null : { fragment: data.frag, streamMs: streamMs };
        });
        hls.on(window.Hls.Events.MANIFEST_PARSED, readEpoch);
        hls.on(window.Hls.Events.ERROR, (event, data) => {
          if (!data.fatal) return;
          page.player.classList.add("no-video");
          hls.destroy();
          hls = null;
          playing = null;
          setTimeout(startVideo, VideoRetryMs);
        });
        hls.loadSource(videoUrl);
        hls.attachMedia(page.video);
      } else if (page.video.canPlayType("application/vnd.apple.mpegurl")) {
        page.video.src = videoUrl;
      } else {
        document.getElementById("video-note").textContent =
          "This browser cannot play the room's video";
      }
    }
    page.video.addEventListener("playing", () => page.player.classList.remove("no-video"));
    page.video.addEventListener("error", () => {
      if (!hls) setTimeout(() => page.video.load(), VideoRetryMs);
    });

    page.play.addEventListener("click", () => {
      if (page.video.paused) page.video.play().catch(() => {});
      else page.video.pause();
    });
    page.video.addEventListener("play", () => (page.play.textContent = "Pause"));
    page.video.addEventListener("pause", () => (page.play.textContent = "Play"));
    const showMuted = () => page.mute.setAttribute("aria-pressed", String(page.video.muted));
    page.mute.addEventListener("click", () => {
      page.video.muted = !page.video.muted;
      showMuted();
    });
    page.video.addEventListener("volumechange", showMuted);

    // A viewer who stops the video sees the slides at once again.
    page.video.addEventListener("pause", release);

    poll();
    startVideo();
    setInterval(() => {
      if (hls) readEpoch();
    }, StatIntervalMs);
    return {
      // Seconds from the newest video the server has to what the viewer sees; NaN without it.
      videoLatency: () => (hls && hls.latency !== undefined ? hls.latency : NaN),
      // How far (ms) the picture on screen was taken before now, which each slide change
      // waits; NaN while no video plays.
      videoDelayMs: () => {
        const taken = videoRoomTime();
        return taken === null ? NaN : Date.now() - taken;
      },
    };
  }

  return { parseStatus: parseStatus, slideOf: slideOf, strongValidators: strongValidators,
           fragmentStreamMs: fragmentStreamMs, publisherAge: publisherAge, start: start };
})();

if (typeof document !== "undefined" && document.getElementById("player"))
  StagorPlayer.page = StagorPlayer.start();
