#!/usr/bin/env python3
"""Reads the duplicate groups one tool printed and writes them in one comparable form.

usage: groups.py FORMAT FILE
  FORMAT  paragraphs (one path a line, a blank line between groups: ours, jdupes, fdupes,
          rmlint's fdupes output) or rdfind (its results file)

Each group is split by modification time to the second, since copies count as one group only
when they share it; parts of fewer than two files are dropped. Paths are sorted in each group,
and groups by their first path, one group a line with tabs between the paths.
"""
import os
import sys
from collections import defaultdict


def paragraphs(text):
    group = []
    for line in text.splitlines():
        if line.strip():
            group.append(line)
        elif group:
            yield group
            group = []
    if group:
        yield group


def rdfind(text):
    groups = defaultdict(list)
    for line in text.splitlines():
        if line.startswith("#") or not line.strip():
            continue
        fields = line.split(" ", 7)
        groups[abs(int(fields[1]))].append(fields[7])
    return groups.values()


def by_modification_time(group):
    parts = defaultdict(list)
    for path in group:
        parts[int(os.lstat(path).st_mtime)].append(path)
    return [sorted(p) for p in parts.values() if len(p) > 1]


def main():
    form, name = sys.argv[1], sys.argv[2]
    with open(name, encoding="utf-8", errors="surrogateescape") as f:
        text = f.read()
    groups = rdfind(text) if form == "rdfind" else paragraphs(text)
    result = sorted(part for g in groups for part in by_modification_time(g))
    for part in result:
        print("\t".join(part))


if __name__ == "__main__":
    main()
