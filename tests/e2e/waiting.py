"""Waiting for what a person would see, never for a fixed time, and running helper programs."""

import subprocess
import time


class Timeout(AssertionError):
    pass


def wait_for(condition, reason, timeout=15.0, interval=0.1):
    """Polls condition until it gives a true value, which is returned; fails after timeout
    seconds naming what was waited for."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # a node that went away, a window not there yet
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise Timeout(f"waited {timeout:.0f}s for {reason}{detail}")
        time.sleep(interval)


def run(*command, timeout=10, env=None, check=True):
    return subprocess.run(
        command, env=env, check=check, timeout=timeout, capture_output=True, text=True
    ).stdout
