"""What pages do and what the user sees of it, on the real program in a real X window:
ads blocked, sources, pop-ups, notices, hostile pages, page keys and dialogs."""

import time

import harness as h
import journey
from harness import page, wait_for
from journey import Journey, GREEN, PINK, BLUE, rgb, near

setUpModule = journey.start_session
tearDownModule = journey.end_session


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
