"""What the scripts that drive Pondera on a virtual display share: waiting
for something to show, and ending the programs they started."""

import subprocess
import time


class Failure(Exception):
    """A check that did not hold; its text says what was seen."""


def wait_for(probe, what, timeout=30.0, interval=0.1):
    """The first true result of probe(), tried every `interval` seconds;
    Failure(what) after timeout seconds (what may be a callable that says it
    then)."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(what() if callable(what) else what)
        time.sleep(interval)


def stop(processes):
    """Ends the programs started, the last first; kills any that will not end."""
    for process in reversed(processes):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
