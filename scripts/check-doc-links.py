#!/usr/bin/env python3
"""Every relative link and picture in README.md and docs/*.md points at a file that exists.

Anchors (#section) are checked when they name a heading of the target page, since a renamed
heading breaks links as surely as a moved file. Links to the web are left alone: the tests run
offline. Prints each broken link as FILE:LINE: TARGET and exits with 1 if there is one.
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# [text](target) and ![alt](target), with an optional "title"; code spans are cut out first.
LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
CODE_SPAN = re.compile(r"`[^`]*`")
HEADING = re.compile(r"^#{1,6}\s+(.*?)\s*#*\s*$")


def Anchor(heading):
    """The anchor a markdown renderer gives a heading: lower case, punctuation dropped,
    spaces as hyphens."""
    text = CODE_SPAN.sub(lambda m: m.group(0)[1:-1], heading).lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def Anchors(page, cache={}):
    if page not in cache:
        found, fenced = set(), False
        for line in page.read_text(encoding="utf-8").splitlines():
            if line.lstrip().startswith("```"):
                fenced = not fenced
            match = None if fenced else HEADING.match(line)
            if match:
                base = Anchor(match.group(1))
                name, n = base, 1
                while name in found:  # repeated headings get -1, -2, ...
                    name, n = f"{base}-{n}", n + 1
                found.add(name)
        cache[page] = found
    return cache[page]


def Links(page):
    fenced = False
    for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
        if line.lstrip().startswith("```"):
            fenced = not fenced
        if fenced or line.startswith("    "):  # code blocks show commands, not links
            continue
        for match in LINK.finditer(CODE_SPAN.sub("", line)):
            yield number, match.group(1)


def Broken(page):
    for number, target in Links(page):
        if re.match(r"^[a-z][a-z0-9+.-]*:", target):  # http:, mailto:, ...
            continue
        path, _, anchor = target.partition("#")
        file = (page.parent / path).resolve() if path else page
        if not file.exists():
            yield number, target
        elif anchor and file.suffix == ".md" and anchor not in Anchors(file):
            yield number, target


def main():
    pages = [ROOT / "README.md"] + sorted((ROOT / "docs").glob("*.md"))
    bad = 0
    for page in pages:
        for number, target in Broken(page):
            print(f"{page.relative_to(ROOT)}:{number}: {target}")
            bad += 1
    if bad:
        print(f"{bad} broken link(s) in the documentation", file=sys.stderr)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
