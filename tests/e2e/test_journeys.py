"""Every journey of a user, on the real program in a real X window: real key presses and
mouse clicks, and checks only on what the screen, the accessibility tree and the local
server show."""

import os
import threading
import time
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


def setUpModule():
    global session
    if not BINARY or not os.access(BINARY, os.X_OK):
        raise unittest.SkipTest("set TESSARVINE to the built program")
    session = h.Session()


def tearDownModule():
    if session:
        session.close()


# A one-page PDF that says "Quarterly report".
PDF = (b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
       b"2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
       b"3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
       b"/Resources << /Font << /F1 5 0 R >> >> >> endobj\n"
       b"4 0 obj << /Length 47 >> stream\nBT /F1 24 Tf 30 100 Td (Quarterly report) Tj ET\n"
       b"endstream endobj\n5 0 obj << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> "
       b"endobj\ntrailer << /Root 1 0 R >>\n%%EOF\n")


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

    def header(self, caption):
        return wait_for(
            lambda: next((n for n in self.browser.headers() if n.name == caption), None),
            f"a tab header captioned {caption!r}",
        )

    def new_tab(self):
        before = len(self.browser.headers())
        self.browser.click(self.browser.node("push button", "New tab"))
        wait_for(lambda: len(self.browser.headers()) == before + 1, "one more tab header")


class Typing(Journey):
    def tearDown(self):
        # Downloads are the only files a run writes: no shader caches in the home folder.
        cache = os.path.join(self.browser.home, ".cache")
        left = os.listdir(cache) if os.path.isdir(cache) else []
        self.assertEqual([n for n in left if "shader" in n], [])

    def test_an_address_and_enter_loads_it_in_the_active_tab(self):
        b = self.browser
        self.serve("/typed", "Typed", PINK)
        self.go("site.test/typed", "Typed")
        self.assertTrue(self.server.received("/typed", "site.test"))
        self.assertEqual(b.address_text(), "http://site.test/typed")
        self.shows(PINK)
        # The same in a new tab; the first keeps its page.
        self.new_tab()
        self.serve("/second", "Second", BLUE)
        self.go("site.test/second", "Second")
        self.assertEqual(b.captions(), ["Typed", "Second"])
        self.shows(BLUE)
        # Keys other than Enter load nothing.
        requests = len(self.server.requests)
        b.click(b.address_box(), dx=-40)
        b.key("ctrl+a")
        b.type("site.test/never")
        b.key("Escape", "Tab")
        time.sleep(1.0)  # proving that nothing is requested
        self.assertFalse(self.server.received("/never"))
        self.assertEqual(len(self.server.requests), requests)


class EverydayWalk(Journey):
    def test_the_box_follows_every_page_and_each_tab_keeps_its_typing(self):
        b = self.browser
        self.serve("/first", "First", PINK,
                   "<a href='http://other.test/second' style='display:block;height:300px'>on</a>")
        self.serve("/second", "Second", BLUE, host="other.test")
        self.go("site.test/first", "First")
        x, y, _, _ = b.page_area()
        b.click_at(x + 40, y + 100)
        self.shows(BLUE)
        wait_for(lambda: b.address_text() == "http://other.test/second", "the other site's address")
        b.click(b.node("push button", "Back"))
        self.shows(PINK)
        wait_for(lambda: b.address_text() == "http://site.test/first", "the first page's address")
        # Half an address typed in a second tab stays there over a switch away and back.
        self.new_tab()
        b.type("half.te")
        b.click(self.header("First"))
        wait_for(lambda: b.address_text() == "http://site.test/first", "the first tab's address")
        b.click(b.headers()[1])
        wait_for(lambda: b.address_text() == "half.te", "the second tab's typing")
        self.assertFalse(self.server.received("/", "half.te"))


