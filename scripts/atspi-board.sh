#!/bin/bash
# SPDX-License-Identifier: MIT
# Shows what a screen reader sees of the board: starts the program on a virtual X display with the
# desktop's accessibility bus (AT-SPI, as Orca reads it), starts a solo game through the accessible
# buttons, and prints the board's lists with their named cells and what the window announced last.
# Usage: scripts/atspi-board.sh [path/to/quibo]   (needs Xvfb, dbus-x11, at-spi2-core, python3-pyatspi)
set -eu
program=$(readlink -f "${1:-build/default/src/app/quibo}")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$program" "$work/quibo"
display=:$((RANDOM % 300 + 400))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
sleep 1
export DISPLAY=$display HOME=$work XDG_RUNTIME_DIR=$work QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
(cd "$work" && QUIBO_GAME_PORT=$((RANDOM % 20000 + 30000)) QUIBO_INSTANCE_NAME=atspi$$ \
    ./quibo >"$work/quibo.log" 2>&1 &)
sleep 4
/usr/bin/python3 - <<'PY'
import time
import pyatspi

def find(node, test, depth=0):
    if node is None or depth > 30:
        return None
    if test(node):
        return node
    for i in range(node.childCount):
        hit = find(node.getChildAtIndex(i), test, depth + 1)
        if hit:
            return hit
    return None

def press(app, name, window=None):
    # In the given top-level window (by its title), else in any.
    for k in range(app.childCount):
        top = app.getChildAtIndex(k)
        if window and top.name != window:
            continue
        button = find(top, lambda n: n.getRoleName() == "push button" and n.name == name)
        if button:
            button.queryAction().doAction(0)
            time.sleep(1)
            return True
    return False

desktop = pyatspi.Registry.getDesktop(0)
app = next(a for a in desktop if a and a.name.lower().startswith("quibo"))
press(app, "Play Solo Game")
press(app, "Start Game", "Quibo")
press(app, "Start Game", "Quibo - Game Start")
time.sleep(3)
board = find(app, lambda n: n.name == "Board")
for i in range(board.childCount):
    row = board.getChildAtIndex(i)
    if row.getRoleName() != "list":
        continue
    print(f"{row.getRoleName()} \"{row.name}\" ({row.childCount} items)")
    for j in range(row.childCount):
        cell = row.getChildAtIndex(j)
        print(f"    {cell.getRoleName()}: {cell.name}")
announce = find(app, lambda n: n.description == "Game events")
print(f"Announced: {announce.name if announce else '<not found>'}")
for label in ("Player of the lower board", "Score of the lower board"):
    node = find(app, lambda n: n.description == label)
    print(f"{label}: {node.name if node else '<not found>'}")
PY
