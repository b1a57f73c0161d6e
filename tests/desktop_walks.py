#!/usr/bin/python3
"""The program in a real X window with a window manager, driven the two ways that need no
pen: a client on the desktop accessibility bus, and real keys with the Orca screen reader
listening, whose speech is then checked. Run under dbus-run-session:
python3 desktop_walks.py BIN [bus_walk|orca_walk]"""
import ctypes
import datetime
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

BIN = os.path.abspath(sys.argv[1])
FOOD = "Food, ${} available of $300"
TODAY = "{d.month}/{d.day}/{d:%y}".format(d=datetime.date.today())
PATIENCE = 120  # seconds; what a busy 2-core machine may take for one step


def call(bus, name, path, method, *args):
    return bus.call_sync(name, path, name, method, GLib.Variant(*args) if args else None,
                         None, Gio.DBusCallFlags.NONE, PATIENCE * 1000).unpack()


# The accessibility bus gets a socket of its own (by default every session of the user shares
# one path, and the first to end takes it from the others) and keeps the desktop settings it
# writes in memory. It starts here with all the patience a busy machine needs: a client that
# waits longer for it than its library allows aborts.
SESSION = Gio.bus_get_sync(Gio.BusType.SESSION)
RUNTIME = tempfile.TemporaryDirectory(prefix="walks-")
os.environ["XDG_RUNTIME_DIR"] = RUNTIME.name
call(SESSION, "org.freedesktop.DBus", "/org/freedesktop/DBus", "UpdateActivationEnvironment",
     "(a{ss})", ({"GSETTINGS_BACKEND": "memory", "XDG_RUNTIME_DIR": RUNTIME.name},))
call(Gio.DBusConnection.new_for_address_sync(
    call(SESSION, "org.a11y.Bus", "/org/a11y/bus", "GetAddress")[0],
    Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
    | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION), "org.freedesktop.DBus",
    "/org/freedesktop/DBus", "StartServiceByName", "(su)", ("org.a11y.atspi.Registry", 0))
import pyatspi  # noqa: E402
from gi.repository import Atspi  # noqa: E402

# A call to the program that waits on a message box raises after this, as any slow one would.
Atspi.set_timeout(PATIENCE * 1000, PATIENCE * 1000)


def fail(message):
    raise AssertionError(message)


def wait_for(what, check, seconds=PATIENCE):
    end = time.monotonic() + seconds
    while True:
        GLib.MainContext.default().iteration(False)
        try:
            found = check()
        except (IndexError, GLib.GError):  # the tree changed while it was read
            found = None
        if found or time.monotonic() > end:
            return found or fail("gave up after %d s waiting for %s" % (seconds, what))
        time.sleep(0.05)


# WCAG's contrast of two colours (r, g, b), 1 to 21.
def contrast(a, b):
    def luminance(c):
        return sum(w * (v / 3294.6 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4)
                   for w, v in zip((0.2126, 0.7152, 0.0722), c))
    dark, light = sorted((luminance(a), luminance(b)))
    return (light + 0.05) / (dark + 0.05)


def start(command, **options):
    """A process of the desktop: ended with it, or with this script however it ends."""
    Desktop.running.append(subprocess.Popen(command, preexec_fn=lambda: ctypes.CDLL(
        None).prctl(1, signal.SIGTERM), **options))  # 1: PR_SET_PDEATHSIG
    return Desktop.running[-1]


def run(*command):
    return subprocess.run(command, capture_output=True, text=True).stdout.strip()


