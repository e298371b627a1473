"""The tools over the page, on the real program in a real X window: keys, full screen,
printing and downloads."""

import os
import threading
import time
import unittest

import harness as h
import journey
from harness import wait_for
from journey import Journey, PINK, BLUE, YELLOW

# A one-page PDF that says "Quarterly report".
PDF = (b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
       b"2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
       b"3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
       b"/Resources << /Font << /F1 5 0 R >> >> >> endobj\n"
       b"4 0 obj << /Length 47 >> stream\nBT /F1 24 Tf 30 100 Td (Quarterly report) Tj ET\n"
       b"endstream endobj\n5 0 obj << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> "
       b"endobj\ntrailer << /Root 1 0 R >>\n%%EOF\n")


setUpModule = journey.start_session
tearDownModule = journey.end_session


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


class FullScreen(Journey):
    def prepare(self):
        self.serve("/video", "Video", YELLOW,
                   '<div id="v" style="background:#c8d8ff;height:300px">'
                   '<button style="font-size:30px" onclick="v.requestFullscreen()">Full</button>'
                   '</div>')
        manager = journey.session.window_manager()
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
