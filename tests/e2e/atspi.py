#!/usr/bin/python3
# What a screen reader gets of a running program over AT-SPI, once program APP
# is on the bus (waiting up to TIMEOUT seconds):
#   atspi.py APP TIMEOUT tree         depth, role, name, actions, text, description
#                                     of every element, tab-separated
#   atspi.py APP TIMEOUT press NAME.. presses the first push button of each name
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)
app_name, timeout, mode, names = sys.argv[1], float(sys.argv[2]), sys.argv[3], sys.argv[4:]


def find_app():
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return next((a for a in apps if a is not None and a.get_name() == app_name), None)


def action_names(node):
    act = node.get_action_iface()
    return [act.get_action_name(i) for i in range(act.get_n_actions())] if act else []


def elements(node, depth=0):
    if node is None or depth > 25:
        return
    yield depth, node
    for i in range(node.get_child_count()):
        yield from elements(node.get_child_at_index(i), depth + 1)


end = time.monotonic() + timeout
while (app := find_app()) is None and time.monotonic() < end:
    time.sleep(0.1)
if app is None:
    sys.exit(f"{app_name} did not appear on the accessibility bus")

if mode == "tree":
    for depth, node in elements(app):
        text = node.get_text_iface()
        fields = [str(depth), node.get_role_name(), node.get_name() or "", ",".join(action_names(node)),
                  text.get_text(0, text.get_character_count()) if text else "", node.get_description() or ""]
        print("\t".join(f.replace("\t", " ").replace("\n", " ") for f in fields))
elif mode == "press":
    buttons = [n for _, n in elements(app) if n.get_role() == Atspi.Role.PUSH_BUTTON]
    for name in names:
        button = next((b for b in buttons if b.get_name() == name), None)
        if button is None:
            sys.exit(f"no push button named {name!r}")
        button.get_action_iface().do_action(action_names(button).index("Press"))
else:
    sys.exit(f"unknown mode {mode}")
