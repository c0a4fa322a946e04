#!/usr/bin/env python3
"""Runs one command and prints its processor time (user+sys, seconds), peak memory (KB) and
wall time (seconds). The processor time comes from the kernel's resource usage of the finished
child, to the microsecond (`/usr/bin/time` shows hundredths, too coarse for the small trees);
the peak memory from `/usr/bin/time`, which starts the command from its own small process so
that none of this script's memory is counted.

usage: measure.py OUTPUT COMMAND...   (the command's standard output goes to OUTPUT, its
                                        standard error is dropped)
"""
import os
import sys
import tempfile
import time


def main():
    output, command = sys.argv[1], sys.argv[2:]
    peak_file = tempfile.NamedTemporaryFile(prefix="quendrix-peak-", delete=False).name
    command = ["/usr/bin/time", "-f", "%M", "-o", peak_file] + command
    start = time.monotonic()
    pid = os.fork()
    if pid == 0:
        out = os.open(output, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
        null = os.open(os.devnull, os.O_WRONLY)
        os.dup2(out, 1)
        os.dup2(null, 2)
        try:
            os.execvp(command[0], command)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    wall = time.monotonic() - start
    if os.waitstatus_to_exitcode(status) != 0:
        print(f"{command[0]} failed", file=sys.stderr)
    with open(peak_file, encoding="ascii") as f:
        peak = f.read().split()[-1]
    os.unlink(peak_file)
    print(f"{usage.ru_utime + usage.ru_stime:.3f} {peak} {wall:.3f}")


if __name__ == "__main__":
    main()
