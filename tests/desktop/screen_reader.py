#!/usr/bin/python3
"""The analog input window read and operated over the accessibility bus, as a screen reader does.

Waits for the program on the bus and for its shown control window, ticks "Analog Inputs" through the
box's action, reads the analog input window's tree (every operable control named, the strips' names
for two cards) and sets card 2's left fader through its value. Prints what it did; exit 1 on a fault.
Usage: screen_reader.py <value to set>
"""
import sys
import time

import pyatspi

OPERABLE = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
            pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_SLIDER}


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def wait_for(seconds, what, probe):
    """Polls probe until it gives something; a bus call that fails counts as not yet."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the program may be busy or still registering
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail(what + " (waited %ds)" % seconds)


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "kova2mix":
            return app
    return None


def shown_window(app, name):
    for window in app:
        if window is not None and window.name == name and window.getState().contains(pyatspi.STATE_SHOWING):
            return window
    return None


def tree(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from tree(child)


def find(root, role, name):
    for node in tree(root):
        if node.getRole() == role and node.name == name:
            return node
    return None


def main():
    value = float(sys.argv[1])
    app = wait_for(120, "the program did not register on the accessibility bus", program)
    control = wait_for(120, "the control window did not show", lambda: shown_window(app, "Kova 2"))
    box = find(control, pyatspi.ROLE_CHECK_BOX, "Analog Inputs")
    if box is None:
        fail("the control window has no check box 'Analog Inputs'")
    action = box.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Toggle" not in names:
        fail("'Analog Inputs' offers no toggle action: %s" % names)
    action.doAction(names.index("Toggle"))
    window = wait_for(120, "ticking 'Analog Inputs' did not open its window", lambda: shown_window(app, "Analog Input"))

    nodes = list(tree(window))
    nameless = [node.getRoleName() for node in nodes if node.getRole() in OPERABLE and not node.name]
    if nameless:
        fail("operable controls without a name: %s" % nameless)
    sliders = sorted(node.name for node in nodes if node.getRole() == pyatspi.ROLE_SLIDER)
    expected = sorted("Karte #%d Eingang %s" % (card, side) for card in (1, 2) for side in ("links", "rechts"))
    if sliders != expected:
        fail("faders %s, expected %s" % (sliders, expected))
    meters = [node.name for node in nodes if node.getRole() == pyatspi.ROLE_PROGRESS_BAR]
    if "Karte #2 Pegel rechts" not in meters:
        fail("no meter 'Karte #2 Pegel rechts' among %s" % meters)
    mutes = [node.name for node in nodes if node.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON)]
    if "Karte #1 Stumm links" not in mutes:
        fail("no mute button 'Karte #1 Stumm links' among %s" % mutes)
    print("read %d accessible objects of the analog input window" % len(nodes))

    fader = find(window, pyatspi.ROLE_SLIDER, "Karte #2 Eingang links").queryValue()
    if (fader.minimumValue, fader.maximumValue) != (31.0, 164.0):
        fail("the fader's range is %s..%s, not 31..164" % (fader.minimumValue, fader.maximumValue))
    fader.currentValue = value
    partner = find(window, pyatspi.ROLE_SLIDER, "Karte #2 Eingang rechts").queryValue()
    wait_for(30, "the fader and its linked partner did not take %g" % value,
             lambda: fader.currentValue == value and partner.currentValue == value)
    print("set 'Karte #2 Eingang links' to %g; its linked partner followed" % value)


if __name__ == "__main__":
    main()
