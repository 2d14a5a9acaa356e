#!/usr/bin/env python3
"""Fails when a file of the core includes a header from a layer above its own, or a file of the
window a header from a room above its own.

The layers and what each links are read from src/core/CMakeLists.txt (the folix_core_layer
lines), the window's rooms from src/gui/CMakeLists.txt (the folix_gui_room lines), so the build
and this check hold the same order. Every folder of src/core must be a layer and every folder of
src/gui a room, with no source of the window outside the rooms. A layer may include its own
folder and the folders below it ("book/paths.h"), a room its own and the rooms below it
("gui/editor/editor_view.h"), nothing else.

Usage: check-layers.py [SOURCE_DIR]   (the project's top folder; default: this script's parent)
"""

import pathlib
import re
import sys

SOURCE_SUFFIXES = (".h", ".cpp")


class Floors:
    """One stack of folders that build as libraries: the core's layers or the window's rooms."""

    def __init__(self, folder, function, include, kind):
        self.folder = folder  # below the top folder
        self.function = function  # the CMake function that declares one floor
        self.include = re.compile(include, re.MULTILINE)  # group 1: the floor an include names
        self.kind = kind  # what one floor is called in a message


CORE = Floors(pathlib.Path("src/core"), "folix_core_layer",
              r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', "layer")
GUI = Floors(pathlib.Path("src/gui"), "folix_gui_room",
             r'^\s*#\s*include\s+"gui/([^"/]+)/[^"]+"', "room")


def read_floors(floors, cmake_text):
    """Maps each floor to the floors it links directly, in the order they are declared."""
    line = re.compile(r"^\s*" + floors.function + r"\(([^)]*)\)", re.MULTILINE)
    declared = {}
    for match in line.finditer(cmake_text):
        words = match.group(1).split()
        if not words:
            continue
        name, lower = words[0], words[1:]
        for below in lower:
            if below not in declared:
                sys.exit(f"check-layers: {name} links {below}, which is not declared before it")
        declared[name] = lower
    return declared


def reachable(declared):
    """Each floor with every floor below it, itself included."""
    seen = {}
    for name, lower in declared.items():  # declared lowest first
        below = {name}
        for floor in lower:
            below |= seen[floor]
        seen[name] = below
    return seen


def check(top, floors):
    """The faults of one stack, one line each, and how many floors it has."""
    root = top / floors.folder
    declared = read_floors(floors, (root / "CMakeLists.txt").read_text(encoding="utf-8"))
    allowed = reachable(declared)

    faults = []
    for entry in sorted(root.iterdir()):
        if not entry.is_dir():
            if entry.suffix in SOURCE_SUFFIXES:
                faults.append(f"{entry.relative_to(top)}: a source outside every {floors.kind}")
            continue
        if entry.name not in declared:
            faults.append(f"{entry.relative_to(top)}: a folder that is no {floors.kind}")
            continue
        for source in sorted(entry.iterdir()):
            if source.suffix not in SOURCE_SUFFIXES:
                continue
            text = source.read_text(encoding="utf-8")
            for match in floors.include.finditer(text):
                target = match.group(1)
                if target in declared and target not in allowed[entry.name]:
                    line = text.count("\n", 0, match.start()) + 1
                    faults.append(f"{source.relative_to(top)}:{line}: {entry.name} includes "
                                  f"{target}, a {floors.kind} above it or beside it")
    return faults, len(declared)


def main():
    top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    core_faults, layers = check(top, CORE)
    gui_faults, rooms = check(top, GUI)
    faults = core_faults + gui_faults
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"check-layers: {layers} layers and {rooms} rooms, no include runs upward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
