"""The browser on a Wayland desktop with no X display at all: a headless Weston."""
import http.server
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

BINARY = os.environ.get("TESSARVINE", "tessarvine")


def wait_for(condition, reason, timeout=30):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout}s for {reason}")
        time.sleep(0.1)  # polling: the condition is asked again


class Server(http.server.ThreadingHTTPServer):
    def __init__(self):
        self.paths = []

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(handler):
                self.paths.append(handler.path)
                body = f"<title>{handler.path}</title>".encode()
                handler.send_response(200)
                handler.send_header("Content-Type", "text/html")
                handler.send_header("Content-Length", str(len(body)))
                handler.end_headers()
                handler.wfile.write(body)

            def log_message(handler, *args):
                pass

        super().__init__(("127.0.0.1", 0), Handler)
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def url(self, path):
        return f"http://127.0.0.1:{self.server_address[1]}{path}"


class Wayland(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder, True)
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = {
            "PATH": os.environ["PATH"], "HOME": self.folder, "XDG_RUNTIME_DIR": runtime,
            "WAYLAND_DISPLAY": "tessarvine-test", "XDG_SESSION_TYPE": "wayland",
            "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu",
        }
        if os.geteuid() == 0:
            self.env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        self.log = open(os.path.join(self.folder, "log"), "w+")
        self.addCleanup(self.log.close)
        weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=tessarvine-test",
             "--idle-time=0"], env=self.env, stdout=self.log, stderr=self.log)
        self.addCleanup(weston.wait, 10)
        self.addCleanup(weston.terminate)
        wait_for(lambda: os.path.exists(os.path.join(runtime, "tessarvine-test")),
                 "Weston's socket")
        self.server = Server()
        self.addCleanup(self.server.shutdown)

    def start(self, path, **options):
        return subprocess.Popen([BINARY, self.server.url(path)], env=self.env,
                                stdout=self.log, stderr=self.log, **options)

    def test_starts_hands_over_and_ends_on_sigterm(self):
        first = self.start("/first")
        self.addCleanup(lambda: first.poll() is None and first.kill())
        wait_for(lambda: "/first" in self.server.paths, "the first address to be asked for")
        second = self.start("/second")
        self.assertEqual(second.wait(30), 0, "the second start hands over and ends")
        wait_for(lambda: "/second" in self.server.paths, "the handed-over address")
        self.assertIsNone(first.poll(), "the first browser took it")
        first.send_signal(signal.SIGTERM)
        self.assertEqual(first.wait(15), 0, "SIGTERM ends the browser as closing its window does")


if __name__ == "__main__":
    unittest.main()
