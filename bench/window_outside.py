#!/usr/bin/python3
"""Times the real program from outside, as a user meets it.

Starts `veltra`, presses "Wybierz pliki do raportu", selects every log of
the corpus in the log dialog, and times from the Enter that confirms them to
the moment the "Gotowe!" notice is mapped on the X server; then times the
driver over the same logs, interleaved, run after run. Keys and clicks go
through the XTEST extension, as from a keyboard. Run it on a bare X server
(bench/run-window uses Xvfb): every top-level window then maps on the root
window, where its MapNotify arrives with no window manager in between.

Usage: window_outside.py VELTRA DRIVER CORPUS_FOLDER RUNS
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

MAIN_TITLE = "Veltra Raport"
DIALOG_TITLE = "Wybierz pliki..."
NOTICE_TITLE = "Informacja"
TIMEOUT = 120.0


class Screen:
    def __init__(self):
        self.display = display.Display()
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()

    def wait_for_window(self, title):
        """The next top-level window mapped whose name starts with `title`,
        and when its MapNotify arrived."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if not self.display.pending_events():
                time.sleep(0.0002)
                continue
            event = self.display.next_event()
            if event.type != X.MapNotify:
                continue
            arrived = time.monotonic()
            try:
                name = event.window.get_wm_name() or ""
            except Exception:  # the window may be gone already
                continue
            if isinstance(name, bytes):
                name = name.decode("utf-8", "replace")
            if name.startswith(title):
                return event.window, arrived
        raise TimeoutError("no window " + title)

    def focus(self, window):
        # Qt takes the keyboard only once its window is viewable and set up.
        for _ in range(200):
            try:
                window.set_input_focus(X.RevertToParent, X.CurrentTime)
                self.display.sync()
                return
            except Exception:
                time.sleep(0.01)

    def key(self, keysym, shift=False):
        code = self.display.keysym_to_keycode(keysym)
        shift_code = self.display.keysym_to_keycode(XK.XK_Shift_L)
        if shift:
            xtest.fake_input(self.display, X.KeyPress, shift_code)
        xtest.fake_input(self.display, X.KeyPress, code)
        xtest.fake_input(self.display, X.KeyRelease, code)
        if shift:
            xtest.fake_input(self.display, X.KeyRelease, shift_code)

    def key_with(self, modifier, keysym):
        modifier_code = self.display.keysym_to_keycode(modifier)
        xtest.fake_input(self.display, X.KeyPress, modifier_code)
        self.key(keysym)
        xtest.fake_input(self.display, X.KeyRelease, modifier_code)


def run_window(screen, veltra, folder, names, config):
    environment = dict(os.environ, XDG_CONFIG_HOME=config)
    program = subprocess.Popen([veltra], cwd=folder, env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main, _ = screen.wait_for_window(MAIN_TITLE)
        time.sleep(0.3)
        screen.focus(main)
        # The window opens with the focus on "Wybierz pliki do raportu".
        screen.key(XK.XK_space)
        screen.display.sync()
        dialog, _ = screen.wait_for_window(DIALOG_TITLE)
        time.sleep(0.5)
        screen.focus(dialog)
        # As a user picks a quarter: from the name field back to the list,
        # every log selected at once, then a moment to look at the choice.
        screen.key(XK.XK_Tab, shift=True)
        screen.key_with(XK.XK_Control_L, XK.XK_a)
        screen.display.sync()
        time.sleep(float(os.environ.get("SETTLE", "1")))
        pressed = time.monotonic()
        screen.key(XK.XK_Return)
        screen.display.flush()
        _, mapped = screen.wait_for_window(NOTICE_TITLE)
        # The run wrote its list beside the program before the notice; the
        # same list as the driver's means the same logs were reported.
        with open(os.path.join(os.path.dirname(veltra), "braki naradowosci.csv"), "rb") as own, \
                open(os.path.join(folder, "braki.csv"), "rb") as drivers:
            if own.read() != drivers.read():
                raise RuntimeError("the window reported other logs than the driver")
        return mapped - pressed
    finally:
        program.terminate()
        program.wait()


def run_driver(driver, folder, logs):
    started = time.monotonic()
    subprocess.run([driver, "--json", "--csv", "braki.csv"] + logs, cwd=folder, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - started


def main():
    veltra, driver, folder = (os.path.abspath(argument) for argument in sys.argv[1:4])
    runs = int(sys.argv[4])
    names = sorted(name for name in os.listdir(os.path.join(folder, "logs"))
                   if name.endswith(".hst"))
    logs = [os.path.join("logs", name) for name in names]
    screen = Screen()
    with tempfile.TemporaryDirectory() as config:
        os.makedirs(os.path.join(config, "Veltra"))
        with open(os.path.join(config, "Veltra", "Veltra.ini"), "w") as settings:
            settings.write("[OpenDialog1]\nLastFolder=%s\n" % os.path.join(folder, "logs"))
        run_driver(driver, folder, logs)  # fills the page cache
        drivers, windows = [], []
        for _ in range(runs):
            drivers.append(run_driver(driver, folder, logs))
            windows.append(run_window(screen, veltra, folder, names, config))
    driver_median = statistics.median(drivers)
    window_median = statistics.median(windows)
    print("outside: the program under X, driven by XTEST; runs: %d of each, interleaved" % runs)
    print("driver, whole corpus (median):         %7.3f s" % driver_median)
    print("window, Enter to notice mapped (median): %5.3f s" % window_median)
    print("window / driver:                       %7.1f x   goal <= 1.5" %
          (window_median / driver_median))
    print("window runs: " + " ".join("%.3f" % seconds for seconds in windows))
    print("load average: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
