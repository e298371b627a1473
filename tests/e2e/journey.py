"""What every journey shares: one session (Xvfb, the buses) per test module, and a fresh
browser on a fresh local server for each journey, with the helpers a person would name."""

import atexit
import os
import unittest

import harness as h
from harness import page, wait_for

BINARY = os.environ.get("TESSARVINE", "")
session = None

START = ("/start/", h.START_HOST)
GREEN, PINK, BLUE, YELLOW = "#c0ffc0", "#ffd0d0", "#c8d8ff", "#fff0a0"


def rgb(colour):
    return tuple(int(colour[i : i + 2], 16) for i in (1, 3, 5))


def near(a, b, tolerance=6):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def start_session():
    """A test module's setUpModule: one session for the whole run, as AT-SPI reads the one
    accessibility bus it first found."""
    global session
    if not BINARY or not os.access(BINARY, os.X_OK):
        raise unittest.SkipTest("set TESSARVINE to the built program")
    if session is None:
        session = h.Session()
        atexit.register(session.close)


def end_session():
    """A test module's tearDownModule: the session lasts for the modules after it."""


class Journey(unittest.TestCase):
    """A fresh browser on a fresh local server, its start page loaded."""

    args = ()
    opener = None

    def setUp(self):
        self.server = h.Server()
        self.server.route("/start/", page("Start", GREEN, "<h1>Start</h1>"), host=h.START_HOST)
        self.server.route(
            "/search", page("Results", YELLOW, "<p>results</p>"), host=h.START_HOST
        )
        self.prepare()
        self.browser = h.Browser(session, self.server, BINARY, self.args, name=self.id(),
                                 opener=self.opener, before_start=self.before_start)
        self.addCleanup(self.finish)
        self.wait_loaded()

    def prepare(self):
        """Routes a journey needs before the browser starts."""

    def before_start(self, env, home):
        """Prepares the browser's fresh home."""

    def wait_loaded(self):
        wait_for(lambda: self.browser.captions() == ["Start"], "the start page's tab caption")

    def finish(self):
        # (Inside a cleanup the outcome reads as a success; the result knows better.)
        result = getattr(getattr(self, "_outcome", None), "result", None)
        failed = result is not None and any(
            test is self for test, _ in result.failures + result.errors
        )
        if failed and self.browser.alive():
            print(f"\nscreenshot: {self.browser.screenshot(self.id().split('.')[-1])}")
        alive = self.browser.alive()
        self.browser.close()
        self.server.close()
        if failed:
            with open(self.browser.log_path) as log:
                print(log.read()[-3000:])
        self.assertTrue(alive, "the browser ended by itself during the journey")

    # Helpers a person would name

    def serve(self, path, title, colour, body="", host="site.test"):
        self.server.route(path, page(title, colour, body), host=host)

    def go(self, address, caption):
        self.browser.open_address(address)
        wait_for(lambda: caption in self.browser.captions(), f"a tab captioned {caption!r}")

    def shows(self, colour):
        wait_for(
            lambda: near(self.browser.page_colour(), rgb(colour)),
            f"the page area to show {colour}",
        )

    def sees(self, colour, address):
        """The page in front shows the colour, and the address box its address."""
        self.shows(colour)
        wait_for(lambda: self.browser.address_text() == address, f"the address {address!r}")

    def close_tab(self, caption, left):
        """Clicks the close box of the tab so captioned; the captions left."""
        self.browser.click(self.header(caption).find("push button", "Close tab"))
        wait_for(lambda: self.browser.captions() == left, f"tab {caption!r} to close")

    def header(self, caption):
        return wait_for(
            lambda: next((n for n in self.browser.headers() if n.name == caption), None),
            f"a tab header captioned {caption!r}",
        )

    def new_tab(self):
        before = len(self.browser.headers())
        self.browser.click(self.browser.node("push button", "New tab"))
        wait_for(lambda: len(self.browser.headers()) == before + 1, "one more tab header")
