#!/usr/bin/env python3
"""Checks the layers of the source before anything compiles.

Every folder under src/ stands in one layer. A file may include from its own folder, from a
folder of its own layer and from any lower layer; an include that climbs to a higher layer is
refused, and so is a circle of folders (peers of one layer may include one another one way
only). The README's "Layout of the source" table names every folder with its layer. The
engine's folders (the layers below the widget set) name no control of the window: a control's
name may stand only in a string, where it is a key of the stored settings file.

  check-layers.py [--root DIR] [--stamp FILE] [--list]

Exits 1 and names each fault on stderr; with --stamp, touches FILE when all is well (the
build's record that the check ran); with --list, prints the layers and the arrows between
folders.
"""
import argparse
import pathlib
import re
import sys

# Lowest first; what each folder holds is in the README's table.
LAYERS = [
    ["core"],                                 # the seams and plain helpers
    ["tonegen", "settings"],                  # the WAVE tone images; the stored settings
    ["audio", "keying"],                      # both sound through tonegen's device and tones
    ["transmission"],                         # keys a text sign by sign
    ["exercises", "radiograms", "training"],  # fill, save or check what a transmission keys
    ["render"],                               # a whole transmission offline, into a file
    ["widgets"],                              # the widget set
    ["form", "trainingui", "sendingui"],      # the window's layout and views, built of widgets
    ["cli", "mainwindow", "platform"],        # the front ends and the system's services
    ["app"],                                  # builds the services and a front end
]

# The layers from the widget set up may name the window's controls; the engine below may not.
WIDGET_LAYER = 7
# The window's controls as the original names them (glCheckBox8, glLabel13, Memo1, TForm1, ...).
CONTROL = re.compile(r"\b(?:gl[A-Z][A-Za-z]*\d+\w*|Memo\d+|TForm1)\b")
STRING = re.compile(r'"(?:[^"\\]|\\.)*"')

# Quoted or in angle brackets: the include roots answer both.
INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^"<>/]+)/([^"<>]+)[">]')
README_ROW = re.compile(r"^\|\s*`src/([^`/]+)/?`\s*\|\s*([^|]*?)\s*\|")


def layer_of():
    return {folder: number for number, layer in enumerate(LAYERS, 1) for folder in layer}


def source_folders(src):
    return sorted(p.name for p in src.iterdir() if p.is_dir())


def arrows(src, folders):
    """(from, to) -> the first include line that draws it, as 'file:line'."""
    found = {}
    for folder in folders:
        for path in sorted((src / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if match and match[1] in folders and match[1] != folder:
                    found.setdefault((folder, match[1]),
                                     f"src/{path.relative_to(src)}:{number} includes "
                                     f"{match[1]}/{match[2]}")
    return found


def circles(edges):
    """The strongly connected groups of more than one folder (Tarjan)."""
    graph = {}
    for source, target in edges:
        graph.setdefault(source, []).append(target)
        graph.setdefault(target, [])
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in graph[node]:
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return groups


def shortest_circle(group, edges):
    """The shortest way from the group's first folder back to itself, folder by folder."""
    start = group[0]
    paths = {start: [start]}
    frontier = [start]
    while frontier:
        following = []
        for node in frontier:
            for source, target in sorted(edges):
                if source != node or target not in group:
                    continue
                if target == start:
                    return paths[node] + [start]
                if target not in paths:
                    paths[target] = paths[node] + [target]
                    following.append(target)
        frontier = following
    return group


def named_controls(src, folders, layers):
    """'file:line: name' for each control the engine names outside a string."""
    found = []
    for folder in folders:
        if layers.get(folder, WIDGET_LAYER) >= WIDGET_LAYER:
            continue
        for path in sorted((src / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = CONTROL.search(STRING.sub('""', line))
                if match:
                    found.append(f"src/{folder}/{path.relative_to(src / folder)}:{number}: "
                                 f"{match[0]}")
    return found


def readme_layers(readme):
    rows = {}
    for line in readme.read_text(encoding="utf-8").splitlines():
        match = README_ROW.match(line)
        if match:
            rows[match[1]] = match[2]
    return rows


def faults(root):
    src = root / "src"
    layers = layer_of()
    folders = source_folders(src)
    found = []
    for folder in folders:
        if folder not in layers:
            found.append(f"src/{folder} has no layer: add it to LAYERS in scripts/check-layers.py")
    for folder in sorted(set(layers) - set(folders)):
        found.append(f"LAYERS in scripts/check-layers.py names src/{folder}, which does not exist")

    edges = arrows(src, folders)
    for (source, target), where in sorted(edges.items()):
        if source in layers and target in layers and layers[target] > layers[source]:
            found.append(f"{where}: {source} (layer {layers[source]}) may not include "
                         f"{target} (layer {layers[target]}), a higher layer")
    for group in circles(edges):
        path = shortest_circle(group, edges)
        steps = "; ".join(edges[step] for step in zip(path, path[1:]))
        found.append(f"circle of folders {' '.join(group)}: {' -> '.join(path)} ({steps})")

    for where in named_controls(src, folders, layers):
        found.append(f"{where} names a control of the window in the engine: name it by what "
                     f"it does")

    rows = readme_layers(root / "README.md")
    for folder in folders:
        if folder not in rows:
            found.append(f"README.md's layout table has no row for src/{folder}")
        elif folder in layers and rows[folder] != str(layers[folder]):
            found.append(f"README.md gives src/{folder} layer {rows[folder] or '(none)'}; "
                         f"it is in layer {layers[folder]}")
    for folder in sorted(set(rows) - set(folders)):
        found.append(f"README.md's layout table names src/{folder}, which does not exist")
    return found, edges


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parent.parent)
    parser.add_argument("--stamp", type=pathlib.Path)
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()

    found, edges = faults(args.root)
    if args.list:
        for number, layer in enumerate(LAYERS, 1):
            print(f"layer {number}: {' '.join(layer)}")
        for source, target in sorted(edges):
            print(f"{source} -> {target}")
    for fault in found:
        print(fault, file=sys.stderr)
    if found:
        return 1
    if args.stamp:
        args.stamp.touch()
    return 0


if __name__ == "__main__":
    sys.exit(main())
