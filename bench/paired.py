#!/usr/bin/env python3
"""Summarises runs of two commands that took turns, as measure.py printed them ("cpu_seconds
peak_kb wall_seconds", one line per run, the same number of runs in each file, in order).

Prints one line: the median processor time, peak memory and wall time of each command, and the
ratios first / second. The processor and wall time ratios are the medians of the ratios of the
runs taken one after the other, so that a slow spell of the machine, which falls on both runs of
a turn, cancels out; the peak memory ratio is that of the medians.

usage: paired.py FIRST_RUNS SECOND_RUNS
"""
import statistics
import sys


def runs(path):
    with open(path, encoding="ascii") as f:
        return [tuple(float(x) for x in line.split()) for line in f if line.strip()]


def main():
    first, second = runs(sys.argv[1]), runs(sys.argv[2])
    medians = [[statistics.median(r[i] for r in side) for i in range(3)] for side in (first, second)]

    def turn_ratio(i):
        ratios = [a[i] / b[i] for a, b in zip(first, second) if b[i] > 0]
        return statistics.median(ratios) if ratios else float("nan")

    peak = medians[0][1] / medians[1][1] if medians[1][1] > 0 else float("nan")
    print(" ".join(f"{x:.3f}" for x in medians[0]), "|",
          " ".join(f"{x:.3f}" for x in medians[1]), "|",
          f"{turn_ratio(0):.2f} {peak:.2f} {turn_ratio(2):.2f}")


if __name__ == "__main__":
    main()
