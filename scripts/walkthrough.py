"""Walks through a test and the report window the way a user would.

Run by scripts/walkthrough inside a virtual X display, a session D-Bus and the
accessibility bus:

    walkthrough.py PONDERA_BINARY DOCS_DIR FAILURE_PNG

Every control and every message box is found through the accessibility tree
(AT-SPI) by its role and accessible name, and message texts and list contents
are read from it; positions for the pointer and for the pixel checks are taken
from the controls' accessibility extents. The first failing check stops the
walk with the step that failed and a screenshot in FAILURE_PNG. On success it
writes report.png and report-fullscreen.png into DOCS_DIR.
"""

import hashlib
import os
import subprocess
import sys
import tempfile
import time
from collections import namedtuple

import desktop_session
from desktop_session import Failure

import pyatspi
from gi.repository import Atspi

# A wedged program should fail the walk with a message, not stall it for the
# library's default of 25 s per call.
Atspi.set_timeout(5000, 15000)

TWIPS_PER_PIXEL = 15
# The docked report overlaps the quiz window's bottom edge by 22 twips, and
# docking leaves it at its minimum height of 4275 twips.
DOCK_OVERLAP = round(22 / TWIPS_PER_PIXEL)
REPORT_MIN_HEIGHT = round(4275 / TWIPS_PER_PIXEL)

BLACK, WHITE, GREY = (0, 0, 0), (255, 255, 255), (224, 224, 224)

OPTION_ROLES = ("radio button",)
CONTAINER_ROLES = ("frame", "panel", "filler", "grouping")
# The frames inside a window: the window itself is a "frame" of the same name.
GROUP_ROLES = ("panel", "filler", "grouping")
BOX_ROLES = ("alert", "dialog")

QUIZ = {
    "dog": "inu",
    "cat": "neko",
    '"to run, to flee"': "hashiru",
    "apple": "ringo",
    "water": "mizu",
    "fire": "hi",
}
LONG_QUESTION = '"to run, to flee"'
LONG_ITEM = f"{LONG_QUESTION},{QUIZ[LONG_QUESTION]}"
QUIZ_LINES = [f"{q},{a}" for q, a in QUIZ.items()]


def fail(what):
    raise Failure(what)


step_name = "starting"


def step(text):
    global step_name
    step_name = text
    print(f"-- {text}", flush=True)


def ok(text):
    print(f"   ok: {text}", flush=True)


def wait_for(probe, timeout, what):
    """Polls probe until it returns something true, and returns that."""
    return desktop_session.wait_for(probe, what, timeout, interval=0.05)


