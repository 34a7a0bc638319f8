"""Takes a short test with Orca listening and checks what it says.

Run by scripts/screen-reader-check inside a virtual X display and a session
D-Bus:

    screen-reader-check.py PONDERA_BINARY OUT_DIR

Starts a window manager, Orca with its speech off and its debug log in
OUT_DIR/orca.log, and Pondera on a quiz of four items; then types a whole
test with xdotool and reads each utterance back from the log ("SPEECH
OUTPUT"). A second test loads another file and turns on Show correct answer
(the right answer said), moving on after a right answer and Fast Quiz to the
finish (what is said is what the screen then shows); the practise list is
saved twice (the overwrite question), and the help window opened and closed. The right key of each question is taken from what Orca said of it,
as a listener would. The first failing check stops the run with what Orca
said until then.
"""

import json
import os
import pty
import re
import subprocess
import sys
import threading
import time

from desktop_session import Failure, stop, wait_for
import tty

QUIZ = {"dog": "inu", "cat": "neko", "apple": "ringo", "water": "mizu"}
WRONG = "Wrong Answer, Try Again!"
RIGHT = "Correct Answer, Press Next to continue."
# What the test itself says, as against the focus and the key echo.
OWN = re.compile(r"^(Question \d+ of \d+:|Wrong Answer|Correct Answer|The right answer|Score = |You have finished)")
SPEECH = re.compile(r"SPEECH OUTPUT: (['\"])(.*?)\1\{", re.S)
QUESTION = re.compile(r"^Question (\d+) of (\d+): (.*?)\. Key 1: (.*?)\. Key 2: (.*?)\. Key 3: (.*?)\. Key 4: (.*?)\.$")

binary, out = sys.argv[1], sys.argv[2]
log_path = os.path.join(out, "orca.log")
processes = []



def spoken():
    """Every utterance in the log so far."""
    try:
        with open(log_path, encoding="utf-8", errors="replace") as log:
            text = log.read()
    except FileNotFoundError:
        return []
    # An utterance of several lines goes on on indented lines.
    return [" ".join(m.group(2).split()) for m in SPEECH.finditer(text)]




def quiet(seconds=1.5):
    """Waits until Orca has said nothing new for a while: all of a key's speech is in."""
    count, since = len(spoken()), time.monotonic()
    while time.monotonic() - since < seconds:
        time.sleep(0.1)
        now = len(spoken())
        if now != count:
            count, since = now, time.monotonic()


def key(*keys):
    """Types the keys one after another, each once Orca has spoken about the one before."""
    for k in keys:
        before = len(spoken())
        subprocess.run(["xdotool", "key", "--clearmodifiers", k], check=True)
        wait_for(lambda: len(spoken()) > before, f"Orca said nothing after the key {k}")
        quiet()


def said_since(mark):
    return spoken()[mark:]


def expect_own(mark, expected, when):
    """The test's own utterances since mark are exactly the expected ones."""
    own = [u for u in said_since(mark) if OWN.match(u)]
    if own != expected:
        raise Failure(f"{when}: Orca said {own}, expected {expected}")


def right_key(utterance):
    m = QUESTION.match(utterance)
    if not m:
        raise Failure(f"a question read as {utterance!r}")
    question, candidates = m.group(3), m.group(4, 5, 6, 7)
    return candidates.index(QUIZ[question]) + 1


def copy_log(master):
    with open(log_path, "ab", buffering=0) as log:
        while True:
            try:
                chunk = os.read(master, 65536)
            except OSError:  # Orca has ended
                return
            if not chunk:
                return
            log.write(chunk)


