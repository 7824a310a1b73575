#!/usr/bin/python3
"""The program as a screen reader meets it, through the desktop's accessibility bus (AT-SPI) with a real
registry: the timeline lists its events by their lines, and the one the keyboard selects says so.

screen_reader_test.py VERDALUNE VERDALUNE_CLI: runs on the X server of $DISPLAY under a session bus of its
own (dbus-run-session); exits 77 (skipped) without an X server."""
import os
import subprocess
import sys
import tempfile
import time

SKIPPED = 77


def wait_for(what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def find(node, matches, depth=0):
    if node is None or depth > 30:
        return None
    if matches(node):
        return node
    for index in range(node.childCount):
        found = find(node.getChildAtIndex(index), matches, depth + 1)
        if found:
            return found
    return None


def main():
    if not os.environ.get("DISPLAY"):
        print("no X server (scripts/test starts Xvfb)")
        return SKIPPED
    import pyatspi

    program, cli = sys.argv[1], sys.argv[2]
    home = tempfile.mkdtemp(prefix="screen-reader-")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_CACHE_HOME=home + "/cache", XDG_STATE_HOME=home + "/state",
               VERDALUNE_CALENDAR_DIR=home + "/calendars", QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8", TZ="UTC")
    os.makedirs(home + "/config/pellowick")
    with open(home + "/config/pellowick/verdalune.conf", "w") as settings:
        settings.write("[General]\nshowFirstTimeLaunchPanelKey=false\nrunHelperApplication=false\n")
    os.makedirs(home + "/calendars/home")
    for line in ("tomorrow 9am to 10am standup", "tomorrow 1pm to 2pm lunch"):
        subprocess.run([cli, "add", "--calendar", "home", line], env=env, check=True, stdout=subprocess.DEVNULL)

    running = subprocess.Popen([program], env=env)
    try:
        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                candidate = desktop.getChildAtIndex(index)
                if candidate is not None and candidate.name == "verdalune":
                    return candidate
            return None

        app = wait_for(application)
        assert app, "the program did not reach the accessibility bus"
        timeline = wait_for(lambda: find(app, lambda node: node.getRoleName() == "list" and
                                         node.name == "Timeline"))
        assert timeline, "no list named Timeline"
        assert wait_for(lambda: timeline.childCount == 2), f"{timeline.childCount} items"
        items = [timeline.getChildAtIndex(index) for index in range(timeline.childCount)]
        names = [item.name for item in items]
        print("items:", names)
        assert all(item.getRoleName() == "list item" for item in items)
        assert names[0].endswith("standup") and names[1].endswith("lunch"), names
        assert not any(item.getState().contains(pyatspi.STATE_SELECTED) for item in items)

        # The timeline has the keys from the start: Right selects the event nearest the middle.
        window = wait_for(lambda: subprocess.run(
            ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(running.pid), "--name", "^Verdalune$"],
            capture_output=True, text=True).stdout.split())
        assert window, "no window"
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "Right"], check=True)

        def selected():
            for item in items:
                state = item.getState()
                if state.contains(pyatspi.STATE_SELECTED) and state.contains(pyatspi.STATE_FOCUSED):
                    return item
            return None

        chosen = wait_for(selected, 10)
        assert chosen, "no item selected and focused after Right"
        print("selected:", chosen.name)
        action = chosen.queryAction()
        assert "Press" in [action.getName(index) for index in range(action.nActions)]
    finally:
        running.terminate()
        running.wait(10)
    return 0


if __name__ == "__main__":
    sys.exit(main())