def settle(check, timeout=3.0):
    """Repeats check until it stops failing: the screen catches up with the
    accessibility tree a moment later."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            return check()
        except Failure:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.1)


def run(*args, **kwargs):
    return subprocess.run([str(a) for a in args], check=True, **kwargs)


# --- The accessibility tree -----------------------------------------------------


class Rect(namedtuple("Rect", "x y w h")):
    @property
    def right(self):
        return self.x + self.w

    @property
    def bottom(self):
        return self.y + self.h

    def moved(self, dx, dy):
        return Rect(self.x + dx, self.y + dy, self.w, self.h)

    def __str__(self):
        return f"({self.x}, {self.y}) {self.w}x{self.h}"


def children(acc):
    found = []
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            found.append(child)
    return found


def descendants(acc):
    for child in children(acc):
        yield child
        yield from descendants(child)


def role(acc):
    return acc.getRoleName()


def has_state(acc, state):
    try:
        return acc.getState().contains(state)
    except Exception:  # the object is gone, a closed box say
        return False


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def enabled(acc):
    return has_state(acc, pyatspi.STATE_ENABLED)


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return Rect(e.x, e.y, e.width, e.height)


def text_of(acc):
    return acc.queryText().getText(0, -1)


def find_all(root, roles, name):
    roles = (roles,) if isinstance(roles, str) else roles
    return [a for a in descendants(root) if role(a) in roles and a.name == name]


def find(root, roles, name, what):
    found = find_all(root, roles, name)
    if len(found) != 1:
        kinds = roles if isinstance(roles, str) else " or ".join(roles)
        fail(f"{what}: expected one {kinds} named {name!r}, found {len(found)}")
    return found[0]


def wait_found(root, roles, name, what, timeout=3.0):
    return wait_for(lambda: next(iter(find_all(root, roles, name)), None), timeout,
                    f"{what}: no control named {name!r} appeared")


# --- Pointer and keyboard ---------------------------------------------------------


def xdotool(*args):
    run("xdotool", *args)


def click(acc, what):
    """Clicks the middle of a control with the pointer, as a user would: that
    also raises the window that holds it, which an accessible action would not."""
    if not enabled(acc):
        fail(f"{what}: {acc.name!r} is not enabled")
    r = extents(acc)
    if not showing(acc) or r.w <= 0 or r.h <= 0:
        fail(f"{what}: {acc.name!r} is not on the screen")
    xdotool("mousemove", r.x + r.w // 2, r.y + r.h // 2, "click", 1)


def type_into(box, text, what):
    click(box, what)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", 5, text)
    wait_for(lambda: text_of(box) == text, 3,
             lambda: f"{what}: typed {text!r} but the box holds {text_of(box)!r}")


# --- The screen ---------------------------------------------------------------------


class Shot:
    """One screenshot of the whole screen, as raw RGB."""

    def __init__(self):
        self.width, self.height = screen_size
        self.raw = run("import", "-window", "root", "-depth", 8, "rgb:-", capture_output=True).stdout
        if len(self.raw) != self.width * self.height * 3:
            fail(f"the screenshot has {len(self.raw)} bytes, not {self.width} x {self.height} x 3")

    def rgb(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            fail(f"pixel ({x}, {y}) lies off the screen")
        i = 3 * (y * self.width + x)
        return tuple(self.raw[i:i + 3])

    def expect(self, x, y, colour, what):
        got = self.rgb(x, y)
        if got != colour:
            fail(f"{what}: pixel ({x}, {y}) is {hexcolour(got)}, expected {hexcolour(colour)}")

    def scan(self, r, test):
        """The pixels inside r for which test(r, g, b) holds: their count and
        the rectangle that bounds them."""
        n, x0, y0, x1, y1 = 0, 0, 0, -1, -1
        for y in range(max(r.y, 0), min(r.bottom, self.height)):
            for x in range(max(r.x, 0), min(r.right, self.width)):
                if test(*self.rgb(x, y)):
                    if n == 0:
                        x0, y0, x1, y1 = x, y, x, y
                    x0, x1, y1 = min(x0, x), max(x1, x), y
                    n += 1
        return n, Rect(x0, y0, x1 - x0 + 1, y1 - y0 + 1)

    def save(self, path):
        run("convert", "-size", f"{self.width}x{self.height}", "-depth", 8, "rgb:-", path,
            input=self.raw)


def hexcolour(rgb):
    return "#%02X%02X%02X" % rgb


def dark(r, g, b):
    return r + g + b < 300


def caption_black(r, g, b):
    return r + g + b < 200


def navy(r, g, b):
    return b > 90 and r < 80 and g < 80


def red(r, g, b):
    return r > 150 and g < 80 and b < 80


def not_white(r, g, b):
    return r + g + b < 750


def caption_is_black(shot, button):
    """A button's caption is black while it is enabled and grey while not."""
    r = extents(button)
    n, _ = shot.scan(Rect(r.x + 10, r.y + 5, r.w - 20, r.h - 10), caption_black)
    return n > 3


def grey_corner_at(shot, x, y):
    """The report's grey list frame starts at x, y: a 5 x 5 block of #E0E0E0
    with the report's white background left of it and above it."""
    if not (1 <= x < shot.width - 5 and 1 <= y < shot.height - 5):
        return False
    return (shot.rgb(x - 1, y) == WHITE and shot.rgb(x, y - 1) == WHITE
            and all(shot.rgb(x + i, y + j) == GREY for i in range(5) for j in range(5)))


def find_grey_corner(shot, r):
    for y in range(max(r.y, 1), min(r.bottom, shot.height)):
        for x in range(max(r.x, 1), min(r.right, shot.width)):
            if grey_corner_at(shot, x, y):
                return x, y
    return None


def expect_grey_corner(shot, x, y, what):
    if grey_corner_at(shot, x, y):
        return
    found = find_grey_corner(shot, Rect(x - 120, y - 120, 240, 240))
    where = f"it begins at {found}" if found else "no grey frame corner within 120 px of it"
    fail(f"{what}: the report's grey frame should begin at ({x}, {y}); {where}")


