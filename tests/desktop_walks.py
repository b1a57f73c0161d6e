#!/usr/bin/python3
"""The program in a real X window with a window manager, driven the two ways that need no
pen: a client on the desktop accessibility bus, as a screen reader uses it, and real key
events, read back through the bus. Run under dbus-run-session: python3 desktop_walks.py BIN"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

BIN = os.path.abspath(sys.argv[1])
FOOD = "Food, ${} available of $300"


def fail(message):
    raise AssertionError(message)


def wait_for(what, check, seconds=20):
    end = time.monotonic() + seconds
    while True:
        GLib.MainContext.default().iteration(False)
        try:
            found = check()
        except (IndexError, GLib.GError):  # the tree changed while it was read
            found = None
        if found or time.monotonic() > end:
            return found or fail("gave up waiting for " + what)
        time.sleep(0.05)


class Desktop:
    """Xvfb with openbox: without a window manager nothing hands the keys back to the
    window when a message box closes."""

    def __enter__(self):
        number = 90
        while os.path.exists("/tmp/.X%d-lock" % number):
            number += 1
        os.environ["DISPLAY"] = ":%d" % number
        self.servers = [subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "640x640x24",
                                          "-nolisten", "tcp"], stderr=subprocess.DEVNULL)]
        wait_for("the X server", lambda: subprocess.call(
            ["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0)
        self.servers.append(subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL))
        return self

    def __exit__(self, *error):
        for server in reversed(self.servers):
            server.terminate()
            server.wait()


class Program:
    def __init__(self):
        # The bus and its registry run before the program looks for them, as in a desktop.
        pyatspi.Registry.getDesktop(0).childCount
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen(["./brivant"], cwd=BIN, env=env)
        self.started = time.monotonic()
        self.focus = []
        pyatspi.Registry.registerEventListener(self.announced, "object:state-changed:focused")
        self.root = wait_for("the program on the bus", self.application)
        self.window = wait_for("its window", lambda: subprocess.run(
            ["xdotool", "search", "--pid", str(self.process.pid)],
            capture_output=True, text=True).stdout.split()[:1])[0]
        subprocess.call(["xdotool", "windowactivate", "--sync", self.window])

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop[i] for i in range(desktop.childCount)]
        return next((a for a in apps if a and a.name == "brivant" and a.childCount), None)

    def announced(self, event):
        if event.detail1 and event.source.getApplication().name == "brivant":
            self.focus.append(event.source.name)

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
        began = time.monotonic()
        try:
            actions.doAction(names.index(action))
        except GLib.GError as error:
            fail('pressing "%s" got no answer: %s' % (name, error.message))
        if time.monotonic() - began > 1:
            fail('pressing "%s" kept the caller waiting' % name)

    def type(self, name, text):
        self.find(name, pyatspi.ROLE_TEXT).queryEditableText().setTextContents(text)

    def box(self, prompt, answer):
        """A message box reads its prompt; its button answers it."""
        self.find(prompt)
        self.act(answer, role=pyatspi.ROLE_PUSH_BUTTON)
        self.gone(prompt)

    def keys(self, *keys):
        self.focus.clear()
        for key in keys:
            subprocess.check_call(["xdotool", "key", "--delay", "60", key])
            time.sleep(0.1)

    def focused(self, name):
        """The keys are on that control, and the bus announced it."""
        wait_for('the keys announced on "%s"' % name, lambda: self.focus and self.focus[-1] == name)
        self.find(name).getState().contains(pyatspi.STATE_FOCUSED) or fail(name + " lacks focus")

    def pixel(self, x, y):
        return subprocess.run(["import", "-window", self.window, "-format",
                               "%%[pixel:p{%d,%d}] %%w %%h" % (x, y), "info:"],
                              capture_output=True, text=True, check=True).stdout.split()

    def ended(self):
        wait_for("the program to end", lambda: self.process.poll() is not None)
        if self.process.returncode != 0:
            fail("the program ended with %d" % self.process.returncode)


def bus_walk():
    """A whole session without a key or a click."""
    app = Program()
    app.act("OK")
    app.act(FOOD.format("217.12"))
    app.find("Available: $217.12")
    app.type("Amount", "12.5")
    app.type("Description", "Lunch")
    app.act("Done")
    app.box("Transaction No.7 has been added.", "OK")
    app.find("Available: $204.62")
    app.act("Next page")
    if not app.find("Recent transactions").description.endswith("$12.5, Lunch, Food, "):
        fail("the list does not end with the new line")
    app.act("Transaction 7", "Toggle")
    wait_for("line 7 chosen", lambda: app.find("Transaction 7").getState().contains(
        pyatspi.STATE_CHECKED))
    app.act("Delete")
    app.box("Do you want to delete transaction no.7 ?", "Yes")
    app.act("Menu button")
    app.act("Setup", role=pyatspi.ROLE_PAGE_TAB)
    app.act("Transfer Funds")
    app.type("Amount", "25")
    app.act("Done")
    app.box("Transfer $25 from category Food to category Electricity.", "OK")
    app.find(FOOD.format("192.12"))
    app.find("Electricity, $125 available of $125")
    app.act("Power button")
    app.ended()


def keyboard_walk():
    """Real keys only, beginning under the start-up About picture: a message box left open
    past the start-up timer's five seconds keeps the screen under it until answered."""
    app = Program()
    app.keys("F10", "Right", "Right", "Return", "Down", "Return", "5", "Return")
    app.find("Transfer $5 from category Food to category Electricity.")
    if time.monotonic() - app.started > 4.5:
        fail("the box opened too late to see the start-up timer wait for it")
    time.sleep(5.5 - (time.monotonic() - app.started))
    app.find("Screen page")
    app.find("Amount")
    app.keys("Return")
    app.gone("Screen page")
    app.focused(FOOD.format("212.12"))
    app.find("Help", pyatspi.ROLE_PAGE_TAB)
    ring = app.pixel(49, 110)
    if ring[1:] != ["335", "512"] or ring[0] != "srgb(0,90,200)":
        fail("no focus ring beside the Food meter: " + " ".join(ring))
    app.keys("Tab")
    app.focused("Electricity, $105 available of $105")
    app.keys("space")
    app.focused("Date")
    app.keys("Tab", "2", "period", "5", "Return")
    app.find("Transaction No.1 has been added.")
    app.keys("Return")
    app.find("Available: $102.5")
    app.focused("Amount")
    app.keys("Next")
    app.focused("Transaction 1")
    app.keys("Tab")
    app.focused("Edit")
    app.keys("space")
    app.focused("Date")
    app.keys("Tab", "Tab", "Tab", "Tab", "Tab")
    app.focused("Reset")
    app.keys("Escape")
    app.find("Delete")
    app.focused("Transaction 1")
    # And the pen still closes it, with a real click on the organiser's power button.
    subprocess.check_call(["xdotool", "mousemove", "--window", app.window, "16", "448",
                           "click", "1"])
    app.ended()


if __name__ == "__main__":
    failed = 0
    for walk in (bus_walk, keyboard_walk):
        with Desktop():
            try:
                walk()
                print("desktop: %s passed" % walk.__name__)
            except AssertionError as error:
                failed += 1
                print("desktop: %s FAILED: %s" % (walk.__name__, error))
    sys.exit(1 if failed else 0)
