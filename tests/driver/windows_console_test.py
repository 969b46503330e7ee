#!/usr/bin/env python3
"""veltra-report.exe in a console under Wine, as a user at cmd meets it.

Wine gives a program started on a terminal a console of its own, so these
run in a pseudo-terminal: the console's code page is left as it was found,
and Ctrl+C stops a run before its save, keeping the previous CSV.

Usage: windows_console_test.py DRIVER.exe SCRATCH_FOLDER
"""

import os
import pty
import re
import select
import shutil
import sys
import time

TERMINAL_SEQUENCE = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]")


def windows_path(path):
    """The path through Wine's drive Z:, which is the Linux root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_in_terminal(arguments, interrupt_when=None, timeout=120):
    """Runs `wine ARGUMENTS` in a pseudo-terminal; returns what it showed,
    without the console's cursor and colour sequences, and its exit status.
    Ctrl+C is typed once the shown text holds `interrupt_when`."""
    pid, terminal = pty.fork()
    if pid == 0:
        os.execvp("wine", ["wine"] + arguments)
    shown = b""
    interrupted = False
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ready, _, _ = select.select([terminal], [], [], 0.1)
        plain = TERMINAL_SEQUENCE.sub(b"", shown)
        if interrupt_when and not interrupted and interrupt_when in plain:
            os.write(terminal, b"\x03")
            interrupted = True
        if ready:
            try:
                chunk = os.read(terminal, 4096)
            except OSError:
                break
            if not chunk:
                break
            shown += chunk
    else:
        os.kill(pid, 9)
        raise AssertionError(f"wine {arguments} did not end in {timeout} s")
    _, status = os.waitpid(pid, 0)
    os.close(terminal)
    return TERMINAL_SEQUENCE.sub(b"", shown).decode("utf-8", "replace"), status


def expect(condition, message):
    if not condition:
        print("FAILED:", message, file=sys.stderr)
        sys.exit(1)


def main():
    driver, scratch = sys.argv[1], sys.argv[2]
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    exe = windows_path(driver)

    # cmd's console set to 437, as an English Windows has it: after a run
    # and after a usage error it is 437 again for whatever runs next.
    for arguments in ("--version", "--bogus"):
        shown, _ = run_in_terminal(
            ["cmd", "/c", f"chcp 437 & {exe} {arguments} & chcp"])
        pages = re.findall(r"Active code page: (\d+)", shown)
        expect(pages == ["437", "437"], f"{arguments}: code pages {pages} in {shown!r}")

    # Ctrl+C during a long run: the run stops, the previous CSV stays and
    # no temporary file is left beside it.
    log = os.path.join(scratch, "long.hst")
    with open(log, "w", newline="") as out:
        for i in range(300000):
            out.write(f"10:00:00;M:/a{i}.mp3;x;x;00:03:25;Tytul;x;Wykonawca;"
                      "x;x;x;x;x;x;x;x;x;;MU;x;x;\r\n")
    csv = os.path.join(scratch, "braki.csv")
    with open(csv, "wb") as out:
        out.write(b"old\r\n")
    shown, status = run_in_terminal(
        [driver, "--csv", windows_path(csv), windows_path(log)], interrupt_when=b"wiersz")
    expect("Gotowe!" not in shown, f"the run was not stopped: {shown[-300:]!r}")
    expect(status != 0, "a stopped run ended with status 0")
    with open(csv, "rb") as saved:
        expect(saved.read() == b"old\r\n", "Ctrl+C did not keep the previous CSV")
    expect(sorted(os.listdir(scratch)) == ["braki.csv", "long.hst"],
           f"left behind: {os.listdir(scratch)}")
    shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
