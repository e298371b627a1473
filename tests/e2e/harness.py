"""Drives the real tessarvine binary the way a person does, and looks at it the way a
person or a screen reader does.

One Session per run: an invisible X server (Xvfb, xcb platform), a private session bus and
an accessibility bus. One Browser per journey: the built program started with a fresh
home, real X input from xdotool, its accessibility tree over AT-SPI, screenshots of the
X screen, and a local HTTP server that receives every request the browser makes. The
engine is told to use that server as its web proxy (an engine flag, not a program hook),
so the start page's host and the search host are answered locally, nothing leaves the
machine, and each request the browser makes is seen.
"""

import os
import signal
import subprocess
import tempfile
import time

from accessibility import Node, _atspi  # noqa: F401 (the journeys read them here)
from localweb import Response, Server, page  # noqa: F401
from waiting import Timeout, run, wait_for  # noqa: F401
from xsession import SCREEN, Session  # noqa: F401

START_HOST = "www.google.com"


# --------------------------------------------------------------------------------------
# The browser


class Browser:
    """The program, started with arguments, or by another program (opener: the desktop's
    xdg-open, say) that is given the arguments. before_start gets the environment and the
    fresh home, to prepare them."""

    def __init__(self, session, server, binary, args=(), name="browser", opener=None,
                 before_start=None):
        self.session = session
        self.server = server
        self.binary = binary
        self.name = name
        self.home = tempfile.mkdtemp(prefix="home-", dir=session.folder)
        env = dict(session.env)
        env.update(
            HOME=self.home,
            XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
            XDG_CACHE_HOME=os.path.join(self.home, ".cache"),
            XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
            QT_QPA_PLATFORM="xcb",
            QT_ACCESSIBILITY="1",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QTWEBENGINE_CHROMIUM_FLAGS=" ".join([
                "--force-renderer-accessibility",
                f"--proxy-server=http://127.0.0.1:{server.port}",
                "--disable-background-networking",
                "--no-first-run",
            ]),
        )
        # The engine's sandbox cannot run as root (CI runs as root); as a user it stays on.
        if os.geteuid() == 0:
            env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        self.env = env
        if before_start:
            before_start(env, self.home)
        self.log_path = os.path.join(session.folder, f"{name}.log")
        self._log = open(self.log_path, "w")
        self._earlier = set(self._programs())
        self.process = subprocess.Popen(
            [*(opener or [binary]), *args], env=env, stdout=self._log,
            stderr=subprocess.STDOUT, start_new_session=True,
        )
        self.pid = self.process.pid if not opener else wait_for(
            self._started_program, "the program the opener starts", 30
        )
        try:
            self.app = wait_for(self._application, "the browser to appear on the accessibility bus",
                                30)
        except Timeout as timeout:
            # A journey that never started prints what the browser said.
            self._log.flush()
            with open(self.log_path) as log:
                said = log.read()[-3000:]
            state = "running" if self.process.poll() is None else "ended"
            # Gone before the next journey starts: it would stand in that one's way.
            self.close()
            raise Timeout(f"{timeout}; the browser is {state}; its log ends:\n{said}") from None
        self.window = wait_for(
            lambda: self.app.find("frame", "Tessarvine 2 BETA"), "the main window", 30
        )
        self.xid = wait_for(self._window_id, "the main window on the X screen", 30)

    def _programs(self):
        return [int(pid) for pid in run("pgrep", "-f", "^" + self.binary, check=False).split()]

    def programs(self):
        """The browser programs running that were started since this one (itself too)."""
        return [pid for pid in self._programs() if pid not in self._earlier]

    def _started_program(self):
        started = self.programs()
        return started[0] if started else None

    # -- finding things ------------------------------------------------------------

    def _application(self):
        pyatspi, Atspi = _atspi()
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None:
                continue
            try:
                if app.get_process_id() == self.pid:
                    # Names and states change all the time: always ask the program.
                    app.set_cache_mask(Atspi.Cache.NONE)
                    return Node(app)
            except Exception:
                continue
        return None

    def _window_id(self):
        ids = run("xdotool", "search", "--pid", str(self.pid), "--name",
                  "^Tessarvine 2 BETA$", env=self.env, check=False).split()
        return ids[0] if ids else None

    def node(self, role, name, reason=None, timeout=15, showing=True, where=None):
        """Waits for a node with the role and name, showing on screen unless told."""
        where = where or self.window

        def look():
            for node in where.find_all(role, name):
                if not showing or node.showing:
                    return node
            return None

        return wait_for(look, reason or f"a {role} named {name!r}", timeout)

    def headers(self):
        """The tab headers in the strip, left to right: each is the panel that holds a
        "Close tab" button; its name is the tab's caption."""
        strip = self.window.find(name="Tabs")
        found = []
        for button in strip.find_all("push button", "Close tab"):
            try:
                parent = Node(button.acc.parent)
                if parent.showing:  # the hidden template header is not a tab
                    found.append(parent)
            except Exception:
                continue
        return found

    def captions(self):
        return [header.name for header in self.headers()]

    def address_box(self):
        # Named by its text, as a screen reader reads it.
        return self.window.find("combo box")

    def address_text(self):
        return self.address_box().find("text").text

    def panel(self):
        """The warning panel's title and message while it is shown, else None."""
        panel = self.window.find(name="Warning")
        if panel is None or not panel.showing:
            return None
        labels = [n.name for n in panel.find_all("label") if n.name != "Warning sign"]
        return labels

    def status_text(self):
        return self.window.find("label", "Status").description

    # -- acting ------------------------------------------------------------------

    def xdotool(self, *args):
        return run("xdotool", *args, env=self.env)

    def focus_window(self):
        self.xdotool("windowraise", self.xid)
        self.xdotool("windowfocus", "--sync", self.xid)

    def click_at(self, x, y, button=1):
        # (mousemove --sync never returns when the pointer is already there)
        self.xdotool("mousemove", str(x), str(y), "click", str(button))

    def click(self, node, button=1, dx=0, dy=0):
        x, y = node.centre
        self.click_at(x + dx, y + dy, button)

    def drag(self, start, end, steps=8):
        """Presses the first button at start, moves to end by small steps, as a hand does,
        and lets go there."""
        (x0, y0), (x1, y1) = start, end
        self.xdotool("mousemove", str(x0), str(y0), "mousedown", "1")
        for step in range(1, steps + 1):
            time.sleep(0.15)  # a hand's pace: the drag is taken as one only if it moves so
            self.xdotool("mousemove", str(x0 + (x1 - x0) * step // steps),
                         str(y0 + (y1 - y0) * step // steps))
        time.sleep(0.4)  # held over the target a moment, as a hand does before letting go
        self.xdotool("mouseup", "1")

    def type(self, text):
        self.xdotool("type", "--delay", "20", "--", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", "--", *keys)

    def menu(self, *path):
        """Chooses a menu bar item and then its entries, by clicking them."""
        bar = self.window.find("menu bar")
        node = bar
        for caption in path:
            item = self.node("menu item", caption, f"the menu item {caption!r}", where=node)
            self.click(item)
            node = item

    def open_address(self, text):
        """Clicks into the address box, replaces its text by typing, and presses Enter."""
        box = self.address_box()
        self.focus_window()
        self.click(box, dx=-40)
        self.key("ctrl+a")
        self.type(text)
        self.key("Return")

    # -- looking -----------------------------------------------------------------

    def screenshot(self, name):
        path = os.path.join(SHOTS, f"{name}.png")
        run("import", "-window", "root", path, env=self.env)
        return path

    def pixels(self, x, y, width, height):
        """The colours a person sees in a rectangle of the screen, row by row, as (r, g, b)."""
        out = run("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "-depth",
                  "8", "txt:-", env=self.env)
        colours = []
        for line in out.splitlines():
            if line.startswith("#"):
                continue
            values = line.split("(")[1].split(")")[0].split(",")
            colours.append(tuple(int(float(v)) for v in values[:3]))
        return colours

    def pixel(self, x, y):
        return self.pixels(x, y, 1, 1)[0]

    def page_area(self):
        """Extents of the view area, where the active tab's page or source shows."""
        return self.node("filler", "Pages", "the view area").extents

    def page_colour(self):
        x, y, width, height = self.page_area()
        return self.pixel(x + width - 20, y + height - 20)

    # -- ending ------------------------------------------------------------------

    def engine_processes(self):
        """How many of the web engine's helper processes (its renderers among them) run in
        the browser's session."""
        return len(run("pgrep", "-s", str(os.getsid(self.pid)), "-f", "QtWebEngineProcess",
                       check=False).split())

    def alive(self):
        if self.pid == self.process.pid:
            return self.process.poll() is None
        try:  # started by the opener: not this process's child
            with open(f"/proc/{self.pid}/stat") as stat:
                return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
        except OSError:
            return False

    def close(self):
        for pid in {self.pid, self.process.pid}:
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        # Gone for good before the next journey starts its own.
        try:
            wait_for(lambda: not self.alive(), "the browser to end", 10)
        except Timeout:
            os.kill(self.pid, signal.SIGKILL)
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self._log.close()


SHOTS = os.environ.get("E2E_SCREENSHOTS") or tempfile.mkdtemp(prefix="tessarvine-shots-")
os.makedirs(SHOTS, exist_ok=True)