class Desktop:
    """Xvfb with openbox: without a window manager nothing hands the keys back to the
    window when a message box closes, and Orca follows only an active window."""

    def __enter__(self):
        read, write = os.pipe()
        Desktop.running = []
        said = {name: tempfile.TemporaryFile("w+") for name in ("Xvfb", "openbox")}

        def failed(what):
            self.__exit__()
            for name, output in said.items():
                output.seek(0)
                what += "; %s said: %s" % (name, output.read().strip() or "nothing")
            fail(what)
        # No reset as the last client leaves: a client that connects meanwhile (openbox after
        # a probe of the display) is refused.
        xvfb = start(["Xvfb", "-displayfd", str(write), "-screen", "0", "640x640x24",
                      "-nolisten", "tcp", "-noreset"], pass_fds=[write], stdout=said["Xvfb"],
                     stderr=subprocess.STDOUT)
        os.close(write)
        with os.fdopen(read) as number:
            os.environ["DISPLAY"] = ":" + number.readline().strip()
        try:
            wait_for("the X server on display %s to answer" % os.environ["DISPLAY"],
                     lambda: xvfb.poll() is not None or subprocess.call(
                         ["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0)
            if xvfb.poll() is not None:
                fail("Xvfb ended with %d" % xvfb.returncode)
            openbox = start(["openbox"], stdout=said["openbox"], stderr=subprocess.STDOUT)
            wait_for("openbox to manage the screen", lambda: openbox.poll() is not None or (
                "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")))
            if openbox.poll() is not None:
                fail("openbox ended with %d" % openbox.returncode)
        except AssertionError as error:
            failed(str(error))
        return self

    def __exit__(self, *error):
        for process in reversed(Desktop.running):
            process.terminate()
            process.wait()


class Orca:
    """Orca from its own modules, as /usr/bin/orca starts it, but not refusing to start
    beside another Orca of this user (a shared machine); a signal ends it cleanly even while
    its loop waits in C. No speech server: Orca logs each utterance before it would send it."""
    LAUNCH = """import signal, socket, sys
from gi.repository import GLib
from orca import debug, orca
debug.debugLevel, debug.eventDebugLevel = debug.LEVEL_ALL, debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1)
orca.getSettingsManager().activate(sys.argv[2], {})
wake, woken = socket.socketpair()
woken.setblocking(False)
signal.set_wakeup_fd(woken.fileno())
GLib.io_add_watch(wake.fileno(), GLib.IO_IN, lambda *event: bool(wake.recv(64)))
sys.exit(orca.main())"""

    def __init__(self):
        self.home = tempfile.TemporaryDirectory(prefix="orca-")
        home = self.home.name
        self.log = home + "/debug.log"
        open(self.log, "w").close()
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home,
                   XDG_CACHE_HOME=home, GSETTINGS_BACKEND="memory", SPEECHD_CMD="/bin/false")
        self.process = start(["/usr/bin/python3", "-c", self.LAUNCH, self.log, home + "/prefs"],
                             env=env)
        wait_for("Orca to start", lambda: "SPEECH OUTPUT: 'Screen reader on.'" in self.text())

    def text(self):
        with open(self.log, errors="replace") as log:
            return log.read()

    def heard(self, event, since=0):
        """Orca has logged that event (after `since`), taken all it queued, and finished
        with the last: what it says about a step is logged before the next step begins."""
        def settled():
            text = self.text()
            count = lambda what: text.count("EVENT MANAGER: " + what)  # noqa: E731
            return (event in text[since:]
                    and count("Queueing ") <= count("Dequeued ") + count("Pruning ")
                    and text.rfind("^^^^^ PROCESS OBJECT EVENT") > text.rfind(
                        "EVENT MANAGER: Dequeued "))
        wait_for("Orca to hear " + event, settled)

    def end(self):
        self.process.send_signal(signal.SIGTERM)
        wait_for("Orca to end", lambda: self.process.poll() is not None)
        if self.process.returncode != 0:
            fail("Orca ended with %d" % self.process.returncode)
        return self.text()


# What the program may print on stderr in a normal run, and why.
ALLOWED = [
    # A picture file missing or damaged is the user's to mend; the program says which.
    r"brivant: picture \S+ .*; showing a placeholder",
    # Qt lets the screen reader see each key first; a reader slower than Qt's patience (a
    # busy machine) has the key go on without its answer, which is what should happen.
    r"QSpiApplication::keyEventError .*NoReply.*",
    # The same late answer, arriving after Qt has gone on, finds no key waiting for it.
    r"QSpiApplication::notifyKeyboardListenerCallback with no queued key called",
]


class Program:
    def __init__(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.errors = tempfile.TemporaryFile("w+")
        self.process = start(["./brivant"], cwd=BIN, env=env, stderr=self.errors)
        self.root = wait_for("the program on the bus", self.application)
        self.window = wait_for("its window", lambda: run(
            "xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)))
        subprocess.call(["xdotool", "windowactivate", "--sync", self.window])
        wait_for("the keys on its window", lambda: run("xdotool", "getwindowfocus") == self.window)

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop[i] for i in range(desktop.childCount)]
        return next((a for a in apps if a and a.get_process_id() == self.process.pid
                     and a.childCount), None)

    def all(self, node=None):
        node = node or self.root
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child:
                yield from self.all(child)

    def find(self, name, role=None):
        """The control of that name on the screen, as a screen reader finds it."""
        def on_screen():
            return next((a for a in self.all() if a.name == name
                         and a.getState().contains(pyatspi.STATE_SHOWING)
                         and (role is None or a.getRole() == role)), None)
        return wait_for('"%s" on the screen' % name, on_screen)

    def gone(self, name):
        wait_for('"%s" gone' % name, lambda: all(
            a.name != name or not a.getState().contains(pyatspi.STATE_SHOWING)
            for a in self.all()))

    def act(self, name, action="Press", role=None):
        control = self.find(name, role)
        if control.getRole() not in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PAGE_TAB,
                                     pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_RADIO_BUTTON):
            fail('"%s" is told as a %s, not as something to press' % (name, control.getRoleName()))
        actions = control.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            fail('"%s" offers %s, not %s' % (name, names, action))
        try:
            actions.doAction(names.index(action))
        except GLib.GError as error:
            fail('pressing "%s" got no answer: %s' % (name, error.message))

    def type(self, name, text):
        try:  # a reader keeps what a node offers as it first meets it, shown or not
            self.find(name, pyatspi.ROLE_TEXT).queryEditableText().setTextContents(text)
        except NotImplementedError:
            fail('"%s" offers no text to edit' % name)

    def box(self, prompt, answer):
        """A message box reads its prompt; its button answers it."""
        self.find(prompt)
        self.act(answer, role=pyatspi.ROLE_PUSH_BUTTON)
        self.gone(prompt)

    # The window's pixels as X holds them, and their width.
    def grab(self):
        ppm = subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"],
                             capture_output=True).stdout
        width, height = map(int, ppm.split(b"\n")[1].split())
        return width, ppm[-width * height * 3:]

    # After real keys, the mark around the control that has them against the pixels before,
    # measured as the in-process walk measures every stop (markFault in tests/driver.cpp).
    def marks(self, keys, name, role):
        # From a window at rest: the last key's screen drawn whole.
        before = wait_for("the window at rest",
                          lambda: (lambda a, b: a == b and a)(self.grab(), self.grab()))
        subprocess.check_call(["xdotool", "key", "--delay", "60"] + keys)
        x, y, w, h = wait_for("the keys on " + name, lambda: next((
            a for a in self.all() if a.name.startswith(name) and a.getRole() == role
            and a.getState().contains(pyatspi.STATE_FOCUSED)), None)).queryComponent(
            ).getExtents(pyatspi.DESKTOP_COORDS)
        at = re.findall(r"Absolute upper-left .: +(-?\d+)", run("xwininfo", "-id", self.window))
        x, y, faults = x - int(at[0]), y - int(at[1]), []

        def measured():
            (width, old), (_, new) = before, self.grab()
            faults.clear()
            for fx, fy, dx, dy in [(x + w // 2, y - 1, 0, -1), (x + w // 2, y + h, 0, 1),
                                   (x - 1, y + h // 2, -1, 0), (x + w, y + h // 2, 1, 0)]:
                strong, mark, against = 0, [], 0
                for i in range(10):
                    at = ((fy + i * dy) * width + fx + i * dx) * 3
                    was, ink = old[at:at + 3], new[at:at + 3]
                    if ink == was and strong:
                        against = max(contrast(m, ink) for m in mark)
                        break
                    strong += contrast(ink, was) >= 3
                    mark += [ink] if ink != was else []
                if strong < 2 or against < 3:
                    faults.append("%s %d px thick, %.1f:1 at (%d,%d)" % (name, strong, against,
                                                                          fx, fy))
            return not faults
        try:  # drawn as the focus moves, so a mark that is not there in 20 s will not come
            wait_for("the mark around " + name, measured, seconds=20)
        except AssertionError:
            pass
        return faults

    def ended(self):
        wait_for("the program to end", lambda: self.process.poll() is not None)
        if self.process.returncode != 0:
            fail("the program ended with %d" % self.process.returncode)
        self.errors.seek(0)
        said = [line for line in self.errors.read().splitlines()
                if not any(re.fullmatch(allowed, line) for allowed in ALLOWED)]
        if said:
            fail("the program said on stderr:\n  " + "\n  ".join(sorted(set(said))))

    def showing(self, settled=None):
        """Once that shows, every node that says it shows lies inside its window (an open
        drop-down list's rows inside the list) under a parent that shows too."""
        if settled:
            self.find(settled)
        def inside(node, box, parent_shows, where):
            shows = node.getState().contains(pyatspi.STATE_SHOWING)
            try:
                x, y, w, h = place = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            except NotImplementedError:  # placed nowhere: a panel, the window's notice
                place = None
            name = "%s %s \"%s\"" % (where, node.getRoleName(), node.name)
            if shows and not parent_shows:
                yield name + " shows, its parent does not"
            elif shows and box and place and not (
                    box[0] <= x and box[1] <= y and x + w <= box[0] + box[2]
                    and y + h <= box[1] + box[3] and w > 0 and h > 0):
                yield name + " shows at %d,%d %dx%d, outside %d,%d %dx%d" % (place + box)
            popup = node.getRole() == pyatspi.ROLE_LIST and node.parent.getRole() == (
                pyatspi.ROLE_COMBO_BOX)
            for i in range(node.childCount):
                yield from inside(node.getChildAtIndex(i), place if popup or not box else box,
                                  shows, where)
        faults = [fault for window in (self.root.getChildAtIndex(i) for i in range(
            self.root.childCount)) for fault in inside(window, None, True, window.name)]
        if faults:
            fail("%d nodes are not as they show:\n  %s" % (len(faults), "\n  ".join(faults)))


def bus_walk():
    """A whole session without a key or a click, what shows checked on every screen."""
    app = Program()
    app.act("OK")
    app.showing(FOOD.format("217.12"))
    app.act(FOOD.format("217.12"))
    app.showing("Available: $217.12")
    app.type("Amount", "12.5")
    app.type("Description", "Lunch")
    app.act("Done")
    app.showing("Transaction No.7 has been added.")
    app.box("Transaction No.7 has been added.", "OK")
    app.find("Available: $204.62")
    app.act("Recent transactions", role=pyatspi.ROLE_PUSH_BUTTON)
    line = "Transaction 7: %s, $12.5, Lunch, Food, " % TODAY
    app.act(line, "Toggle")
    wait_for("line 7 chosen", lambda: app.find(line).getState().contains(pyatspi.STATE_CHECKED))
    app.showing()
    app.act("Delete")
    app.box("Do you want to delete transaction no.7 ?", "Yes")
    app.act("Menu button")
    app.act("Setup", role=pyatspi.ROLE_PAGE_TAB)
    app.showing("Transfer Funds")
    app.act("Transfer Funds")
    app.type("Amount", "25")
    # An open drop-down list shows its rows, in its own window.
    source = app.find("From", pyatspi.ROLE_COMBO_BOX)
    for state in (True, False):
        source.queryAction().doAction(0)
        wait_for("the list of From open" if state else "closed", lambda: source[0].getState(
            ).contains(pyatspi.STATE_SHOWING) == state)
        app.showing()
    app.act("Done")
    app.box("Transfer $25 from category Food to category Electricity.", "OK")
    app.find(FOOD.format("192.12"))
    app.showing("Electricity, $125 available of $125")
    app.act("Power button")
    app.ended()


ROW = "Transaction {}: 5/{}/01, ${}, {}, Food, {}"
TIPS = ["!Input a New Transaction", "!Next Page:Recent Transactions"]
MENU = ["F10", "Right", "Right", "Return"]
# Keys; what Orca must then have taken from the bus (the keys' new place, mostly); what it
# says after them, in that order ("!": what it never says there; "=": what it says once).
ORCA_WALK = [
    (["Tab"], "Dequeued focus: [push button | Food,",
     ["Category overview", FOOD.format("217.12")] + TIPS),
    (["space"], "Dequeued focus: [text | Date]", ["Status of Food", "Date", TODAY]),
    (["Tab", "2", "period", "5", "Return"], "Dequeued focus: [push button | OK]",
     ["Transaction No.7 has been added."]),
    (["Return"], "Dequeued focus: [text | Amount]", ["Status of Food", "Amount", "!notification"]),
    (["Next"], "Dequeued focus: [radio button | Transaction 1",
     ["Recent transactions of Food", ROW.format(1, "05", "5.50", "McDonalds", "Cash")]),
    (["Down"], "Dequeued focus: [radio button | Transaction 2",
     [ROW.format(2, "10", "11.23", "CornerBakery", "Cash")]),
    (["Down"], "Dequeued focus: [radio button | Transaction 3",
     [ROW.format(3, "23", "13.26", "Jewel", "Visa")]),
    (["Tab"], "Dequeued focus: [push button | Edit", ["Edit", "5/23/01, $13.26, Jewel"]),
    (["space"], "Dequeued focus: [text | Date]", ["Editing transaction 3", "Date", "5/23/01"]),
    (["Escape"], "Dequeued focus: [radio button | Transaction 3", []),
    (["Prior", "Escape"], "Dequeued focus: [push button | Yes]",
     ["Do you want to go back to the category page"]),
    # The box waits for Return to come up, the keys moving to No meanwhile, so that Orca has
    # heard the key before the window comes back and names the screen the keys land on.
    (["keydown", "Return", "key", "Tab", "keyup", "Return"], "Dequeued focus: [text | Date]",
     ["Status of Food", "Date"]),
    (["Escape"], "Dequeued focus: [push button | Yes]", ["Do you want to go back"]),
    (["alt+n"], "Dequeued focus: [text | Date]", ["Status of Food", "Date"]),
    (["Escape"], "Dequeued focus: [push button | Yes]", ["Do you want to go back"]),
    (["y"], "Dequeued focus: [push button | Food,",
     ["Category overview", FOOD.format("214.62"), "!notification"] + TIPS),
    (MENU + ["Return"], "Dequeued focus: [text | Total", ["Budget setup", "Total budget"]),
    (["Escape"], "Dequeued focus: [push button | Food,", TIPS),
    (MENU + ["Down", "Return"], "Dequeued focus: [text | Amount]", ["Transfer funds", "Amount"]),
    (["5", "Tab"], "Dequeued focus: [combo box |", ["From", "Food"]),
    (["Down"], "Dequeued object:selection-changed [combo box |", ["Electricity"]),
    (["Up", "shift+Tab", "Return"], "Dequeued focus: [push button | OK]",
     ["Transfer $5 from category Food to category Electricity."]),
    (["Return"], "Dequeued focus: [push button | Food, $209.62",
     ["Category overview"] + TIPS),
    (["F1", "Return"], "Dequeued focus: [paragraph | Help page 1 of 2]",
     ["Help page 1 of 2", "=How do I open a category?"]),
    (["KP_Add"], "PROCESS ATSPI_KEY_RELEASED_EVENT: '+'",
     ["How do I open a category?", "Tap its meter on the home screen."]),
    (["Next"], "Dequeued focus: [paragraph | Help page 2 of 2]",
     ["Help page 2 of 2", "=How do I move money?"]),
    (["F1", "Down", "Return"], "Dequeued focus: [paragraph | About Brivant]",
     ["About Brivant", "!notification"]),
    (["Escape"], "Dequeued focus: [push button | Food,", ["Category overview"] + TIPS),
]


def orca_walk():
    """Real keys only, each step begun once Orca has taken in the last one; then what Orca
    said after each step, read from its log once it has ended."""
    orca = Orca()
    app = Program()
    # The start-up timer ends the About screen, and the window tells it, before any key.
    orca.heard("Category overview")
    marks, unheard = [], []
    try:
        for keys, then, _ in ORCA_WALK:
            marks.append(len(orca.text()))
            subprocess.check_call(["xdotool"] + (keys if keys[0] == "keydown" else [
                "key", "--delay", "60"] + keys))
            orca.heard(then, marks[-1])
        app.find(FOOD.format("209.62"))
        app.find("Electricity, $105 available of $105")
        # The mark of the keys over the dark bar, the white screen, its edge and the glass; what
        # Orca says of these keys ends the last step's speech.
        marks.append(len(orca.text()))
        subprocess.check_call(["xdotool", "key", "F10"])
        app.find("Setup", pyatspi.ROLE_PAGE_TAB)
        unseen = app.marks(["Right", "Right"], "Setup", pyatspi.ROLE_PAGE_TAB)
        unseen += app.marks(["Escape"], "Food", pyatspi.ROLE_PUSH_BUTTON)
        subprocess.check_call(["xdotool", "key", "space"])
        app.find("Date", pyatspi.ROLE_TEXT)
        unseen += app.marks(["Tab", "Tab"], "Description", pyatspi.ROLE_TEXT)
        unseen += app.marks(["Tab"] * 5, "Recent transactions", pyatspi.ROLE_PUSH_BUTTON)
        if unseen:
            fail("the mark of the keys does not show: " + "; ".join(unseen))
    except AssertionError as error:
        unheard.append("after %s: %s" % (" ".join(keys), error))
    log = orca.end()  # before the program: Orca cannot say goodbye without a window
    if not unheard:  # and the pen still closes it, with a real click on the power button
        subprocess.check_call(["xdotool", "mousemove", "--window", app.window, "16", "448",
                               "click", "1"])
        app.ended()
    for (keys, _, says), begin, end in zip(ORCA_WALK, marks, marks[1:] + [len(log)]):
        if keys == ["KP_Add"]:  # what say-all reads may have been read on opening
            begin = marks[marks.index(begin) - 1]
        said = re.findall(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?(?:\{.*\})?$",
                          log[begin:end], re.M)
        spoken, at = " | ".join(said), 0
        for words in says:
            at = spoken.find(words.lstrip("="), at) if words[0] != "!" else (
                -1 if words[1:] in spoken else at)
            twice = words[0] == "=" and spoken.count(words[1:]) > 1
            if at < 0 or twice:
                unheard.append('after %s Orca said "%s": %s "%s"' % (
                    " ".join(keys), spoken, "also" if words[0] == "!" else "twice" if twice
                    else "not", words.lstrip("!=")))
                break
    if unheard:
        report = ["%d of %d steps not heard as they should be:" % (len(unheard), len(ORCA_WALK))]
        if os.environ.get("WALK_LOGS"):  # kept for whoever looks into it
            with tempfile.NamedTemporaryFile("w", dir=os.environ["WALK_LOGS"], prefix="orca-",
                                             suffix=".log", delete=False) as kept:
                kept.write(log)
            report.append("Orca's log: " + kept.name)
        fail("\n  ".join(report + unheard))


if __name__ == "__main__":
    failed = 0
    chosen = sys.argv[2:] or ["bus_walk", "orca_walk"]
    for walk in [walk for walk in (bus_walk, orca_walk) if walk.__name__ in chosen]:
        try:
            with Desktop():
                walk()
            print("desktop: %s passed" % walk.__name__)
        except AssertionError as error:
            failed += 1
            print("desktop: %s FAILED: %s" % (walk.__name__, error))
    sys.exit(1 if failed else 0)
