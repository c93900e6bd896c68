#!/usr/bin/python3
"""Runs Quillbay in a Wayland session and checks it the way a user would see it.

Started by scripts/test-wayland.sh inside a private D-Bus session, with WAYLAND_DISPLAY naming a headless
Weston started with --debug (so that weston-screenshooter may take pictures). Quillbay is driven over the
accessibility bus, since a headless compositor has no pointer or keyboard to drive it with; the
screenshots show that the compositor really shows what the accessibility bus reports.

Both programs must also name the application ID to the compositor (xdg_toplevel.set_app_id), which is
what matches their windows to the menu entry; the client side of the protocol, logged by libwayland,
shows it.

usage: wayland_session.py QUILLBAY_PROGRAM APP_ID SHOTS_DIR
"""
import glob
import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

MAIN_TITLE = "Quillbay Version 1.00"
PANEL_HEIGHT = 40  # Weston's panel


def fail(message):
    print(f"wayland: FAILED: {message}", flush=True)
    sys.exit(1)


def wait_for(what, probe, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.25)
    fail(f"no {what} within {seconds} s")


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda n: n is not None and n.getRoleName() == role and n.name == name)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def press(button):
    if not button.getState().contains(pyatspi.STATE_ENABLED):
        fail(f'"{button.name}" is disabled')
    button.queryAction().doAction(0)


def screenshot(folder, name):
    """The whole output, as Weston shows it, less its panel (whose clock would count as a change)."""
    with tempfile.TemporaryDirectory(dir=folder) as scratch:
        subprocess.run(["weston-screenshooter"], cwd=scratch, check=True, timeout=30)
        taken = glob.glob(os.path.join(scratch, "*.png"))
        if len(taken) != 1:
            fail("weston-screenshooter wrote no picture")
        path = os.path.join(folder, name + ".png")
        subprocess.run(["convert", taken[0], "-gravity", "North", "-chop", f"0x{PANEL_HEIGHT}", "+repage", path],
                       check=True)
    return path


def changed(a, b):
    """How many pixels differ noticeably between two screenshots."""
    # compare prints the count on stderr, and exits 1 when the pictures differ
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "5%", a, b, "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def main():
    program, app_id, shots = sys.argv[1:4]
    # Bring the accessibility bus up before Quillbay starts, so that it registers at once.
    pyatspi.Registry.getDesktop(0)
    empty = screenshot(shots, "0-desktop")

    env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", WAYLAND_DEBUG="client")
    env.pop("DISPLAY", None)  # nothing may fall back to X11 here
    protocol_log = os.path.join(shots, "wayland-protocol.log")
    with open(protocol_log, "w") as log:  # the browser, started by Quillbay, writes here too
        tool = subprocess.Popen([program], env=env, stderr=log)
    browser_pid = None
    try:
        app = wait_for("Quillbay on the accessibility bus", lambda: application("Quillbay"), 30)
        window = wait_for("main window", lambda: next((w for w in app if w and w.name == MAIN_TITLE), None), 30)
        time.sleep(1)  # its first frame
        shown = screenshot(shots, "1-main-window")
        if changed(empty, shown) < 100_000:
            fail("the main window did not show on the screen")
        print("wayland: main window shown", flush=True)

        boxes = [find(window, "text", name) for name in (
            "Please input the below code between <head> and </head> tags", 'Call Function "On Click"',
            "Call Function on link", 'Call Function "OnLoad"')]
        press(find(window, "push button", "Generate This Code"))
        wait_for("four snippets calling myPopUp", lambda: all("myPopUp" in text_of(box) for box in boxes), 10)
        time.sleep(1)
        generated = screenshot(shots, "2-generated")
        if changed(shown, generated) < 20_000:
            fail("the generated snippets did not show on the screen")
        print("wayland: Generate filled the four boxes", flush=True)

        main_log_size = os.path.getsize(protocol_log)
        press(find(window, "push button", "Preview"))
        browser = wait_for("preview browser on the accessibility bus",
                           lambda: application("quillbay-browser"), 60)
        browser_pid = browser.get_process_id()
        wait_for("preview window", lambda: browser.childCount > 0, 30)
        time.sleep(2)  # the page's first frame
        previewed = screenshot(shots, "3-preview")
        if changed(generated, previewed) < 20_000:
            fail("the preview window did not show on the screen")
        print("wayland: Preview opened the browser window", flush=True)

        with open(protocol_log, "rb") as log:
            main_part, browser_part = log.read(main_log_size), log.read()
        named = f'set_app_id("{app_id}")'.encode()
        for program, part in (("quillbay", main_part), ("quillbay-browser", browser_part)):
            if named not in part:
                fail(f"{program}'s window did not name the application ID {app_id}")
        print(f"wayland: both windows carry the application ID {app_id}", flush=True)
    finally:
        for pid in (browser_pid, tool.pid):
            if pid:
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        tool.wait(timeout=10)


if __name__ == "__main__":
    main()
