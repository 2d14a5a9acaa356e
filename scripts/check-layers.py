#!/usr/bin/env python3
"""Fails when a file of the core includes a header from a layer above its own.

The layers and what each links are read from src/core/CMakeLists.txt (the folix_core_layer
lines), so the build and this check hold the same order. Every folder of src/core must be a
layer, and a layer may include its own folder and the folders below it, nothing else.

Usage: check-layers.py [SOURCE_DIR]   (the project's top folder; default: this script's parent)
"""

import pathlib
import re
import sys

LAYER_LINE = re.compile(r"^\s*folix_core_layer\(([^)]*)\)", re.MULTILINE)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.MULTILINE)


def read_layers(cmake_text):
    """Maps each layer to the layers it links directly, in the order they are declared."""
    layers = {}
    for match in LAYER_LINE.finditer(cmake_text):
        words = match.group(1).split()
        if not words or words[0] == "folder":  # the function's own definition
            continue
        name, lower = words[0], words[1:]
        for below in lower:
            if below not in layers:
                sys.exit(f"check-layers: {name} links {below}, which is not declared before it")
        layers[name] = lower
    return layers


def reachable(layers):
    """Each layer with every layer below it, itself included."""
    seen = {}
    for name, lower in layers.items():  # declared lowest first
        below = {name}
        for layer in lower:
            below |= seen[layer]
        seen[name] = below
    return seen


def main():
    top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    core = top / "src" / "core"
    layers = read_layers((core / "CMakeLists.txt").read_text(encoding="utf-8"))
    allowed = reachable(layers)

    faults = []
    for folder in sorted(p for p in core.iterdir() if p.is_dir()):
        if folder.name not in layers:
            faults.append(f"{folder.relative_to(top)}: a folder that is no layer")
            continue
        for source in sorted(folder.iterdir()):
            if source.suffix not in (".h", ".cpp"):
                continue
            text = source.read_text(encoding="utf-8")
            for match in INCLUDE.finditer(text):
                target = match.group(1)
                if target in layers and target not in allowed[folder.name]:
                    line = text.count("\n", 0, match.start()) + 1
                    faults.append(f"{source.relative_to(top)}:{line}: {folder.name} includes "
                                  f"{target}, a layer above it or beside it")
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"check-layers: {len(layers)} layers, no include runs upward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
