"""The everyday walk of a user, on the real program in a real X window: addresses typed,
history, zoom, tabs, search and the addresses the desktop hands over. Real key presses and
mouse clicks; checks only on what the screen, the accessibility tree and the local server
show."""

import os
import time

import harness as h
import journey
from harness import page, wait_for
from journey import Journey, GREEN, PINK, BLUE, YELLOW, near, BINARY

setUpModule = journey.start_session
tearDownModule = journey.end_session


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
        self.sees(BLUE, "http://other.test/second")
        b.click(b.node("push button", "Back"))
        self.sees(PINK, "http://site.test/first")
        # Half an address typed in a second tab stays there over a switch away and back.
        self.new_tab()
        b.type("half.te")
        b.click(self.header("First"))
        wait_for(lambda: b.address_text() == "http://site.test/first", "the first tab's address")
        b.click(b.headers()[1])
        wait_for(lambda: b.address_text() == "half.te", "the second tab's typing")
        self.assertFalse(self.server.received("/", "half.te"))


class History(Journey):
    def test_back_forward_and_stop(self):
        b = self.browser
        self.serve("/one", "One", PINK)
        self.serve("/two", "Two", BLUE)
        self.go("site.test/one", "One")
        self.go("site.test/two", "Two")
        b.click(b.node("push button", "Back"))
        self.sees(PINK, "http://site.test/one")
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
        self.sees(GREEN, "http://www.google.com/start/")
        b.click(self.header("Other"))
        self.sees(PINK, "http://site.test/other")

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
        self.close_tab("Two", ["Start", "Three"])
        self.sees(GREEN, "http://www.google.com/start/")
        # A background tab's close box keeps the active tab.
        self.close_tab("Three", ["Start"])
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
        self.sees(GREEN, "http://www.google.com/start/")


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
