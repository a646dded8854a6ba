#!/usr/bin/python3
"""A screen reader's view of the running skyTuner, through AT-SPI.

  atspi.py walk WINDOW          every focusable control has a name; tables name
                                their columns
  atspi.py press WINDOW NAME    runs the control's press action
  atspi.py set WINDOW NAME N    sets the control's value
  atspi.py click WINDOW NAME    a left click at the control's centre
Windows and controls are found by the start of their names, within 10 seconds.
Exit code 0 on success; 1 with the reason on stderr.
"""
import sys
import time

import pyatspi


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            if child.getRole() != pyatspi.ROLE_TABLE:  # cells are data, not controls
                yield from descendants(child)


def wait_for(what, find):
    for _ in range(100):
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"not found: {what}")


def window(name):
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "skyTuner":
                return next((w for w in app if w is not None and w.name.startswith(name)), None)
    return wait_for(f"window {name}", find)


def control(root, name):
    return wait_for(name, lambda: next((c for c in descendants(root) if c.name.startswith(name)), None))


def walk(root):
    unnamed = []
    for c in descendants(root):
        if c.getRole() == pyatspi.ROLE_TABLE:
            table = c.queryTable()
            unnamed += [f"column {i} of {c.name}" for i in range(table.nColumns)
                        if not (table.getColumnHeader(i) and table.getColumnHeader(i).name)]
        if c.getState().contains(pyatspi.STATE_FOCUSABLE) and not c.name.strip():
            unnamed.append(f"{c.getRoleName()} in {c.parent.getRoleName()} {c.parent.name!r}")
        print(f"{c.getRoleName()}: {c.name}")
    if unnamed:
        sys.exit("without a name: " + "; ".join(unnamed))


def press(target):
    action = target.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"{target.name}: no press action in {names}")
    action.doAction(names.index("Press"))


def click(target):
    x, y, w, h = target.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + w // 2, y + h // 2, pyatspi.MOUSE_B1C)


command, root = sys.argv[1], window(sys.argv[2])
if command == "walk":
    walk(root)
elif command == "press":
    press(control(root, sys.argv[3]))
elif command == "set":
    control(root, sys.argv[3]).queryValue().currentValue = float(sys.argv[4])
elif command == "click":
    click(control(root, sys.argv[3]))