# --- Message boxes ------------------------------------------------------------------


def open_boxes():
    boxes = []
    for acc in children(app):
        try:
            if role(acc) in BOX_ROLES and showing(acc):
                boxes.append(acc)
        except Exception:  # closed while we looked
            pass
    return boxes


def box_text(box):
    return "\n".join(a.name for a in descendants(box) if role(a) == "label" and a.name and showing(a))


def quoted(text):
    """A message text on one line, its line breaks shown as \\n."""
    return '"' + text.replace("\n", "\\n") + '"'


def expect_box(text, what, timeout=5.0):
    box = wait_for(lambda: next(iter(open_boxes()), None), timeout,
                   f"{what}: no message box appeared (expected {quoted(text)})")
    got = box_text(box)
    if got != text:
        fail(f"{what}: the message box says {quoted(got)}, expected {quoted(text)}")
    return box


def answer_box(box, button, what):
    click(find(box, "push button", button, what), what)
    wait_for(lambda: not showing(box), 3, f"{what}: the message box did not close")


def expect_no_box(what, window=0.5):
    deadline = time.monotonic() + window
    while time.monotonic() < deadline:
        for box in open_boxes():
            fail(f"{what}: a message box is showing: {quoted(box_text(box))}")
        time.sleep(0.05)


# --- The program's windows ------------------------------------------------------------


def start_program(binary, work):
    global app, program
    # Qt turns its accessibility bridge on only while a screen reader runs,
    # unless told to keep it on.
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
    os.mkdir(env["XDG_RUNTIME_DIR"], 0o700)
    with open(os.path.join(work, "pondera.log"), "wb") as log:
        program = subprocess.Popen([binary], stdout=log, stderr=subprocess.STDOUT, env=env)

    def registered():
        if program.poll() is not None:
            fail(f"Pondera ended at start-up with status {program.returncode}")
        for acc in children(pyatspi.Registry.getDesktop(0)):
            try:
                if acc.get_process_id() == program.pid:
                    return acc
            except Exception:
                pass
        return None

    app = wait_for(registered, 20, "Pondera did not appear on the accessibility bus")


def window_holding(area, control_role, control_name, what):
    """The child window of the frame that holds a given control: the quiz and
    report windows have no caption, so no accessible name of their own."""
    for window in children(area):
        if find_all(window, control_role, control_name):
            return window
    fail(f"{what}: no window holds the {control_role} {control_name!r}")


def container_of(acc):
    parent = acc.parent
    if parent is None or role(parent) not in CONTAINER_ROLES:
        fail(f"{acc.name!r} is not inside a window's client area")
    return parent


# --- The walk -------------------------------------------------------------------------


