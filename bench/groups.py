#!/usr/bin/env python3
"""Reads the duplicate groups one tool printed and writes them in one comparable form.

usage: groups.py FORMAT FILE TREE
  FORMAT  paragraphs (one path a line, a blank line between groups: ours, jdupes, fdupes,
          rmlint's fdupes output) or rdfind (its results file)
  TREE    the folder the tools searched

Our scan compares a file only when another file of the tree shares its size and modification
time (to the second): the peers compare every file of a size. So each group keeps only the
files whose size and time another file of the tree shares, and groups left with fewer than two
files are dropped. Paths are sorted in each group, and groups by their first path, one group a
line with tabs between the paths.
"""
import os
import stat
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


def key_of(status):
    return status.st_size, int(status.st_mtime)


def shared_keys(tree):
    counts = defaultdict(int)
    for folder, _, names in os.walk(tree):
        for name in names:
            status = os.lstat(os.path.join(folder, name))
            if stat.S_ISREG(status.st_mode):
                counts[key_of(status)] += 1
    return {key for key, count in counts.items() if count > 1}


def compared_part(group, shared):
    part = sorted(path for path in group if key_of(os.lstat(path)) in shared)
    return [part] if len(part) > 1 else []


def main():
    form, name, tree = sys.argv[1], sys.argv[2], sys.argv[3]
    shared = shared_keys(tree)
    with open(name, encoding="utf-8", errors="surrogateescape") as f:
        text = f.read()
    groups = rdfind(text) if form == "rdfind" else paragraphs(text)
    result = sorted(part for g in groups for part in compared_part(g, shared))
    for part in result:
        print("\t".join(part))


if __name__ == "__main__":
    main()
