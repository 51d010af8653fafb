#!/usr/bin/env python3
"""Opens the help page in headless Chromium, driven over the DevTools protocol, and checks it
the way a reader meets it: every link inside the page leads somewhere, every picture loads, and
the page asks for nothing outside its own folder. Keeps the rendered page as a picture."""

import argparse
import base64
import fcntl
import json
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe",
]

# Runs in the page once it has loaded: its pictures and its links as the browser sees them.
PAGE_FACTS = """JSON.stringify({
  pictures: [...document.images].map(i => ({src: i.getAttribute('src'),
                                            loaded: i.complete && i.naturalWidth > 0})),
  links: [...document.querySelectorAll('a[href]')].map(a => ({
    href: a.getAttribute('href'), url: a.href,
    target: a.hash ? document.getElementById(decodeURIComponent(a.hash.slice(1))) !== null : false
  })),
  height: document.documentElement.scrollHeight
})"""


class Browser:
    """Chromium with the DevTools protocol on a pipe: requests go to fd 3, answers come on fd 4,
    each message ending in a zero byte."""

    def __init__(self, profile):
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()

        # In the child, after the pipes land on 3 and 4, every other descriptor is closed.
        def child_fds():
            # Out of the way first, in case a pipe end already sits on 3 or 4.
            reading = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self._process = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={profile}", "about:blank"],
            pass_fds=(3, 4), preexec_fn=child_fds,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next_id = 0
        self.events = []

    def close(self):
        os.close(self._to_browser)
        self._process.terminate()
        self._process.wait(timeout=10)
        os.close(self._from_browser)

    def _read_message(self, timeout=30):
        while b"\0" not in self._buffer:
            if not select.select([self._from_browser], [], [], timeout)[0]:
                raise RuntimeError(f"Chromium said nothing for {timeout} s")
            chunk = os.read(self._from_browser, 65536)
            if not chunk:
                raise RuntimeError("Chromium closed the DevTools pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, session=None, **params):
        self._next_id += 1
        request = {"id": self._next_id, "method": method, "params": params}
        if session:
            request["sessionId"] = session
        os.write(self._to_browser, json.dumps(request).encode() + b"\0")
        while True:
            message = self._read_message()
            if message.get("id") == self._next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self.events.append(message)

    def wait_for(self, method, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for event in self.events:
                if event.get("method") == method:
                    return event
            self.events.append(self._read_message())
        raise RuntimeError(f"no {method} within {timeout} s")


def inside(folder, url):
    """Whether a file URL names something in the folder or below it."""
    parsed = urllib.parse.urlparse(url)
    if parsed.scheme != "file":
        return False
    path = pathlib.Path(urllib.parse.unquote(parsed.path)).resolve()
    return path == folder or folder in path.parents


def check(folder, page_url, facts, requests):
    problems = []
    for picture in facts["pictures"]:
        if not picture["loaded"]:
            problems.append(f"picture does not load: {picture['src']}")
    for link in facts["links"]:
        href, url = link["href"], link["url"]
        if href.startswith("#") or url.split("#")[0] == page_url:
            if not link["target"]:
                problems.append(f"link leads to no element of the page: {href}")
        elif url.startswith("file:"):
            path = pathlib.Path(urllib.parse.unquote(urllib.parse.urlparse(url).path))
            if not inside(folder, url) or not path.exists():
                problems.append(f"link leads to no file in the page's folder: {href}")
    for url in requests:
        if not url.startswith("data:") and not inside(folder, url):
            problems.append(f"request outside the page's folder: {url}")
    if len(facts["pictures"]) == 0:
        problems.append("the page shows no pictures")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("page", type=pathlib.Path, help="the help page, help.htm")
    parser.add_argument("picture", type=pathlib.Path, help="where the rendered page goes (PNG)")
    args = parser.parse_args()
    page = args.page.resolve()
    folder = page.parent
    page_url = page.as_uri()

    profile = tempfile.mkdtemp(prefix="help-check-profile-")
    browser = Browser(profile)
    try:
        target = browser.call("Target.createTarget", url="about:blank")["targetId"]
        session = browser.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        browser.call("Network.enable", session)
        browser.call("Page.enable", session)
        browser.call("Page.navigate", session, url=page_url)
        browser.wait_for("Page.loadEventFired")
        facts = json.loads(browser.call("Runtime.evaluate", session, expression=PAGE_FACTS,
                                        returnByValue=True)["result"]["value"])
        browser.call("Emulation.setDeviceMetricsOverride", session, width=900,
                     height=facts["height"], deviceScaleFactor=1, mobile=False)
        shot = browser.call("Page.captureScreenshot", session, format="png")
        args.picture.parent.mkdir(parents=True, exist_ok=True)
        args.picture.write_bytes(base64.b64decode(shot["data"]))
        requests = [e["params"]["request"]["url"] for e in browser.events
                    if e.get("method") == "Network.requestWillBeSent"
                    and e.get("sessionId") == session]
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)

    problems = check(folder, page_url, facts, requests)
    print(f"{page}: {len(facts['pictures'])} pictures, {len(facts['links'])} links, "
          f"{len(requests)} requests; rendered into {args.picture}")
    for problem in problems:
        print(f"error: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