def walk(binary, docs, work):
    global screen_size
    screen_size = tuple(int(v) for v in
                        run("xdotool", "getdisplaygeometry", capture_output=True, text=True).stdout.split())

    step("1. a quiz file of 6 items")
    quiz_path = os.path.join(work, "words.csv")
    with open(quiz_path, "wb") as f:
        f.write("".join(line + "\r\n" for line in QUIZ_LINES).encode())
    ok(quiz_path)

    step("2. start Pondera, load the quiz file, start the test")
    start_program(binary, work)
    frame = wait_for(lambda: next((w for w in children(app)
                                   if role(w) == "frame" and w.name == "Pondera" and showing(w)), None),
                     10, "Pondera did not show its frame window")
    # The frame's client area holds the child windows; it has no name.
    area = wait_for(lambda: next((c for c in children(frame) if role(c) == "layered pane"), None), 5,
                    "the frame window has no client area (layered pane)")
    quiz = window_holding(area, "push button", "Load", "the quiz window")
    quiz_file = find(quiz, "text", "Quiz file", "the quiz window")
    load = find(quiz, "push button", "Load", "the quiz window")
    start = find(quiz, "push button", "Start", "the quiz window")
    next_ = find(quiz, "push button", "Next", "the quiz window")
    report_button = find(quiz, "push button", "Report", "the quiz window")
    question_frame = find(quiz, CONTAINER_ROLES, "Question", "the quiz window")
    question_labels = [c for c in children(question_frame) if role(c) == "label"]
    if len(question_labels) != 1:
        fail(f"the question frame should hold one label, it holds {len(question_labels)}")
    question = question_labels[0]
    answers_frame = next((a for a in descendants(quiz) if role(a) in CONTAINER_ROLES
                          and a.name.startswith("Choose the Answer")), None) or \
        fail("the quiz window has no frame of answers")
    options = [c for c in children(answers_frame) if role(c) in OPTION_ROLES]
    skip = find(answers_frame, OPTION_ROLES, "Skip", "the answer frame")
    slots = [o for o in options if o.name != "Skip"]
    if len(slots) != 4:
        fail(f"the answer frame should hold 4 answer options besides Skip, it holds {len(slots)}")
    right_label = find(quiz, "label", "Correct Answer, Press Next to continue", "the quiz window")
    wrong_label = find(quiz, "label", "Wrong Answer, Try Again!", "the quiz window")
    q = extents(quiz)
    ok(f"frame client area {extents(area)}; quiz window at {q}")

    shot = Shot()
    if enabled(start) or caption_is_black(shot, start):
        fail("Start is enabled before any quiz file is loaded")
    type_into(quiz_file, quiz_path, "typing the quiz file's path")
    click(load, "loading the quiz file")
    wait_for(lambda: open_boxes() or enabled(start), 5,
             "Start did not become enabled after loading 6 items")
    expect_no_box(f"loading {quiz_path}", window=0.3)
    settle(lambda: caption_is_black(Shot(), start) or fail("Start's caption is not black after loading"))
    ok("loaded without a message; Start is enabled")
    click(start, "starting the test")

    step("3. answer: the long question right, two skipped, three left without an answer")
    asked = []
    skipped = answered_right = 0
    answers = set(QUIZ.values())
    for n in range(1, 7):
        shown = wait_for(lambda: question.name in QUIZ and question.name not in asked and question.name,
                         5, lambda: f"question {n}: no new question of the quiz is shown "
                                    f"(the question reads {question.name!r})")
        asked.append(shown)
        candidates = [o.name for o in slots]
        if len(set(candidates)) != 4 or not set(candidates) <= answers or QUIZ[shown] not in candidates:
            fail(f"question {n} ({shown}): the candidates {candidates} are not 4 different answers "
                 f"of the quiz including {QUIZ[shown]!r}")
        settle(lambda: Shot().scan(extents(question), dark)[0] > 0
               or fail(f"question {n}: the question's text is not on the screen"))
        if shown == LONG_QUESTION:
            right = next(o for o in slots if o.name == QUIZ[shown])
            click(right, f"question {n}")
            wait_for(lambda: showing(right_label), 3,
                     f'question {n}: answering "{right.name}" did not show "{right_label.name}"')
            settle(lambda: Shot().scan(extents(right_label), navy)[0] > 10
                   or fail(f'question {n}: "{right_label.name}" is not drawn in navy'))
            answered_right += 1
            ok(f"question {n}: the long question, answered right (option {slots.index(right) + 1})")
        elif skipped < 2:
            click(skip, f"question {n}")
            wait_for(lambda: showing(wrong_label), 3,
                     f'question {n}: Skip did not show "{wrong_label.name}"')
            settle(lambda: Shot().scan(extents(wrong_label), red)[0] > 10
                   or fail(f'question {n}: "{wrong_label.name}" is not drawn in red'))
            skipped += 1
            ok(f"question {n}: {shown} skipped")
        else:
            ok(f"question {n}: {shown} left without an answer")
        click(next_, f"question {n}: Next")
    if answered_right != 1:
        fail(f"the long question was seen {answered_right} times in 6 questions")
    box = expect_box("You have finished taking the Quiz\n\nScore = 16.67 %\n"
                     "Click on the command button REPORT (in the quiz form) for more details",
                     "the end of the test")
    answer_box(box, "OK", "the final score")
    ok("final score message: Score = 16.67 %")

    step("4. Report shows the report window below the quiz window")
    click(report_button, "showing the report")
    report = window_holding(area, "text", "Questions to practise", "the report window")
    practise = find(report, "text", "Questions to practise", "the report window")
    correct = find(report, "text", "Questions answered correctly", "the report window")
    lists = find(report, GROUP_ROLES, "Report", "the report window")
    inner = container_of(lists)
    hide = find(report, "push button", "Hide", "the report window")
    wait_for(lambda: showing(report), 3, "the report window did not show")
    def expect_frame_drawn(shot, r, what):
        mid_x, mid_y = r.x + r.w // 2, r.y + r.h // 2
        shot.expect(r.x, mid_y, BLACK, f"{what}: the left border")
        shot.expect(r.right - 1, mid_y, BLACK, f"{what}: the right border")
        shot.expect(mid_x, r.y, BLACK, f"{what}: the top border")
        shot.expect(mid_x, r.bottom - 1, BLACK, f"{what}: the bottom border")

    r = extents(report)
    docked_x, docked_y = q.x, q.bottom - DOCK_OVERLAP
    if (r.x, r.y, r.w) != (docked_x, docked_y, q.w):
        fail(f"the report is at {r}, expected its top-left corner at ({docked_x}, {docked_y}) "
             f"and {q.w} px wide, below the quiz window at {q}")
    fr = extents(lists)
    inside = extents(inner)
    lists_offset = (fr.x - r.x, fr.y - r.y)
    margin = fr.x - inside.x

    def check_docked_screen():
        s = Shot()
        expect_frame_drawn(s, r, "the docked report")
        s.expect(inside.x + 4, inside.y + 4, WHITE, "the report's background")
        expect_grey_corner(s, fr.x, fr.y, "the docked report")
        return s

    report_shot = settle(check_docked_screen)
    practise_text, correct_text = text_of(practise), text_of(correct)
    expected_practise = sorted(line for line in QUIZ_LINES if line != LONG_ITEM)
    if sorted_lines(practise_text) != expected_practise:
        fail(f'the practise list holds "{practise_text}", expected the 5 items other than {LONG_ITEM}')
    if sorted_lines(correct_text) != [LONG_ITEM]:
        fail(f'the correct list holds "{correct_text}", expected {LONG_ITEM}')
    ok(f"report at {r}; practise list: 5 items; correct list: {LONG_ITEM}")

    step("5. save both lists")
    # Both Save buttons read "Save"; their names say which list each saves.
    save_practise = find(lists, "push button", "Save the questions to practise", "the report's lists")
    save_correct = find(lists, "push button", "Save the questions answered correctly", "the report's lists")
    read_again = os.path.join(work, "words-ReadAgain.csv")
    answered_correct = os.path.join(work, "words-AnsweredCorrect.csv")
    click(save_practise, "saving the practise list")
    answer_box(expect_box(f"File is Saved as\n\n{read_again}", "saving the practise list"), "OK",
               "the saved message")
    click(save_correct, "saving the correct list")
    answer_box(expect_box(f"File is Saved as\n\n{answered_correct}", "saving the correct list"), "OK",
               "the saved message")
    for path, text in ((read_again, practise_text), (answered_correct, correct_text)):
        if not os.path.isfile(path):
            fail(f"{path} was not written")
        data = read_bytes(path)
        if len(data) != 2 and not data.endswith(b"\r\n\r\n"):
            fail(f"{path} does not end with CR LF CR LF")
        if len(data) == 2 and data != b"\r\n":
            fail(f"{path} is 2 bytes but not CR LF")
        expected = (list_lines(text).replace("\n", "\r\n") + "\r\n").encode()
        if data != expected:
            fail(f"{path} is not the list's text followed by CR LF: {data!r}, expected {expected!r}")
    saved = sorted(sorted_lines(read_bytes(read_again).decode())
                   + sorted_lines(read_bytes(answered_correct).decode()))
    if saved != sorted(QUIZ_LINES):
        fail("the two result files together do not hold the 6 items of the quiz")
    ok(f"{os.path.basename(read_again)} ({os.path.getsize(read_again)} bytes) and "
       f"{os.path.basename(answered_correct)} ({os.path.getsize(answered_correct)} bytes): "
       "each the list and CR LF, together the 6 items")

    step("6. saving the practise list again asks before overwriting; No keeps the file")
    before = (hashlib.md5(read_bytes(read_again)).hexdigest(), os.stat(read_again).st_mtime_ns)
    click(save_practise, "saving onto the existing file")
    box = expect_box(f"{read_again}\nalready exists\n\nDo you want to overwrite?",
                     "saving onto the existing file")
    answer_box(box, "No", "answering No")
    expect_no_box("after answering No")
    after = (hashlib.md5(read_bytes(read_again)).hexdigest(), os.stat(read_again).st_mtime_ns)
    if after[0] != before[0]:
        fail(f"{read_again} changed although the overwrite was declined")
    if after[1] != before[1]:
        fail(f"{read_again} was rewritten although the overwrite was declined")
    ok("No left the file as it was")

    step("7. load the practise list as the next quiz")
    type_into(quiz_file, read_again, "typing the practise list's path")
    click(load, "loading the practise list")
    # The finished test still counts as in progress for Load, which asks.
    box = expect_box(f"{read_again}\nTest is in progress!\n\n"
                     "Are you sure you want to cancel this test and load another test",
                     "loading the practise list")
    answer_box(box, "Yes", "answering Yes")
    ok('Load asked "Test is in progress!" after the finished test; answered Yes')
    wait_for(lambda: open_boxes() or enabled(start), 5,
             "Start is not enabled after loading the practise list of 5 items")
    expect_no_box("loading the practise list", window=0.3)
    settle(lambda: caption_is_black(Shot(), start) or fail("Start's caption is not black after loading"))
    click(start, "starting the practise test")
    practise_questions = [q for q in QUIZ if q != LONG_QUESTION]
    shown = wait_for(lambda: question.name in practise_questions and question.name, 5,
                     lambda: f"Start did not show a question of the practise list "
                             f"(the question reads {question.name!r})")
    settle(lambda: Shot().scan(extents(question), navy)[0] > 20
           or fail("the practise list's first question is not drawn in navy"))
    ok(f"Start was enabled and shows a question of the practise list: {shown}")

    step("8. Full Screen: the report fills the frame's client area")
    click(find(report, "push button", "Full Screen", "the docked report"), "Full Screen")
    a = extents(area)
    wait_for(lambda: extents(report) == a, 3,
             lambda: f"the full-screen report is at {extents(report)}, expected {a}")
    dock = wait_found(report, "push button", "Dock with PDR", "the full-screen report")
    fr, inside, h = extents(lists), extents(inner), extents(hide)
    if (fr.x - a.x, fr.y - a.y) != lists_offset:
        fail(f"the full-screen report's lists moved inside it: frame at {fr}, "
             f"expected {lists_offset} from its corner")
    # The layout keeps the lists' frame and the buttons the same margin from
    # the right and bottom edges as the frame's left margin.
    if (inside.right - fr.right, inside.bottom - fr.bottom) != (margin, margin):
        fail(f"the lists' frame {fr} should end {margin} px inside the report's client area {inside}")
    if fr.right - h.right != margin:
        fail(f"Hide at {h} did not move to the right edge: it should end {margin} px left of the "
             f"frame's right edge {fr.right}")
    if h.x - extents(dock).right != margin:
        fail(f'"Dock with PDR" at {extents(dock)} should end {margin} px left of Hide at {h}')

    def check_full_screen():
        s = Shot()
        for x, y in ((a.x, a.y), (a.right - 1, a.y), (a.x, a.bottom - 1), (a.right - 1, a.bottom - 1)):
            s.expect(x, y, BLACK, "the full-screen report's corner")
        s.expect(a.x + a.w // 2, a.y + 5, WHITE, "the full-screen report's background")
        # The click raised the report over the quiz window.
        if s.rgb(q.x, q.y + q.h // 2) == BLACK:
            fail(f"the quiz window's left border shows at ({q.x}, {q.y + q.h // 2}) "
                 "through the full-screen report")
        expect_grey_corner(s, fr.x, fr.y, "the full-screen report")
        s.expect(fr.right - 1, fr.bottom - 1, GREY, "the grey frame's bottom-right corner")
        s.expect(fr.right, fr.bottom - 1, WHITE, "right of the grey frame")
        s.expect(fr.right - 1, fr.bottom, WHITE, "below the grey frame")
        n, drawn = s.scan(Rect(h.x - 10, h.y + h.h // 2, inside.right - 1 - (h.x - 10), 2), not_white)
        if n == 0 or abs(drawn.right - h.right) > 2:
            fail(f"the Hide button is not drawn where it stands: its right edge is at x = "
                 f"{drawn.right - 1 if n else None}, expected {h.right - 1}")
        return s

    full_screen_shot = settle(check_full_screen)
    ok(f"report at {a}; grey frame to ({fr.right - 1}, {fr.bottom - 1}); Hide ends at x = {h.right - 1}")

    step('9. "Dock with PDR" puts the report back below the quiz window')
    click(dock, "Dock with PDR")
    docked = Rect(docked_x, docked_y, q.w, REPORT_MIN_HEIGHT)
    wait_for(lambda: extents(report) == docked, 3,
             lambda: f"the docked report is at {extents(report)}, expected {docked}")
    wait_found(report, "push button", "Full Screen", "the docked report")
    r, fr, inside = extents(report), extents(lists), extents(inner)
    if (fr.x - r.x, fr.y - r.y) != lists_offset:
        fail(f"the docked report's lists moved inside it: frame at {fr}, "
             f"expected {lists_offset} from its corner")

    def check_docked_again():
        s = Shot()
        s.expect(a.right - 1, a.y + 5, GREY, "the frame's background right of the docked report")
        expect_frame_drawn(s, r, "the docked report")
        s.expect(r.x + r.w // 2, r.bottom, GREY, "below the docked report")
        expect_grey_corner(s, fr.x, fr.y, "the docked report")
        return s

    settle(check_docked_again)
    ok(f"report back at {r}")

    step("10. drag the report by its background")
    # Press on the background just inside the border: no control is there.
    px, py = inside.x + 4, inside.y + 4
    s = Shot()
    s.expect(px, py, WHITE, "the place to press, on the report's background")
    expect_grey_corner(s, fr.x, fr.y, "the report before the drag")
    xdotool("mousemove", px, py, "mousedown", 1)
    time.sleep(0.1)
    # The window follows the pointer from the press: 60, 40 in small steps.
    for i in range(1, 11):
        xdotool("mousemove", px + 6 * i, py + 4 * i)
        time.sleep(0.03)
    xdotool("mouseup", 1)
    moved = r.moved(60, 40)
    wait_for(lambda: extents(report) == moved, 3,
             lambda: f"the dragged report is at {extents(report)}, expected {moved}")

    def check_dragged():
        s = Shot()
        expect_grey_corner(s, fr.x + 60, fr.y + 40, "the dragged report")
        s.expect(moved.x, moved.y + moved.h // 2, BLACK, "the dragged report's left border")
        s.expect(r.x + 5, r.y + r.h // 2, GREY, "the frame's background where the report was")
        return s

    settle(check_dragged)
    ok(f"the grey frame's corner moved from ({fr.x}, {fr.y}) to ({fr.x + 60}, {fr.y + 40})")

    report_shot.save(os.path.join(docs, "report.png"))
    full_screen_shot.save(os.path.join(docs, "report-fullscreen.png"))


def list_lines(text):
    """A list's text with plain line feeds, however the text box ends its lines."""
    return text.replace("\r\n", "\n").replace("\u2029", "\n")


def sorted_lines(text):
    return sorted(line for line in list_lines(text).split("\n") if line)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


app = None
program = None
screen_size = (0, 0)


def main():
    binary, docs, failure_png = sys.argv[1:4]
    began = time.monotonic()
    if os.path.exists(failure_png):
        os.remove(failure_png)
    with tempfile.TemporaryDirectory(prefix="pondera-walk.") as work:
        try:
            walk(binary, docs, work)
        except Exception as error:
            what = str(error) if isinstance(error, Failure) else f"{type(error).__name__}: {error}"
            print(f"walkthrough: FAILED at {step_name}: {what}", file=sys.stderr, flush=True)
            try:
                run("import", "-window", "root", failure_png, capture_output=True)
                print(f"walkthrough: the screen at the failure: {failure_png}", file=sys.stderr)
            except Exception:
                pass
            log = os.path.join(work, "pondera.log")
            if os.path.exists(log) and os.path.getsize(log):
                with open(log, errors="replace") as output:
                    print("walkthrough: Pondera's output:\n" + output.read(), file=sys.stderr)
            return 1
        finally:
            if program is not None and program.poll() is None:
                program.terminate()
                try:
                    program.wait(5)
                except subprocess.TimeoutExpired:
                    program.kill()
    print(f"walkthrough: all checks passed in {time.monotonic() - began:.0f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
