"""Opens the desktop's file dialog from Browse three times and checks that
it has the keyboard focus each time, and that the keys Pondera gets while it
is open (Space and Enter on Browse, Esc) open no other dialog and ask no
question.

Run by scripts/screen-reader-check inside a virtual X display and a session
D-Bus, once through the desktop portal (xdg-desktop-portal-gtk, as GNOME
has it) and once with the GTK dialog of Qt's gtk3 theme:

    file-dialog-check.py PONDERA_BINARY OUT_DIR xdgdesktopportal|gtk3

metacity is the window manager: it keeps a window from taking the focus
unless its program has seen the user's last key, which the portal's has not.
"""

import os
import subprocess
import sys
import time

from desktop_session import Failure, stop, wait_for

binary, out, theme = sys.argv[1], sys.argv[2], sys.argv[3]
processes = []



def xdotool(*args):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return result.stdout.split()




def focused():
    ids = xdotool("getwindowfocus")
    return ids[0] if ids else ""


def visible_windows():
    # Every mapped window, whether it has a name or not.
    return set(xdotool("search", "--onlyvisible", "--class", ""))


def main():
    home = os.path.join(out, "home")
    os.makedirs(home, exist_ok=True)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CURRENT_DESKTOP="GNOME", QT_QPA_PLATFORMTHEME=theme)
    processes.append(subprocess.Popen(["metacity", "--replace"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
    time.sleep(1)
    program = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                               stderr=open(os.path.join(out, f"pondera-{theme}.log"), "w"))
    processes.append(program)
    ours = wait_for(lambda: xdotool("search", "--onlyvisible", "--pid", str(program.pid), "--name", "Pondera"),
                    "Pondera's window did not appear")
    frame = ours[0]
    wait_for(lambda: focused() in ours, "Pondera did not get the focus")
    xdotool("key", "Tab")  # from the file box to Browse
    time.sleep(0.5)
    for attempt in (1, 2, 3):
        before = visible_windows()
        xdotool("key", "space")
        dialog = wait_for(lambda: focused() not in ours and focused(), f"Browse {attempt}: the dialog has no focus")
        time.sleep(1)
        shown = visible_windows()
        # Keys that reach Pondera meanwhile: another Browse, Enter, Esc.
        # Sent to Pondera's window itself: the window manager keeps the focus
        # on the dialog, which is modal.
        for key in ("space", "Return", "Escape"):
            xdotool("key", "--window", frame, key)
            time.sleep(0.5)
        time.sleep(1)
        if program.poll() is not None:
            raise Failure(f"Browse {attempt}: Pondera ended on keys meant for the dialog")
        if visible_windows() != shown:
            raise Failure(f"Browse {attempt}: keys to Pondera opened or closed a window while the dialog was open")
        xdotool("windowactivate", "--sync", dialog)
        xdotool("key", "Escape")
        wait_for(lambda: visible_windows() == before and focused() in ours,
                 f"Browse {attempt}: Esc on the dialog did not bring the focus back "
                 f"(windows {sorted(before)} before, {sorted(visible_windows())} now; focus on {focused()})")
        print(f"{theme}: dialog {attempt} had the focus; Pondera took none of its keys", flush=True)


try:
    main()
    status = 0
except Failure as failure:
    print(f"FAILED ({theme}): {failure}", flush=True)
    status = 1
finally:
    stop(processes)
sys.exit(status)
