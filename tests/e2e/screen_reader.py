#!/usr/bin/python3
# What a screen reader gets from the program over AT-SPI (python3-pyatspi), one object a line:
#   screen_reader.py list          every shown object: "[role] name | state"
#   screen_reader.py listen FILE   appends such a line for each announced change of state
# The state is the description, or a check box's check mark.
import sys

import pyatspi


def said(acc):
    state = acc.description
    if acc.getRole() == pyatspi.ROLE_CHECK_BOX:
        state = "checked" if acc.getState().contains(pyatspi.STATE_CHECKED) else "not checked"
    return f"[{acc.getRoleName()}] {acc.name}" + (f" | {state}" if state else "")


def shown(acc):
    if acc.getState().contains(pyatspi.STATE_SHOWING):
        print(said(acc))
        for child in acc:
            shown(child)


if sys.argv[1] == "list":  # the program is alone on its private bus
    for app in pyatspi.Registry.getDesktop(0):
        shown(app)
else:
    log = open(sys.argv[2], "a", buffering=1)
    pyatspi.Registry.registerEventListener(
        lambda event: log.write(said(event.source) + "\n"),
        "object:property-change:accessible-description")
    log.write("listening\n")
    pyatspi.Registry.start()