def start():
    home = os.path.join(out, "home")
    prefs = os.path.join(out, "orca-prefs")
    os.makedirs(prefs)
    # No key echo: the transcript is what the program makes Orca say.
    settings = {"enableKeyEcho": False, "enableEchoByCharacter": False, "enableEchoByWord": False}
    with open(os.path.join(prefs, "user-settings.conf"), "w") as conf:
        json.dump(
            {
                "general": settings,
                "profiles": {"default": dict(settings, profile=["Default", "default"])},
                "pronunciations": {},
                "keybindings": {},
            },
            conf,
        )
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    os.makedirs(home)
    processes.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    # Orca writes its debug file through a block buffer, which would hold back
    # the last utterances; to a terminal it writes each line as it comes.
    master, slave = pty.openpty()
    tty.setraw(slave)
    command = ["orca", "-d", "speech", "-u", prefs, "--debug-file", os.ttyname(slave)]
    processes.append(subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    threading.Thread(target=copy_log, args=(master,), daemon=True).start()
    wait_for(lambda: os.path.exists(log_path) and "ORCA: Initialized" in open(log_path, errors="replace").read(),
             "Orca did not start", timeout=60)
    quiz = os.path.join(out, "quiz.csv")
    with open(quiz, "w", encoding="utf-8", newline="") as f:
        f.write("".join(f"{q},{a}\r\n" for q, a in QUIZ.items()))
    program = subprocess.Popen([binary, quiz], env=env, stdout=subprocess.DEVNULL,
                               stderr=open(os.path.join(out, "pondera.log"), "w"))
    processes.append(program)
    # Loaded from the command line, Start has the focus.
    wait_for(lambda: any(u.startswith("Start push button") for u in spoken()), "Orca did not read the Start button")
    quiet()
    # Back to the file box, whose path is read once, and on to Start again.
    mark = len(spoken())
    key("shift+Tab", "shift+Tab", "shift+Tab")
    # The whole path, once: under Qt 6.4, whose line comes a character
    # short, it is the box's description.
    reads = [u for u in said_since(mark) if quiz in u]
    if not any("Quiz file" in u for u in said_since(mark)) or len(reads) != 1:
        raise Failure(f"the file box: Orca said {said_since(mark)}")
    key("Tab", "Tab", "Tab")
    if not said_since(mark)[-1].startswith("Start push button"):
        raise Failure(f"Tab back to Start: Orca said {said_since(mark)}")
    return program


def take_test():
    total = len(QUIZ)
    mark = len(spoken())
    key("alt+r")
    ask = [u for u in said_since(mark) if u.startswith("Question ")]
    if len(ask) != 1 or not ask[0].startswith(f"Question 1 of {total}: "):
        raise Failure(f"Start: Orca said {said_since(mark)}")
    right = right_key(ask[0])
    wrong = [k for k in range(1, 5) if k != right]

    # Two wrong answers, then the right one: the score only after the first.
    mark = len(spoken())
    key(str(wrong[0]))
    expect_own(mark, [f"{WRONG} Score = 00.00 %."], "a wrong first answer")
    mark = len(spoken())
    key(str(wrong[1]))
    expect_own(mark, [WRONG], "a second wrong answer")
    mark = len(spoken())
    key(str(right))
    expect_own(mark, [RIGHT], "a right answer after wrong ones")

    # Question 2 skipped, moving on with Alt+X; 3 and 4 right, with Enter.
    scores = {2: "00.00", 3: "33.33", 4: "50.00"}
    nexts = {2: "Return", 3: "alt+x", 4: "Return"}
    for number in (2, 3, 4):
        mark = len(spoken())
        key(nexts[number])
        ask = [u for u in said_since(mark) if OWN.match(u)]
        if len(ask) != 1 or not ask[0].startswith(f"Question {number} of {total}: "):
            raise Failure(f"Next: Orca said {said_since(mark)}")
        right = right_key(ask[0])
        mark = len(spoken())
        key("5" if number == 2 else str(right))
        verdict = WRONG if number == 2 else RIGHT
        expect_own(mark, [f"{verdict} Score = {scores[number]} %."], f"question {number} answered")

    mark = len(spoken())
    key("Return")
    finish = [u for u in said_since(mark) if u.startswith("You have finished")]
    if len(finish) != 1 or "Score = 50.00 %" not in finish[0]:
        raise Failure(f"the finish: Orca said {said_since(mark)}")
    key("Return")  # OK


def read_report():
    # The report takes the focus; Tab goes from Full Screen and Close to the
    # practise list, whose first line is the question missed first.
    key("alt+p")
    mark = len(spoken())
    key("Tab", "Tab")
    heard = " ".join(said_since(mark))
    if "Questions to practise" not in heard or not any(f"{q},{QUIZ[q]}" in heard for q in QUIZ):
        raise Failure(f"the practise list: Orca said {said_since(mark)}")


def tab_to(name, limit=30):
    """Tabs until Orca names the control that has the focus `name`."""
    for _ in range(limit):
        mark = len(spoken())
        key("Tab")
        if any(u.startswith(name) for u in said_since(mark)):
            return
    raise Failure(f"Tab never reached {name!r}")


def expect_heard(mark, text, when):
    if not any(text in u for u in said_since(mark)):
        raise Failure(f"{when}: Orca said {said_since(mark)}, nothing with {text!r}")


def second_test():
    """Show correct answer, an automatic move, Fast Quiz to the finish."""
    total = len(QUIZ)
    second = os.path.join(out, "second.csv")
    with open(second, "w", encoding="utf-8", newline="") as f:
        f.write("".join(f"{q},{a}\r\n" for q, a in QUIZ.items()))
    tab_to("Quiz file")
    subprocess.run(["xdotool", "type", "--delay", "30", second], check=True)
    quiet()
    mark = len(spoken())
    key("alt+o")  # the finished test counts as one in progress
    expect_heard(mark, "Test is in progress!", "Load over a finished test")
    mark = len(spoken())
    key("Return")  # Yes
    expect_heard(mark, f"{total} questions loaded.", "the load")

    # The options are on once the test has started.
    mark = len(spoken())
    key("alt+r")
    ask = [u for u in said_since(mark) if u.startswith("Question ")]
    tab_to("Show correct answer")
    key("space")
    right = right_key(ask[0])
    wrong = next(k for k in range(1, 5) if k != right)
    m = QUESTION.match(ask[0])
    mark = len(spoken())
    key(str(wrong))
    expect_own(mark, [f"{WRONG} The right answer is {right}: {m.group(3 + right)}. Score = 00.00 %."],
               "a wrong answer marked")

    # Show correct answer off, "If I answer correct, Ask Next Question" on.
    key("space")
    tab_to("If I answer correct")
    key("space")
    mark = len(spoken())
    key("Return")  # Next, the default button
    ask = [u for u in said_since(mark) if u.startswith("Question ")]
    if len(ask) != 1:
        raise Failure(f"Next: Orca said {said_since(mark)}")
    mark = len(spoken())
    key(str(right_key(ask[0])))
    own = [u for u in said_since(mark) if OWN.match(u)]
    if len(own) != 1 or not own[0].startswith(f"Correct Answer. Score = 33.33 %. Question 3 of {total}: "):
        raise Failure(f"a right answer that moves on: Orca said {said_since(mark)}")
    right = right_key(own[0][len("Correct Answer. Score = 33.33 %. "):])

    # Fast Quiz: every answer moves on; on the last one the finish follows.
    key("alt+f")
    mark = len(spoken())
    key(str(next(k for k in range(1, 5) if k != right)))
    own = [u for u in said_since(mark) if OWN.match(u)]
    if len(own) != 1 or not own[0].startswith(f"Wrong Answer. Score = 33.33 %. Question 4 of {total}: "):
        raise Failure(f"a wrong answer in Fast Quiz: Orca said {said_since(mark)}")
    right = right_key(own[0][len("Wrong Answer. Score = 33.33 %. "):])
    mark = len(spoken())
    key(str(right))
    own = [u for u in said_since(mark) if OWN.match(u)]
    if own[:1] != ["Correct Answer. Score = 50.00 %."] or not any(u.startswith("You have finished") for u in own):
        raise Failure(f"the last answer in Fast Quiz: Orca said {said_since(mark)}")
    key("Return")  # OK


def save_twice():
    """The practise list saved, then saved again over itself."""
    key("alt+p")
    tab_to("Save the questions to practise")
    mark = len(spoken())
    key("space")
    expect_heard(mark, "File is Saved as", "the first save")
    key("Return")
    mark = len(spoken())
    key("space")
    expect_heard(mark, "already exists", "the second save")
    mark = len(spoken())
    key("Return")  # Yes
    expect_heard(mark, "File is Saved as", "the save over the file")
    key("Return")


def read_help():
    tab_to("Hide")
    key("space")  # the report hides; back to the quiz window
    tab_to("Help")
    mark = len(spoken())
    key("space")
    expect_heard(mark, "Help", "the help window")
    mark = len(spoken())
    key("alt+h")  # Close Help
    expect_heard(mark, "Quiz", "back from the help window")


def main():
    try:
        program = start()
        take_test()
        read_report()
        key("shift+Tab", "space")  # Hide, back to the quiz window
        second_test()
        save_twice()
        read_help()
        key("Escape")  # the quit question
        if not any("Are you sure you want to quit the Quiz?" in u for u in spoken()):
            raise Failure("Orca did not read the quit question")
        subprocess.run(["xdotool", "key", "Return"], check=True)  # Yes, its default
        program.wait(timeout=20)
        status = 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAILED: {failure}", flush=True)
        status = 1
    finally:
        print("What Orca said:")
        for utterance in spoken():
            print(f"  {utterance}")
        stop(processes)
    sys.exit(status)


main()
