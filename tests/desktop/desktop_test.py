#!/usr/bin/env python3
"""Both dialogs as people meet them: ostrel-demo on a real X server (Xvfb),
worked with real key events (xdotool) or read through the screen readers' own
client (AT-SPI through pyatspi).

    desktop_test.py keyboard|mask|screen-reader OSTREL_DEMO SAMPLES_DIR

Exits 77 (skipped) when a tool is missing, except under CI=true, where every
tool must be there.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

SKIPPED = 77
TIMEOUT = 20  # seconds that any window or answer may take

# The settings a user brings along: an outgoing letter chosen last time, so
# that Enter in the type selection takes it, and last values for two
# attribute names, the recipient's inserted automatically.
SETTINGS = """[5.0]
lastSelectedDocument=Letters.Outgoing
LastUsedIdents=9:Recipient4:Kovo1:17:Subject5:Offer1:0
"""


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def require(tools, modules=()):
    missing = [tool for tool in tools if shutil.which(tool) is None]
    for module in modules:
        try:
            __import__(module)
        except ImportError:
            missing.append("python3 module " + module)
    if not missing:
        return
    if os.environ.get("CI") == "true":
        fail("missing on this CI machine: " + ", ".join(missing))
    print("SKIPPED: missing " + ", ".join(missing) + " (scripts/install-deps installs them)")
    sys.exit(SKIPPED)


def wait_until(what, probe):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        result = probe()
        if result:
            return result
        time.sleep(0.05)
    fail("timed out waiting for " + what)


class Desktop:
    """An X server of its own on a free display, a home with the settings
    above, and ostrel-demo runs on them."""

    def __init__(self, demo, samples):
        self.demo = demo
        self.samples = samples
        self.folder = tempfile.mkdtemp(prefix="ostrel-desktop-")
        read, write = os.pipe()
        # Xvfb picks a free display itself and names it on the pipe.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            display = pipe.readline().strip()
        if not display:
            fail("Xvfb did not start")
        config = os.path.join(self.folder, "config")
        os.makedirs(os.path.join(config, "Zelvamont"))
        with open(os.path.join(config, "Zelvamont", "Ostrel.ini"), "w", encoding="utf-8") as ini:
            ini.write(SETTINGS)
        self.env = dict(os.environ, DISPLAY=":" + display, HOME=self.folder,
                        XDG_CONFIG_HOME=config, LANGUAGE="en", LC_ALL="C.UTF-8",
                        QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.env.pop("WAYLAND_DISPLAY", None)
        if "ASAN_OPTIONS" in self.env:
            # xkbcommon's reading of the server's key map is refused by the
            # strict string checks (strndup over unterminated names).
            self.env["ASAN_OPTIONS"] += ":strict_string_checks=0"
        # A Czech keyboard, as in the offices the dialogs are made for.
        subprocess.run(["setxkbmap", "-layout", "cz"], env=self.env, check=True, timeout=TIMEOUT)
        self.runs = 0

    def close(self):
        self.server.terminate()
        self.server.wait(timeout=TIMEOUT)
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self):
        self.runs += 1
        self.work = os.path.join(self.folder, "work%d" % self.runs)
        return subprocess.Popen(
            [self.demo, "--domains", os.path.join(self.samples, "domains.xml"), "--work", self.work,
             "--date", "2024-03-01"],
            env=self.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)

    def finish(self, demo):
        try:
            output, _ = demo.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            demo.kill()
            fail("ostrel-demo did not end:\n" + demo.communicate()[0])
        if demo.returncode != 0:
            fail("ostrel-demo exited with %d:\n%s" % (demo.returncode, output))
        return output

    def filed(self):
        """The attribute values of every document filed in this run."""
        folder = os.path.join(self.work, "filed")
        names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
        return [{a.get("id"): a.text or "" for a in ElementTree.parse(os.path.join(folder, n))
                 .getroot().iter("attribute")} for n in names]

    def xdotool(self, *arguments):
        subprocess.run(["xdotool"] + list(arguments), env=self.env, check=True, timeout=TIMEOUT,
                       stdout=subprocess.DEVNULL)

    def type(self, text):
        # Accented letters are pressed by their keysym (a Latin-1 letter's is
        # its code point), which the Czech layout has on a key: typed as text,
        # xdotool maps a spare key to them and undoes that before the
        # application has read the key.
        for character in text:
            if character.isascii():
                self.xdotool("type", character)
            elif ord(character) < 0x100:
                self.xdotool("key", "0x%x" % ord(character))
            else:
                fail("only Latin-1 letters can be typed here: " + character)

    def focus_window(self, demo, title):
        deadline = time.monotonic() + TIMEOUT
        while demo.poll() is None and time.monotonic() < deadline:
            # A window that goes away while xdotool looks at it (a tooltip, a
            # closing dialog) makes the search fail: look again.
            search = subprocess.run(
                ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^" + title],
                env=self.env, timeout=max(deadline - time.monotonic(), 1), capture_output=True,
                text=True)
            if search.returncode == 0:
                # No window manager here: the window gets the keyboard from us.
                self.xdotool("windowfocus", "--sync", search.stdout.split()[0])
                return
            time.sleep(0.05)
        demo.kill()
        fail("no window %r:\n%s" % (title, demo.communicate()[0]))


def keyboard_run(desktop, steps):
    """Runs the demo through `steps`: (window title to wait for, keys, text
    to type), and returns its output."""
    demo = desktop.start()
    for title, keys, text in steps:
        desktop.focus_window(demo, title)
        if text:
            desktop.type(text)
        for key in keys:
            desktop.xdotool("key", key)
    return desktop.finish(demo)


def test_keyboard(desktop, mask_only):
    choose = ("Document Type Selection", ["Return"], "")
    rows = [
        # (what, steps, values expected of the filed document; None: nothing filed)
        ("Escape in the type selection", [("Document Type Selection", ["Escape"], "")], None),
        ("Escape in the identification", [choose, ("Document Identification", ["Escape"], "")],
         None),
        ("Czech text typed into a field",
         [choose, ("Document Identification", ["Return"], "Hradec Králové"),
          ("Document filed", ["Escape"], "")], {"Recipient": "Hradec Králové"}),
    ]
    if mask_only:
        # The date field's mask inserts the dots while the digits are typed.
        rows = [("typing through a mask's literals",
                 [choose, ("Document Identification", ["Tab"], "Kovo"),
                  ("Document Identification", ["Return"], "01032024"),
                  ("Document filed", ["Escape"], "")],
                 {"Recipient": "Kovo", "SentOn": "01.03.2024"})]
    for what, steps, expected in rows:
        output = keyboard_run(desktop, steps)
        filed = desktop.filed()
        if expected is None:
            if filed or "nothing filed" not in output:
                fail("%s filed %s:\n%s" % (what, filed, output))
        else:
            if len(filed) != 1:
                fail("%s filed %d documents:\n%s" % (what, len(filed), output))
            for name, value in expected.items():
                if filed[0].get(name) != value:
                    fail("%s: %s is %r, not %r" % (what, name, filed[0].get(name), value))
        print("ok: " + what)


def accessible_tree(pyatspi, window):
    """(role, name, description) of `window` and everything below it."""
    found = []
    pending = [window]
    while pending:
        node = pending.pop()
        found.append((node.getRoleName(), node.name, node.description))
        pending.extend(child for child in node if child is not None)
    return found


def test_screen_reader(desktop):
    import pyatspi

    def window(title):
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == "ostrel-demo":
                for child in application:
                    if child is not None and child.name.startswith(title):
                        return child
        return None

    def press(dialog, button):
        for node in pyatspi.findAllDescendants(dialog, lambda n: n.name == button):
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                node.queryAction().doAction(0)
                return
        fail("no button " + button)

    # (dialog, buttons pressed to leave it, what a screen reader must find in
    # it: role, name and, where given, description)
    dialogs = [
        ("Document Type Selection", ["OK"], [
            ("tree", "Document group", None),
            ("list", "Document", None),
            ("list item", "Outgoing letter", "Letter sent by post"),
            ("text", "Description", None),
        ]),
        ("Document Identification", ["Insert the last value of Recipient", "OK"], [
            ("text", "Recipient", None),
            ("text", "Sent on", None),
            ("push button", "Insert the last value of Recipient",
             "Last value Kovo, automatic insertion on"),
            ("push button", "Insert the last value of Subject",
             "Last value Offer, automatic insertion off"),
            ("push button", "Insert the last value of Sent on", "No last value"),
            ("check box", "Remember cursor", None),
        ]),
        ("Document filed", ["Close"], [("text", "Filed record", None)]),
    ]
    demo = desktop.start()
    for title, buttons, expected in dialogs:
        dialog = wait_until(title, lambda: window(title))
        found = []

        def complete():
            found[:] = accessible_tree(pyatspi, dialog)
            return all(any(role == r and name == n and description in (None, d)
                           for r, n, d in found) for role, name, description in expected)

        deadline = time.monotonic() + TIMEOUT
        while not complete() and time.monotonic() < deadline:
            time.sleep(0.05)
        announced = "\n".join("  %s %r %r" % entry for entry in sorted(found))
        if os.environ.get("OSTREL_DUMP_ACCESSIBLE"):
            print(title + ":\n" + announced)
        for role, name, description in expected:
            if not any(role == r and name == n and description in (None, d) for r, n, d in found):
                fail("%s: no %s %r %r among:\n%s" % (title, role, name, description, announced))
        # No control is announced as a bare number or as a nameless check box.
        if any(name == "1" for _, name, _ in found):
            fail(title + ": something is announced as \"1\":\n" + announced)
        if any(role == "check box" and not name.strip() for role, name, _ in found):
            fail(title + ": a check box without a name:\n" + announced)
        print("ok: " + title)
        for button in buttons:
            press(dialog, button)
    desktop.finish(demo)
    # The last-value button pressed by the screen reader inserted its value.
    if [filed.get("Recipient") for filed in desktop.filed()] != ["Kovo"]:
        fail("the pressed last-value button inserted nothing: %s" % desktop.filed())


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("keyboard", "mask", "screen-reader"):
        print(__doc__)
        return 2
    mode, demo, samples = sys.argv[1:]
    if mode == "screen-reader":
        require(["Xvfb", "dbus-run-session"], ["pyatspi"])
        if "OSTREL_OWN_BUS" not in os.environ:
            # A session bus of its own, on which the AT-SPI bus is started on
            # demand: the screen reader's and the application's meeting place.
            os.environ["OSTREL_OWN_BUS"] = "1"
            os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv)
    else:
        require(["Xvfb", "xdotool", "setxkbmap"])
    desktop = Desktop(demo, samples)
    try:
        if mode == "screen-reader":
            test_screen_reader(desktop)
        else:
            test_keyboard(desktop, mode == "mask")
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
