#!/usr/bin/env python3
"""Keeps the house as built: reads the quoted #include lines of src/ and fails when

  (a) two units include each other's header (a unit is a .cpp with its .h: a.cpp or a.h
      includes b.h while b.cpp or b.h includes a.h),
  (b) an include points against the arrows below, between layers or between the rooms of one
      layer,
  (c) a unit (a .cpp with its .h) is over MAX_UNIT_LINES lines.

Usage: check-includes.py [SRC_DIR]   (default: the src/ beside this script's folder)
"""

import os
import re
import sys

MAX_UNIT_LINES = 600

# Who may include whom, one "FROM -> TO TO ..." line each. A name without a slash is a layer
# (a folder of src/); a line between two layers lets every file of the first include every file
# of the second. A name with a slash is a room (a folder inside a layer), or a single header a
# room may take from another room. Inside a layer, a file belongs to the longest room that holds
# it, or to the layer's top (named as the layer); it may include its own room, and the rooms and
# headers its room's line names. A new room is declared by naming it here.
RULES = """
common ->
rtf -> common
graph -> common
shell -> common rtf graph
app -> common rtf graph shell

# The engine: its top draws, and takes from the rooms what it needs; the rooms take from the
# top only the two small shared headers.
graph -> graph/data graph/render graph/output graph/process
graph/data -> graph/geometry.h graph/text_font.h
graph/render -> graph/geometry.h graph/text_font.h
graph/output -> graph/geometry.h graph/text_font.h graph/render
# Processing works on the numbers alone: plain vectors and the converted columns.
graph/process -> graph/data/numeric_columns.h

# The shell: the main window assembles the graph window, the pages, the browsers and the help;
# the graph window's gestures change the style through the pages; every room uses the kit,
# which uses no other room.
shell/window -> shell/graph_window shell/pages shell/browser shell/help shell/kit
shell/graph_window -> shell/pages shell/kit
shell/pages -> shell/kit
shell/browser -> shell/kit
shell/help -> shell/kit
shell/kit ->
"""

# Known breaches, being removed as the shell is reorganised: delete a line when its breach is
# gone (the check fails on a line that no longer matches anything, so that none lingers).
# "mutual A B": units A and B include each other's header; "size U": unit U is over the limit;
# "arrow A -> B": a file of room A includes one of room B.
KNOWN_EXCEPTIONS = """
"""

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def parse_rules(text):
    """{from: set of targets}, and the set of rooms (layers included)."""
    rules, rooms = {}, set()
    for line in text.splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        source, _, targets = line.partition("->")
        source = source.strip()
        names = targets.split()
        rules.setdefault(source, set()).update(names)
        for name in [source] + names:
            if not name.endswith(".h"):
                rooms.add(name)
    return rules, rooms


def parse_exceptions(text):
    return [line.split("#", 1)[0].strip() for line in text.splitlines()
            if line.split("#", 1)[0].strip()]


def room_of(path, rooms):
    """The longest room whose folder holds `path` (a path relative to src/)."""
    folder = os.path.dirname(path)
    while folder:
        if folder in rooms:
            return folder
        folder = os.path.dirname(folder)
    return path.split("/", 1)[0]


def allowed(source, target, rules, rooms):
    """Whether file `source` may include file `target`; the offending arrow otherwise."""
    source_layer, target_layer = source.split("/", 1)[0], target.split("/", 1)[0]
    if source_layer != target_layer:
        return target_layer in rules.get(source_layer, ()), f"{source_layer} -> {target_layer}"
    source_room, target_room = room_of(source, rooms), room_of(target, rooms)
    if source_room == target_room:
        return True, None
    granted = rules.get(source_room, set())
    ok = target_room in granted or target in granted
    return ok, f"{source_room} -> {target_room}"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src"))
    rules, rooms = parse_rules(RULES)
    known = parse_exceptions(KNOWN_EXCEPTIONS)
    used = set()
    problems = []

    def report(key, message):
        if key in known:
            used.add(key)
        else:
            problems.append(message)

    # unit (path without extension, relative to src/) -> {files, includes, lines}
    units = {}
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            stem, ext = os.path.splitext(name)
            if ext not in (".cpp", ".h"):
                continue
            full = os.path.join(folder, name)
            path = os.path.relpath(full, src).replace(os.sep, "/")
            with open(full, encoding="utf-8", errors="replace") as f:
                text = f.read()
            unit = units.setdefault(path[: -len(ext)], {"files": [], "includes": {}, "lines": 0})
            unit["files"].append(path)
            unit["lines"] += text.count("\n")
            for match in INCLUDE.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                unit["includes"].setdefault(match.group(1), f"{path}:{line}")

    arrows = set()
    for name, unit in sorted(units.items()):
        for target, where in sorted(unit["includes"].items()):
            if not os.path.exists(os.path.join(src, target)):
                continue  # a generated or outside header
            source = unit["files"][0]
            ok, arrow = allowed(source, target, rules, rooms)
            if not ok and (arrow, target) not in arrows:
                arrows.add((arrow, target))
                report(f"arrow {arrow}", f"{where}: includes {target}: {arrow} is not an arrow "
                       "of the house (scripts/check-includes.py RULES)")

    for name, unit in sorted(units.items()):
        for target, where in sorted(unit["includes"].items()):
            other = target[: -len(".h")] if target.endswith(".h") else None
            if other is None or other == name or other not in units or other < name:
                continue
            back = units[other]["includes"].get(name + ".h")
            if back:
                report(f"mutual {name} {other}", f"{where}: includes {target}, and {back}: "
                       f"includes {name}.h: units {name} and {other} include each other")

    for name, unit in sorted(units.items()):
        if unit["lines"] > MAX_UNIT_LINES:
            report(f"size {name}", f"{name}: {unit['lines']} lines in "
                   f"{' + '.join(unit['files'])}, over {MAX_UNIT_LINES}: split it along its seams")

    for key in known:
        if key not in used:
            problems.append(f"known exception no longer found, delete it from "
                            f"KNOWN_EXCEPTIONS: {key}")

    for problem in problems:
        print(problem)
    print(f"check-includes: {len(units)} units, {len(used)} known exceptions, "
          f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
