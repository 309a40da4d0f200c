#!/usr/bin/env python3
"""Include circles in the project's own code.

A header and the source of the same name are one unit. Three kinds of circle are reported:
- units that include each other, directly or round a longer loop;
- folders that include each other (settings/ includes sender/ and sender/ includes settings/);
- a class whose members are defined in another unit's source: that source includes the class's
  header, and the header's unit needs the source's code, so the two lean on each other.
Generated Designer headers (ui_*.h) and system headers are not the project's and are skipped.
Exits 1 when a circle is found, listing each one. --skip FOLDER leaves a folder's files out.
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP = {"build", "build-fuzz", ".git", "packaging", "i18n", "docs"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
CLASS = re.compile(r"^\s*(?:class|struct)\s+(\w+)[^;]*$", re.M)
# A member defined at the top level: unindented, a return type or none, Class::name(.
MEMBER = re.compile(r"^(?!return\b)(?:[A-Za-z_][\w:<>,*& ]*[ *&])?(\w+)::~?\w+ *\(", re.M)


def sources(skipped):
    for top, dirs, files in os.walk(ROOT):
        if os.path.relpath(top, ROOT) in skipped:
            dirs[:] = []
            continue
        dirs[:] = sorted(d for d in dirs if d not in SKIP and not d.startswith("build"))
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(top, name), ROOT)


def unit(path):
    return os.path.splitext(path)[0]


def resolve(including, target, known):
    for candidate in (os.path.normpath(os.path.join(os.path.dirname(including), target)), target):
        if candidate in known:
            return candidate
    return None


def cycles(graph):
    """Every strongly connected part of more than one node (Tarjan)."""
    index, low, stack, on, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            part = []
            while True:
                top = stack.pop()
                on.discard(top)
                part.append(top)
                if top == node:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    parser = argparse.ArgumentParser(description="Include circles in the project's own code.")
    parser.add_argument("--skip", action="append", default=[], metavar="FOLDER")
    files = list(sources(set(parser.parse_args().skip)))
    known = set(files)
    texts = {f: open(os.path.join(ROOT, f), encoding="utf-8", errors="replace").read() for f in files}
    units, folders = {}, {}
    for f in files:
        for target in INCLUDE.findall(texts[f]):
            hit = resolve(f, target, known)
            if hit is None:
                continue
            if unit(hit) != unit(f):
                units.setdefault(unit(f), set()).add(unit(hit))
            a, b = f.split(os.sep)[0], hit.split(os.sep)[0]
            if a != b and os.sep in f and os.sep in hit:
                folders.setdefault(a, set()).add(b)

    # Which unit declares each class (its header); a member defined elsewhere leans back on it.
    owner = {}
    for f in files:
        if f.endswith(".h"):
            for name in CLASS.findall(texts[f]):
                owner.setdefault(name, set()).add(unit(f))
    for f in files:
        if not f.endswith(".cpp"):
            continue
        for name in set(MEMBER.findall(texts[f])):
            homes = owner.get(name, set())
            if homes and unit(f) not in homes:
                for home in homes:
                    units.setdefault(home, set()).add(unit(f))

    problems = [" <-> ".join(part) for part in cycles(units)]
    problems += ["folders " + " <-> ".join(part) for part in cycles(folders)]
    for line in problems:
        print("include circle:", line)
    print(f"{len(files)} files, {len(problems)} include circles")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
