#!/usr/bin/env python3
"""Lists functions longer than 80 lines in the project's C++ sources, tests left out.

A function is found as clang-format lays it out: a definition opening at the start of a line
and its closing brace alone at the start of a line. Lambdas and class bodies count with the
function that holds them. --allow NAME leaves one function out (the settings store's key
table is one table). Exits 1 when one is found.
"""
import argparse
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), ".."))
FOLDERS = ["config", "drawing", "hpgl", "platform", "plotjob", "preview", "sender", "settings",
           "tools"]
LIMIT = 80
START = re.compile(r"^(?![ \t#/}])(?!namespace\b)(?!struct\b)(?!class\b)(?!enum\b).*?([A-Za-z_~][\w:~]*)\s*\(")


def functions(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        m = START.match(lines[i])
        if not m:
            i += 1
            continue
        # The body opens on this line or a continuation line of its signature.
        j = i
        while j < len(lines) and not lines[j].rstrip().endswith("{") and ";" not in lines[j]:
            j += 1
        if j >= len(lines) or ";" in lines[j] and not lines[j].rstrip().endswith("{"):
            i = j + 1
            continue
        k = j + 1
        while k < len(lines) and not lines[k].startswith("}"):
            k += 1
        yield m.group(1), i + 1, k - i + 1
        i = k + 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--allow", action="append", default=[], metavar="NAME")
    allowed = set(parser.parse_args().allow)
    found = 0
    for folder in FOLDERS:
        for top, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if not name.endswith(".cpp"):
                    continue
                path = os.path.join(top, name)
                for function, line, length in functions(path):
                    if length > LIMIT and function not in allowed:
                        print(f"{os.path.relpath(path, ROOT)}:{line}: {function} has {length} lines")
                        found += 1
    print(f"{found} functions over {LIMIT} lines")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
