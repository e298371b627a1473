"""The invisible desktop a run of journeys shares: an X server (Xvfb) that picks its own
display, a private session bus and an accessibility bus."""

import os
import shutil
import signal
import subprocess
import tempfile

from waiting import run, wait_for

SCREEN = (1280, 1024)


class Session:
    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tessarvine-e2e-")
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(name, None)
        self.env["XDG_RUNTIME_DIR"] = runtime
        self.processes = []

        # Xvfb picks a free display and tells it on a pipe. It must not reset itself when
        # its last client leaves (the readiness probe, a journey's browser): a client that
        # connects during that reset is dropped unanswered, and a browser started then fails.
        read_end, write_end = os.pipe()
        self.processes.append(
            subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp", "-noreset"],
                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True,
            )
        )
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.env["DISPLAY"] = ":" + number.decode().strip()
        # The number can name a display that a server just ended still holds for a moment.
        wait_for(lambda: run("xdotool", "getdisplaygeometry", env=self.env, check=False),
                 "the X server to take connections")

        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
            start_new_session=True,
        )
        self.processes.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.processes.append(
            subprocess.Popen(
                ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True,
            )
        )
        wait_for(
            lambda: "unix:" in run(
                "gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress",
                env=self.env, check=False,
            ),
            "the accessibility bus to answer",
        )
        # pyatspi finds the buses through this process's environment.
        os.environ.update(
            {k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")}
        )

    def window_manager(self):
        """Starts a window manager on the display (full screen is the window manager's to
        grant); the caller ends it."""
        return subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)

    def close(self):
        # Each was started as a group of its own: the buses' own children go with them.
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
                process.wait(5)
            except ProcessLookupError:
                pass
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait(5)
        shutil.rmtree(self.folder, ignore_errors=True)
