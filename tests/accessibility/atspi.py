import sys, time, pyatspi


def descendants(node):
    for child in filter(None, node):
        yield child
        if child.getRole() != pyatspi.ROLE_TABLE:  # cells are data, not controls
            yield from descendants(child)


def first(what, nodes):
    for _ in range(100):
        if found := next((n for n in nodes() if n.name.startswith(what)), None):
            return found
        time.sleep(0.1)
    sys.exit(f"not found: {what}")


def unnamed(c):
    if c.getRole() == pyatspi.ROLE_TABLE:
        t = c.queryTable()
        yield from (f"column {i} of {c.name}" for i in range(t.nColumns) if not getattr(t.getColumnHeader(i), "name", ""))
    if c.getState().contains(pyatspi.STATE_FOCUSABLE) and not c.name.strip():
        yield f"{c.getRoleName()} in {c.parent.getRoleName()} {c.parent.name!r}"


root = first(sys.argv[2], lambda: (w for a in filter(None, pyatspi.Registry.getDesktop(0))
                                   if a.name == "skyTuner" for w in filter(None, a)))
if sys.argv[1] == "walk":
    sys.exit("without a name: " + "; ".join(m) if (m := [u for c in descendants(root) for u in unnamed(c)]) else 0)
target = first(sys.argv[3], lambda: descendants(root))
if sys.argv[1] == "press":
    (a := target.queryAction()).doAction([a.getName(i) for i in range(a.nActions)].index("Press"))
elif sys.argv[1] == "set":
    target.queryValue().currentValue = float(sys.argv[4])
elif sys.argv[1] == "click":
    x, y, w, h = target.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + w // 2, y + h // 2, pyatspi.MOUSE_B1C)
