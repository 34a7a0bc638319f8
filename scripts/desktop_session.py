"""What the scripts that drive Pondera on a virtual display share: waiting
for something to show, and ending the programs they started."""

import subprocess
import time


class Failure(Exception):
    """A check that did not hold; its text says what was seen."""


def wait_for(probe, what, timeout=30.0):
    """The first true result of probe(), tried every 0.1 s; Failure(what) after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(what)
        time.sleep(0.1)


def stop(processes):
    """Ends the programs started, the last first; kills any that will not end."""
    for process in reversed(processes):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
