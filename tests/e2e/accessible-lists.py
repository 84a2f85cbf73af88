#!/usr/bin/python3
"""Prints what a screen reader finds over AT-SPI in a program's window.

    accessible-lists.py APPNAME WINDOWNAME [TIMEOUT_SECONDS]

Waits until the application is registered on the accessibility bus with a window of that name,
then prints one line for the window and one for each combo box inside it, tab-separated:

    window  <name>
    combo   <name>  <names of the labels it is labelled by, joined by "|">  <its text>

Exits 1 when no such window appears in time.
"""
import sys
import time

import pyatspi


def find_window(app_name, window_name, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            if app is None or app.name != app_name:
                continue
            for window in (app.getChildAtIndex(i) for i in range(app.childCount)):
                if window is not None and window.name == window_name and window.childCount > 0:
                    return window
        time.sleep(0.1)
    return None


def combo_boxes(node):
    for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_COMBO_BOX:
            yield child
        else:
            yield from combo_boxes(child)


def labels(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def text(node):
    try:
        shown = node.queryText()
    except NotImplementedError:
        return "(no text interface)"
    return shown.getText(0, shown.characterCount)


def main():
    app_name, window_name = sys.argv[1], sys.argv[2]
    timeout = float(sys.argv[3]) if len(sys.argv) > 3 else 20
    window = find_window(app_name, window_name, timeout)
    if window is None:
        print("no window %r of %r on the accessibility bus" % (window_name, app_name))
        return 1
    print("window\t%s" % window.name)
    for combo in combo_boxes(window):
        print("combo\t%s\t%s\t%s" % (combo.name, "|".join(labels(combo)), text(combo)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