class Blocking(Journey):
    def test_a_news_page_shows_without_its_ads_until_the_user_lets_them_through(self):
        b = self.browser
        red = (255, 0, 0)
        self.serve("/news", "News", GREEN,
                   "<div class='banner-ad' style='height:150px;background:#ff0000'>ad</div>"
                   "<img src='http://ad.doubleclick.net/ad.png' width=300 height=250>"
                   "<script src='http://www.google-analytics.com/analytics.js'></script>"
                   "<p style='height:300px'>the news</p>", host="news.test")
        self.go("news.test/news", "News")
        self.shows(GREEN)
        x, y, width, _ = b.page_area()
        time.sleep(1.0)  # proving that the ads are neither requested nor drawn
        self.assertFalse(self.server.received("/ad.png"))
        self.assertFalse(self.server.received("/analytics.js"))
        self.assertFalse(any(near(c, red, 40) for c in b.pixels(x, y, width, 200)))
        # The page's menu lets them through for this site: the page reloads with them.
        b.click_at(x + width // 2, y + 250, button=3)
        time.sleep(0.5)  # the menu opens at the pointer; nothing tells when over AT-SPI
        b.key("Up", "Up", "Return")  # "Allow ads on this site", above "Mute tab"
        wait_for(lambda: self.server.received("/ad.png", "ad.doubleclick.net"), "the ad's request")
        wait_for(lambda: any(near(c, red, 40) for c in b.pixels(x, y, width, 200)),
                 "the ad box drawn")


class History(Journey):
    def test_back_forward_and_stop(self):
        b = self.browser
        self.serve("/one", "One", PINK)
        self.serve("/two", "Two", BLUE)
        self.go("site.test/one", "One")
        self.go("site.test/two", "Two")
        b.click(b.node("push button", "Back"))
        self.shows(PINK)
        wait_for(lambda: b.address_text() == "http://site.test/one", "the address of page one")
        b.click(b.node("push button", "Forward"))
        self.shows(BLUE)
        wait_for(lambda: b.captions() == ["Two"], "the caption of page two")
        # A page that takes long: Stop ends the load before it answers.
        self.server.route("/slow", page("Slow", YELLOW), host="site.test")
        self.server.routes[("site.test", "/slow")].delay = 8
        b.open_address("site.test/slow")
        wait_for(lambda: self.server.received("/slow"), "the slow page's request")
        b.node("filler", "Loading", "the tab's progress bar")
        b.click(b.node("push button", "Stop"))
        # Gone by the stop, not by the answer: the server answers only after 8 s.
        wait_for(
            lambda: not any(n.showing for n in b.window.find_all("filler", "Loading")),
            "the progress bar to go",
            timeout=6,
        )
        self.assertEqual(b.captions(), ["Two"])
        self.shows(BLUE)


class Zoom(Journey):
    def prepare(self):
        self.server.route(
            "/start/",
            page("Start", "#ffffff", "<div style='width:400px;height:200px;background:#ff0000'></div>"),
            host=h.START_HOST,
        )

    def block_width(self):
        x, y, width, _ = self.browser.page_area()
        return sum(1 for c in self.browser.pixels(x, y + 4, width, 1) if near(c, (255, 0, 0), 40))

    def test_each_zoom_item_scales_the_page(self):
        b = self.browser
        wait_for(lambda: abs(self.block_width() - 400) <= 2, "the block at its natural size")
        zoom = b.node("push button", "Zoom")
        x, y, width, height = zoom.extents
        for position, factor in ((1, 0.25), (2, 0.5), (4, 1.25), (5, 1.5), (3, 1.0)):
            b.focus_window()
            # The arrow at the button's right end opens the menu; the keyboard chooses.
            b.click_at(x + width - 5, y + height // 2)
            time.sleep(0.3)  # the menu runs modally from here on; nothing to observe yet
            b.key(*(["Down"] * position), "Return")
            wait_for(
                lambda: abs(self.block_width() - 400 * factor) <= 3,
                f"the block drawn at {int(factor * 100)}%",
            )


class Tabs(Journey):
    def test_new_tab_button_and_menu_open_active_blank_tabs(self):
        b = self.browser
        self.shows(GREEN)
        self.new_tab()
        self.shows("#ffffff")
        wait_for(lambda: b.address_text() == "", "an empty address box")
        b.menu("New", "Tab")
        wait_for(lambda: len(b.headers()) == 3, "a third tab header")
        self.assertEqual(b.captions()[0], "Start")
        # Only the start page was ever requested.
        self.assertEqual([p for p in self.server.paths() if p != "/favicon.ico"], ["/start/"])

    def test_clicking_a_header_activates_its_tab(self):
        b = self.browser
        self.new_tab()
        self.serve("/other", "Other", PINK)
        self.go("site.test/other", "Other")
        b.click(self.header("Start"))
        self.shows(GREEN)
        wait_for(lambda: b.address_text() == "http://www.google.com/start/", "the start address")
        b.click(self.header("Other"))
        self.shows(PINK)
        wait_for(lambda: b.address_text() == "http://site.test/other", "the other address")

    def test_close_box_with_the_page_focused_goes_back_to_the_previous_tab(self):
        b = self.browser
        self.serve("/two", "Two", PINK)
        self.serve("/three", "Three", BLUE)
        self.new_tab()
        self.go("site.test/two", "Two")
        self.new_tab()
        self.go("site.test/three", "Three")
        b.click(self.header("Start"))
        self.shows(GREEN)
        b.click(self.header("Two"))
        self.shows(PINK)
        # Into the page, so that it has the keyboard focus, then its close box.
        x, y, width, height = b.page_area()
        b.click_at(x + width // 2, y + height // 2)
        time.sleep(0.3)  # lets the page take the focus; the next check is what matters
        b.click(self.header("Two").find("push button", "Close tab"))
        wait_for(lambda: b.captions() == ["Start", "Three"], "tab two to close")
        self.shows(GREEN)
        wait_for(lambda: b.address_text() == "http://www.google.com/start/", "the start address")
        # A background tab's close box keeps the active tab.
        b.click(self.header("Three").find("push button", "Close tab"))
        wait_for(lambda: b.captions() == ["Start"], "tab three to close")
        self.shows(GREEN)

    def test_many_tabs_keep_the_last_one_reachable(self):
        b = self.browser
        for _ in range(10):
            self.new_tab()
        strip = b.window.find(name="Tabs")
        sx, sy, sw, sh = strip.extents
        headers = b.headers()
        last = headers[-1]
        lx, ly, lw, lh = last.extents
        # The newest header is whole on screen, inside the strip, and its close box works.
        self.assertGreaterEqual(lx, sx)
        self.assertLessEqual(lx + lw, sx + sw)
        b.screenshot("many-tabs")
        b.click(last.find("push button", "Close tab"))
        wait_for(lambda: len(b.headers()) == 10, "the last tab to close")
        # The strip scrolls back with the wheel to the first tab, which a click activates.
        first = b.headers()[0]
        for _ in range(20):
            if first.extents[0] >= sx + 20:
                break
            b.click_at(sx + sw // 2, sy + sh // 2, button=4)
        fx, fy, fw, fh = first.extents
        b.click_at(fx + 30, fy + fh // 2)
        self.shows(GREEN)
        wait_for(lambda: b.address_text() == "http://www.google.com/start/", "the start address")


class SourceViews(Journey):
    def prepare(self):
        self.server.route(
            "/start/",
            page("Start", GREEN, "<p>Hello source view, a line of markup to read</p>"),
            host=h.START_HOST,
        )

    def source_shown(self):
        return not near(self.browser.page_colour(), rgb(GREEN))

    def text_height(self):
        """The height in pixels of the first line of dark text in the view area."""
        x, y, width, height = self.browser.page_area()
        rows = self.browser.pixels(x + 5, y, 300, 60)
        dark = [i // 300 for i, c in enumerate(rows) if sum(c) < 300]
        return (max(dark) - min(dark) + 1) if dark else 0

    def test_tab_menu_view_source_and_back(self):
        b = self.browser
        self.shows(GREEN)
        header = self.header("Start")
        b.focus_window()
        b.click(header, button=3)
        time.sleep(0.3)  # the menu runs modally from here on; nothing to observe yet
        b.key("Down", "Down", "Return")  # "View search", "View Source"
        wait_for(self.source_shown, "the source view in front")
        b.screenshot("tab-menu-source")
        b.click(header, button=3)
        time.sleep(0.3)  # the menu runs modally from here on; nothing to observe yet
        b.key("Down", "Down", "Return")
        self.shows(GREEN)

    def test_view_menu_source_code_is_readable(self):
        b = self.browser
        self.shows(GREEN)
        b.menu("View", "Source code")
        wait_for(self.source_shown, "the source view in front")
        wait_for(
            lambda: b.node("menu item", "Source code", showing=False).state("checked"),
            "the Source code mark",
        )
        shot = b.screenshot("view-source")
        # The markup is drawn in letters a person can read, about 13 pixels high.
        height = wait_for(lambda: self.text_height() or None, "text in the source view")
        self.assertGreaterEqual(height, 8, f"text drawn {height} pixels high ({shot})")
        self.assertLessEqual(height, 20, f"text drawn {height} pixels high ({shot})")
        b.menu("View", "Source code")
        self.shows(GREEN)


class Search(Journey):
    def test_search_tab_sends_the_encoded_query(self):
        b = self.browser
        b.menu("New", "Search Tab")
        header = self.header("Search")
        field = b.node("text", "Search text", "the search field", where=header)
        b.focus_window()
        b.click(field)
        b.type("C# & more")
        b.key("Return")
        wait_for(
            lambda: self.server.received("/search?hl=en&q=C%23%20%26%20more", h.START_HOST),
            "the search request",
        )
        wait_for(lambda: b.captions() == ["Start", "Results"], "the results page's caption")
        self.shows(YELLOW)


class Popups(Journey):
    def prepare(self):
        self.serve("/popup", "Popup", BLUE)
        self.serve("/opener", "Opener", PINK, "<script>window.open('/popup')</script>")

    def test_a_popup_opens_a_tab_and_a_blocked_one_says_so(self):
        b = self.browser
        self.go("site.test/opener", "Opener")
        wait_for(lambda: b.captions() == ["Opener", "Popup"], "the pop-up's own tab")
        self.shows(BLUE)
        self.assertIsNone(b.panel())
        b.menu("Settings", "Popups")
        wait_for(
            lambda: not b.node("menu item", "Popups", showing=False).state("checked"),
            "Popups unchecked",
        )
        popups = self.server.paths().count("/popup")
        b.click(self.header("Opener"))
        b.open_address("site.test/opener")
        wait_for(lambda: b.panel(), "the warning panel")
        self.assertIn("A popup window has been blocked.", b.panel())
        time.sleep(1.0)  # proving that the pop-up is not requested
        self.assertEqual(self.server.paths().count("/popup"), popups)
        self.assertEqual(len(b.headers()), 2)

    def test_a_middle_click_opens_the_link_in_a_tab_behind(self):
        b = self.browser
        self.serve("/behind", "Behind", BLUE)
        self.serve("/links", "Links", PINK,
                   "<a href='/behind' style='display:block;height:300px'>behind</a>")
        b.menu("Settings", "Popups")  # off: a link the user opens is no pop-up
        self.go("site.test/links", "Links")
        x, y, width, _ = b.page_area()
        b.click_at(x + 40, y + 100, button=2)
        wait_for(lambda: b.captions() == ["Links", "Behind"], "the link's tab, behind")
        self.shows(PINK)
        self.assertIsNone(b.panel())


    def test_a_click_that_opens_thirty_windows_opens_none_with_popups_off(self):
        b = self.browser
        self.serve("/many", "Many", PINK,
                   "<div style='height:300px'>x</div><script>addEventListener('auxclick', () => {"
                   " for (let i = 0; i < 30; ++i) window.open('/popup?' + i) })</script>")
        b.menu("Settings", "Popups")  # off: a page's windows are pop-ups, however it asks
        self.go("site.test/many", "Many")
        x, y, _, _ = b.page_area()
        b.click_at(x + 40, y + 100, button=2)
        wait_for(lambda: b.panel(), "the pop-up notice")
        self.assertIn("A popup window has been blocked.", b.panel())
        time.sleep(1.0)  # proving that none of the windows is requested
        self.assertFalse([p for p in self.server.paths() if p.startswith("/popup")])
        self.assertEqual(b.captions(), ["Many"])


class Notices(Journey):
    def test_navigation_error_notice(self):
        b = self.browser
        b.open_address("site.test/missing")
        wait_for(lambda: b.panel(), "the warning panel")
        self.assertEqual(
            b.panel(),
            ["An error accured", "The Page could not be found or an error in source code of HTML."],
        )

    def test_warning_panel_close_box(self):
        b = self.browser
        _, top, _, _ = b.page_area()
        self.serve("/scan", "Free virus scan", PINK)
        self.go("site.test/scan", "Free virus scan")
        wait_for(lambda: b.panel(), "the warning panel")
        self.assertIn("This site might contain viruses!", b.panel())
        wait_for(lambda: b.page_area()[1] > top, "the page moved down under the panel")
        b.click(b.node("push button", "Close warning"))
        wait_for(lambda: b.panel() is None, "the panel to close")
        wait_for(lambda: b.page_area()[1] == top, "the page back at its place")

    def test_about_twice_gives_one_box_and_ok_hides_it(self):
        b = self.browser

        def boxes():
            return [n for n in b.app.find_all(name="Tessarvine - About") if n.showing]

        b.menu("Help", "About")
        wait_for(boxes, "the about box")
        b.focus_window()
        b.menu("Help", "About")
        time.sleep(0.5)  # proving that no second box appears
        self.assertEqual(len(boxes()), 1)
        b.click(b.node("push button", "Ok", where=boxes()[0]))
        wait_for(lambda: not boxes(), "the about box to hide")


class HostilePages(Journey):
    def test_a_dialog_loop_never_holds_the_window(self):
        b = self.browser
        self.serve("/alerts", "Alerts", PINK,
                   "<script>setTimeout(() => { for (;;) alert('<b>hello</b>'); }, 0)</script>")
        b.open_address("site.test/alerts")
        # A few dialogs, each answered with a click; then the page is refused more.
        for answered in range(3):
            dialog = b.node(None, "Message from the page", f"dialog {answered + 1}")
            self.assertIsNotNone(dialog.find("label", "<b>hello</b>"))
            b.click(b.node("push button", "OK", where=dialog))
            wait_for(lambda: not dialog.showing, f"dialog {answered + 1} to go")
        time.sleep(1.0)  # proving that no further dialog comes
        self.assertFalse(
            any(n.showing for n in b.window.find_all(name="Message from the page"))
        )
        # The window answers the user: the menus, and the tab's own close box.
        b.menu("New", "Tab")
        wait_for(lambda: len(b.headers()) == 2, "a second tab")
        b.click(self.header("Alerts").find("push button", "Close tab"))
        wait_for(lambda: len(b.headers()) == 1, "the page's tab to close")


class StartedWithAddresses(Journey):
    args = ("site.test/one", "site.test/two")

    def prepare(self):
        self.serve("/one", "One", PINK)
        self.serve("/two", "Two", BLUE)

    def wait_loaded(self):
        wait_for(lambda: self.browser.captions() == ["One", "Two"], "a tab for each address")

    def test_each_address_opens_in_its_own_tab_the_last_active(self):
        self.shows(BLUE)
        self.assertEqual(self.browser.address_text(), "http://site.test/two")
        self.assertFalse(self.server.received("/start/"))


class OpenedByTheDesktop(Journey):
    """The desktop's default browser: xdg-open hands it an address."""

    opener = ("xdg-open",)
    args = ("http://site.test/linked",)

    def prepare(self):
        self.serve("/linked", "Linked", BLUE)
        self.serve("/second", "Second", YELLOW)

    def before_start(self, env, home):
        entry = os.path.join(os.path.dirname(__file__), "../../resources/org.tessarvine.Tessarvine.desktop")
        applications = os.path.join(env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        with open(entry) as source, open(os.path.join(applications, "org.tessarvine.Tessarvine.desktop"), "w") as copy:
            copy.write(source.read().replace("Exec=tessarvine", f"Exec={BINARY}"))
        for scheme in ("x-scheme-handler/http", "x-scheme-handler/https", "text/html"):
            h.run("xdg-mime", "default", "org.tessarvine.Tessarvine.desktop", scheme, env=env)

    def wait_loaded(self):
        wait_for(lambda: self.browser.captions() == ["Linked"], "the linked page's tab")

    def test_xdg_open_opens_the_address_and_then_a_tab_in_the_same_window(self):
        b = self.browser
        self.assertTrue(self.server.received("/linked", "site.test"))
        self.shows(BLUE)
        # Opened again, as another link clicked in another program: the running window
        # takes it, and the second start ends at once.
        h.run("xdg-open", "http://site.test/second", env=b.env, timeout=20)
        wait_for(lambda: b.captions() == ["Linked", "Second"], "a second tab in the same window")
        self.shows(YELLOW)
        self.assertEqual(b.programs(), [b.pid])


class Keyboard(Journey):
    def prepare(self):
        self.serve("/one", "One", PINK, "<p>apple pie, apple tart and apple juice</p>")
        self.serve("/two", "Two", BLUE)

    def find_count(self):
        bar = self.browser.window.find(name="Find in page")
        if bar is None or not bar.showing:
            return None
        return next((n.name for n in bar.find_all("label") if " of " in n.name), "")

    def test_f12_shows_the_developer_tools_and_closes_them(self):
        b = self.browser
        self.go("site.test/one", "One")
        b.focus_window()
        b.key("F12")
        tools = b.node(None, "Developer tools - One", "the developer tools", where=b.app)
        b.focus_window()
        b.key("F12")
        wait_for(lambda: not tools.showing, "the developer tools to close")

    def test_shortcuts_on_the_real_keyboard(self):
        b = self.browser
        b.focus_window()
        # Ctrl+L: the address box, its text selected, ready to be typed over.
        b.key("ctrl+l")
        b.type("site.test/one")
        b.key("Return")
        wait_for(lambda: b.captions() == ["One"], "page one in the first tab")
        # Ctrl+T, and an address typed there; Ctrl+Tab back to the first tab.
        b.key("ctrl+t")
        wait_for(lambda: len(b.headers()) == 2, "a second tab")
        b.key("ctrl+l")
        b.type("site.test/two")
        b.key("Return")
        wait_for(lambda: b.captions() == ["One", "Two"], "page two in the second tab")
        b.key("ctrl+Tab")
        self.shows(PINK)
        # F5 loads the page again.
        loads = self.server.paths().count("/one")
        b.key("F5")
        wait_for(lambda: self.server.paths().count("/one") > loads, "page one requested again")
        # Ctrl+F: the find bar counts the matches; Enter and Shift+Enter step; Esc closes.
        b.key("ctrl+f")
        wait_for(lambda: self.find_count() is not None, "the find bar")
        b.type("apple")
        wait_for(lambda: self.find_count() == "1 of 3", "one of three matches")
        b.key("Return")
        wait_for(lambda: self.find_count() == "2 of 3", "the second match")
        b.key("shift+Return")
        wait_for(lambda: self.find_count() == "1 of 3", "the first match again")
        b.key("Escape")
        wait_for(lambda: self.find_count() is None, "the find bar to close")
        # Ctrl+W closes the active tab; the other stays.
        b.key("ctrl+w")
        wait_for(lambda: b.captions() == ["Two"], "the first tab to close")
        self.shows(BLUE)


class PageKeysAndDialogs(Journey):
    def page_named(self, title):
        return self.browser.node("document web", title, f"the page to call itself {title!r}",
                                 showing=False)

    def click_page(self):
        x, y, width, _ = self.browser.page_area()
        self.browser.click_at(x + width // 2, y + 100)
        time.sleep(0.3)  # lets the page take the focus; what follows checks what matters

    def test_a_focused_page_hears_esc_and_its_confirm_answers_to_esc_and_enter(self):
        b = self.browser
        self.serve("/ask", "Ask", PINK,
                   "<script>addEventListener('keydown', e => fetch('/got?' + e.key))</script>"
                   "<button style='width:100%;height:200px' onclick=\"document.title = "
                   "confirm('Sure?') ? 'Yes' : 'No'\">Ask</button>")
        self.go("site.test/ask", "Ask")
        b.focus_window()
        x, y, width, height = b.page_area()
        b.click_at(x + width // 2, y + height - 20)  # below the button
        time.sleep(0.3)  # lets the page take the focus; the page hearing the keys is the check
        b.key("a")
        b.key("Escape")
        wait_for(lambda: self.server.received("/got?a"), "the page to hear a")
        wait_for(lambda: self.server.received("/got?Escape"), "the page to hear Esc")
        for key, answer in (("Escape", "No"), ("Return", "Yes")):
            self.click_page()
            dialog = b.node(None, "Message from the page", "the confirm")
            b.key(key)
            wait_for(lambda: not dialog.showing, f"{key} to answer the confirm")
            self.page_named(answer)

    def test_a_sites_question_for_notifications_is_answered_with_allow(self):
        b = self.browser
        self.serve("/notify", "Notify", PINK,
                   "<script>Notification.requestPermission()"
                   ".then(answer => document.title = answer)</script>")
        self.go("site.test/notify", "Notify")
        bar = b.node(None, "Question from the site", "the site's question")
        self.assertIsNotNone(bar.find("label", "http://site.test wants to show notifications"))
        allow = b.node("push button", "Allow", where=bar)
        wait_for(lambda: allow.state("enabled"), "Allow to take a click, a moment after it shows")
        b.click(allow)
        self.page_named("granted")
        wait_for(lambda: not bar.showing, "the question to go")

    def test_closing_a_page_with_unsaved_text_asks_and_staying_keeps_it(self):
        b = self.browser
        self.serve("/draft", "Draft", PINK,
                   "<textarea style='width:100%;height:300px'></textarea><script>"
                   "addEventListener('beforeunload', e => { e.preventDefault(); "
                   "e.returnValue = ''; })</script>")
        self.go("site.test/draft", "Draft")
        b.focus_window()
        self.click_page()
        b.type("unsaved words")
        # Typing another address asks the same question as closing does.
        for choice in ("Stay", "Leave"):
            if choice == "Stay":
                b.open_address("site.test/elsewhere")
            else:
                b.key("ctrl+w")
            dialog = b.node(None, "Message from the page", f"the question, to {choice}")
            self.assertIsNotNone(
                dialog.find("label", "Leave this page? Changes you made may not be saved."))
            b.click(b.node("push button", choice, where=dialog))
            wait_for(lambda: not dialog.showing, f"the question answered with {choice}")
            if choice == "Stay":
                time.sleep(4)  # a page left all the same would have gone by then
                self.assertIn("Draft", b.captions())
                self.assertFalse(self.server.received("/elsewhere", "site.test"))
        wait_for(lambda: "Draft" not in b.captions(), "the tab to close once left")

    def test_a_new_tab_loads_while_another_tabs_dialog_waits(self):
        b = self.browser
        self.serve("/waits", "Waits", PINK, "<script>setTimeout(() => alert('wait'), 300)</script>")
        self.serve("/fresh", "Fresh", BLUE)
        b.open_address("site.test/waits")
        b.node(None, "Message from the page", "the alert")
        b.focus_window()
        b.key("ctrl+t")
        wait_for(lambda: len(b.headers()) == 2, "a second tab")
        b.key("ctrl+l")
        b.type("site.test/fresh")
        b.key("Return")
        wait_for(lambda: self.server.received("/fresh", "site.test"), "the new tab's address asked")
        wait_for(lambda: "Fresh" in b.captions(), "the new tab's page")
        self.shows(BLUE)

    def test_browser_keys_from_the_source_view(self):
        b = self.browser
        self.serve("/src", "Src", PINK, "<p>some source text</p>")
        self.serve("/next", "Next", BLUE)
        self.go("site.test/src", "Src")
        b.focus_window()
        self.click_page()
        b.key("ctrl+u")
        source = b.node(None, "Page source", "the source view")
        b.click(source)
        b.key("ctrl+u")
        self.shows(PINK)
        b.key("ctrl+u")
        b.click(b.node(None, "Page source", "the source view again"))
        b.key("ctrl+l")
        b.type("site.test/next")
        b.key("Return")
        wait_for(lambda: b.captions() == ["Next"], "the address typed after Ctrl+L")
        b.click(b.node(None, "Page source", "the source view, still in front"))
        b.key("ctrl+t")
        wait_for(lambda: len(b.headers()) == 2, "a tab opened with Ctrl+T")

    def test_a_cancelled_login_sends_nothing_more_and_a_typed_one_signs_in(self):
        b = self.browser
        self.server.route("/private", h.Response(page("Private", GREEN).body, realm="Office",
                                                 credentials="ann:secret"), host="site.test")
        b.open_address("site.test/private")
        dialog = b.node(None, "Sign in", "the login")
        # The site first, its realm as its own words, and that the password goes in clear.
        self.assertIsNotNone(dialog.find("label", "http://site.test says:"))
        self.assertIsNotNone(dialog.find("label", '"Office"'))
        self.assertIsNotNone(dialog.find("label", "This connection is not encrypted: the user "
                                         "name and password will be sent as plain text."))
        b.click(b.node("text", "User name", where=dialog))
        b.key("Escape")
        wait_for(lambda: not dialog.showing, "the login to go")
        wait_for(lambda: "Denied" in b.captions(), "the site's own answer")
        time.sleep(1.0)  # proving that nothing more is asked
        self.assertEqual(self.server.paths().count("/private"), 1)
        b.key("F5")
        dialog = b.node(None, "Sign in", "the login again")
        b.click(b.node("text", "User name", where=dialog))
        b.type("ann")
        b.key("Tab")
        b.type("secret")
        b.key("Return")
        wait_for(lambda: "Private" in b.captions(), "the private page")
        self.assertIn(("/private", "Basic YW5uOnNlY3JldA=="), self.server.authorizations)

class RestingTabs(Journey):
    args = ("--sleep-after", "3s", "one.test/a", "two.test/b", "three.test/c")

    def prepare(self):
        for host, path, title, colour in (("one.test", "/a", "A", PINK),
                                          ("two.test", "/b", "B", BLUE),
                                          ("three.test", "/c", "C", YELLOW)):
            response = page(title, colour)
            response.headers["Cache-Control"] = "no-store"  # a page loaded again is asked for
            self.server.route(path, response, host=host)

    def wait_loaded(self):
        wait_for(lambda: self.browser.captions() == ["A", "B", "C"], "the three pages")

    def test_covered_tabs_sleep_and_wake_when_activated(self):
        b = self.browser
        awake = b.engine_processes()
        wait_for(lambda: b.engine_processes() <= awake - 2, "the covered tabs' renderers to end",
                 timeout=30)
        self.assertEqual(b.captions(), ["A", "B", "C"])
        asked = self.server.paths().count("/a")
        b.focus_window()
        b.click(self.header("A"))
        wait_for(lambda: self.server.paths().count("/a") > asked, "the sleeping page asked again")
        self.shows(PINK)
        self.assertEqual(b.captions(), ["A", "B", "C"])


class EverydayTabs(Journey):
    def prepare(self):
        self.serve("/links", "Links", YELLOW,
                   '<a href="/two" style="display:block;height:300px;font-size:40px">Two</a>')
        self.serve("/two", "Two", BLUE)

    def test_a_closed_tab_comes_back_and_a_dropped_link_opens_a_tab(self):
        b = self.browser
        b.focus_window()
        b.key("ctrl+t")
        self.go("site.test/two", "Two")
        b.key("ctrl+w")
        wait_for(lambda: b.captions() == ["Start"], "the tab to close")
        b.key("ctrl+shift+t")
        wait_for(lambda: b.captions() == ["Start", "Two"], "the closed tab back at the right end")
        self.shows(BLUE)
        self.assertEqual(self.server.paths().count("/two"), 2)
        self.go("site.test/links", "Links")
        x, y, _, _ = b.page_area()
        strip_x, strip_y, strip_width, strip_height = b.window.find(name="Tabs").extents
        b.drag((x + 60, y + 100), (strip_x + strip_width - 60, strip_y + strip_height // 2))
        wait_for(lambda: b.captions() == ["Start", "Links", "Two"],
                 "a new tab for the dropped link")
        self.shows(BLUE)

class FullScreen(Journey):
    def prepare(self):
        self.serve("/video", "Video", YELLOW,
                   '<div id="v" style="background:#c8d8ff;height:300px">'
                   '<button style="font-size:30px" onclick="v.requestFullscreen()">Full</button>'
                   '</div>')
        manager = session.window_manager()
        self.addCleanup(lambda: (manager.terminate(), manager.wait(5)))
        time.sleep(0.5)  # the window manager shows nothing to wait on as it takes the display

    def test_a_page_and_the_window_go_full_screen_and_come_back(self):
        b = self.browser
        self.go("site.test/video", "Video")
        window, page_area = b.window.extents, b.page_area()
        b.focus_window()
        x, y, _, _ = page_area
        b.click_at(x + 40, y + 20)
        wait_for(lambda: b.page_area() == (0, 0, *h.SCREEN), "the page to fill the screen")
        self.assertTrue(
            b.node("label", "http://site.test is full screen. Press Esc to leave full screen")
            .showing)
        self.assertFalse(b.window.find("menu bar").showing)
        b.key("Escape")
        wait_for(lambda: b.page_area() == page_area, "the page back in its place")
        wait_for(lambda: b.window.extents == window, "the window back as it was")
        b.key("F11")
        wait_for(lambda: b.window.extents == (0, 0, *h.SCREEN), "the window to fill the screen")
        self.assertTrue(b.window.find("menu bar").showing)
        b.key("F11")
        wait_for(lambda: b.window.extents == window, "the window back as it was")


class Printing(Journey):
    def prepare(self):
        self.serve("/letter", "Letter", YELLOW,
                   '<button style="font-size:30px" onclick="window.print()">Print</button>')

    def test_print_dialog_from_the_page_and_from_ctrl_p_writes_a_pdf(self):
        b = self.browser
        self.go("site.test/letter", "Letter")
        b.focus_window()
        x, y, _, _ = b.page_area()
        b.click_at(x + 40, y + 25)
        dialog = b.node("dialog", "Print", "the print dialog the page asked for", where=b.app)
        b.key("Escape")
        wait_for(lambda: not dialog.showing, "the print dialog to go")
        b.focus_window()  # no window manager hands it back
        b.key("ctrl+p")
        b.node("dialog", "Print", "the print dialog of Ctrl+P", where=b.app)
        b.key("Return")
        pdf = os.path.join(b.home, "Downloads", "Letter.pdf")
        wait_for(lambda: b.status_text() == f"Printed to {pdf}", "the print to end")
        with open(pdf, "rb") as printed:
            self.assertEqual(printed.read(5), b"%PDF-")


class Downloads(Journey):
    def test_a_pdf_shows_in_its_tab_and_is_not_saved(self):
        b = self.browser
        self.server.route("/report.pdf", h.Response(PDF, content_type="application/pdf"),
                          host="site.test")
        b.open_address("site.test/report.pdf")
        wait_for(lambda: b.captions() == ["report.pdf"], "the PDF's tab named by its file")
        time.sleep(1.0)  # a download would have started within this while
        self.assertEqual(os.listdir(os.path.join(b.home, "Downloads"))
                         if os.path.isdir(os.path.join(b.home, "Downloads")) else [], [])

    def prepare(self):
        self.release = threading.Event()
        self.addCleanup(self.release.set)
        self.server.route("/big.iso", h.Response(
            b"x" * 4_000_000, content_type="application/octet-stream", hold=self.release,
            headers={"Content-Disposition": 'attachment; filename="big.iso"'}), host="site.test")

    def test_the_downloads_list_during_and_after_a_slow_download(self):
        b = self.browser
        b.open_address("site.test/big.iso")
        b.click(b.node(None, "Downloads (Ctrl+Shift+Y)", "the download mark in the status bar"))
        listed = b.node(None, "Downloads", "the downloads list", where=b.app)
        b.node("label", "big.iso", where=listed)
        cancel = b.node("push button", "Cancel", where=listed)
        self.assertIn(" of 3.81 MiB", next(n.name for n in listed.find_all("label")
                                           if " of " in n.name))
        folder = os.path.join(b.home, "Downloads")
        # Half written, and nothing under its name yet.
        self.assertNotIn("big.iso", os.listdir(folder))
        self.release.set()
        b.node("push button", "Open", "the finished download's Open", where=listed)
        b.node("push button", "Show in folder", where=listed)
        b.node("label", "Done, 3.81 MiB", where=listed)
        self.assertFalse(cancel.showing)
        self.assertEqual(os.path.getsize(os.path.join(folder, "big.iso")), 4_000_000)


if __name__ == "__main__":
    unittest.main()
