#!/usr/bin/python3
"""Reads the running program's dialog over AT-SPI, as a screen reader does,
and checks what it finds.

    atspi_tree.py LANGUAGE     (en or zh_TW)

Waits (at most a deadline) for the dialog, prints the tree of its controls,
checks every control's name, the labels of the lists and combos, the disabled
Apply button and that the hidden restart button is not there; then presses
Down in the port list and reads the selected line, presses Add (a line
chosen, no choices) and reads the message box, answers No, and presses Quit."""
import sys
import time

import pyatspi

DEADLINE_SECONDS = 60  # the program starts slowly under the sanitizers

TEXTS = {
    "en": {
        "group": "TAVRIN settings", "ports": "Available COM list", "type": "Driver type",
        "baud": "Init scan baud rate", "pnp": "PnP polling", "add": ">> Add to list >>",
        "remove": "<< Remove from list <<", "watch": "TAVRIN watch list", "apply": "Apply settings",
        "quit": "Quit", "restart": "Restart TAVRIN driver", "no": "No",
        "box": "Please select COM port, driver type and initial scan baud rate!",
    },
    "zh_TW": {
        "group": "TAVRIN 設定", "ports": "系統串列埠", "type": "安裝驅動程式類型", "baud": "初始掃描鮑率",
        "pnp": "PnP 監控", "add": ">> 加入監控清單 >>", "remove": "<< 從監控清單移除 <<",
        "watch": "TAVRIN 監控清單", "apply": "套用設定", "quit": "離開", "restart": "重新啟動 TAVRIN",
        "no": "否(N)", "box": "請設定好串列埠，驅動程式類型，以及起始包率",
    },
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what)


def wait_for(what, find):
    deadline = time.monotonic() + DEADLINE_SECONDS
    while True:
        try:
            found = find()
        except Exception:  # an object went away while it was read: read again
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            print("FAILED: never found " + what)
            sys.exit(1)
        time.sleep(0.1)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None:
            yield from (window for window in app if window is not None)


def window_named(name):
    return next((w for w in windows() if w.name == name), None)


def states(node):
    return node.getState().getStates()


def related(node, relation_type):
    for relation in node.getRelationSet():
        if relation.getRelationType() == relation_type:
            return [(relation.getTarget(i).getRoleName(), relation.getTarget(i).name)
                    for i in range(relation.getNTargets())]
    return []


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def main():
    t = TEXTS[sys.argv[1]]
    dialog = wait_for("the dialog", lambda: window_named("TAVRIN"))
    controls = list(dialog)
    print("dialog %r (%s)" % (dialog.name, dialog.getRoleName()))
    for control in controls:
        print("  %-12s %-26r label for %r%s" % (control.getRoleName(), control.name,
                                              related(control, pyatspi.RELATION_LABEL_FOR),
                                              "" if pyatspi.STATE_SENSITIVE in states(control) else ", disabled"))

    expected = [("panel", t["group"]), ("label", t["ports"]), ("list", t["ports"]), ("label", t["type"]),
                ("combo box", t["type"]), ("push button", t["add"]), ("push button", t["remove"]),
                ("label", t["watch"]), ("list", t["watch"]), ("push button", t["apply"]),
                ("push button", t["quit"]), ("label", t["baud"]), ("combo box", t["baud"]),
                ("label", t["pnp"]), ("combo box", t["pnp"])]
    check([(c.getRoleName(), c.name) for c in controls] == expected, "the controls and their names")
    # Each list and combo is named by the label before it, which is its label.
    named = [(label, c) for label, c in zip(controls, controls[1:]) if c.getRoleName() in ("list", "combo box")]
    check(len(named) == 5 and all(
        c.name == label.name and related(label, pyatspi.RELATION_LABEL_FOR) == [(c.getRoleName(), c.name)]
        for label, c in named), "5 of 5 lists and combos named by their labels, and the labels are theirs")
    check(all(related(c, pyatspi.RELATION_LABELLED_BY) == [("label", c.name)]
              for _, c in named if c.getRoleName() == "combo box"), "the combos are labelled by their labels")
    check(not any(d.name == t["restart"] for d in descendants(dialog)), "the hidden restart button is not there")
    apply_button = next((c for c in controls if c.name == t["apply"]), None)
    check(apply_button is not None and pyatspi.STATE_SENSITIVE not in states(apply_button),
          "the Apply button is disabled")

    # The port list has the focus: Down selects its first line.
    ports = next(c for c in controls if c.getRoleName() == "list" and c.name == t["ports"])
    wait_for("the port list to have the focus", lambda: pyatspi.STATE_FOCUSED in states(ports))
    pyatspi.Registry.generateKeyboardEvent(0xff54, None, pyatspi.KEY_SYM)  # Down
    selected = wait_for("a selected line", lambda: [line.name for line in ports
                                                    if pyatspi.STATE_SELECTED in states(line)])
    print("selected line %r" % selected)
    check(selected == ["COM2"], "the selected line is COM2")

    # Add without the three choices asks for them in a message box.
    press(next(c for c in controls if c.name == t["add"]))
    box = wait_for("the message box", lambda: next(
        (w for w in windows() if any(d.name == t["box"] for d in descendants(w))), None))
    print("message box %s: %r" % (box.getRoleName(), [d.name for d in descendants(box) if d.name]))
    press(next(d for d in descendants(box) if d.getRoleName() == "push button" and d.name == t["no"]))
    wait_for("the message box to close", lambda: not any(
        any(d.name == t["box"] for d in descendants(w)) for w in windows()))

    press(next(c for c in controls if c.name == t["quit"]))
    print("%d failure(s)" % len(failures))
    sys.exit(1 if failures else 0)


main()
