#!/usr/bin/env python3
"""florrin-cli scan against find -type f -printf '%s %p\\n' and fd on the scan bench's generated tree.

  bench/cli_bench.py build/native/bin/florrin-cli [TREE]

TREE defaults to $TMPDIR/florrin-bench-tree; generate it first with build/native/bin/scan_bench.
fd (Debian's fd-find, `fdfind`) runs as `fdfind -u -t f PATTERN TREE` with a pattern for the six
junk names; it reads no file's size, florrin-cli and find read every one. Prints the best of three
runs of each (after one warm-up of each), their ratios, the CPU time each used, how the
scanner's time splits between the kernel and the program, and its peak memory on the whole tree
and on one small folder of it, to show that memory does not grow with the number of files.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time


# The six junk names as fd's regular expression: the extension, or the whole name, is one of them.
JUNK_PATTERN = r"(^|\.)(tmp|syd|old|gid|_mp|\?\?~)$"


def run(command):
    """Wall time, user time and system time of one run, output discarded."""
    with open(os.devnull, "wb") as null:
        start = time.monotonic()
        proc = subprocess.Popen(command, stdout=null, stderr=null)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.monotonic() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command[0]} failed with status {os.waitstatus_to_exitcode(status)}")
    return wall, usage.ru_utime, usage.ru_stime


def peak_kb(command):
    """Peak resident KB of the program itself (a forked Python would count its own pages)."""
    with tempfile.NamedTemporaryFile("r") as report, open(os.devnull, "wb") as null:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command, stdout=null, check=True)
        return int(report.read().split()[-1])


def count_files(folder):
    return sum(len(files) for _, _, files in os.walk(folder))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    tree = sys.argv[2] if len(sys.argv) > 2 else os.path.join(tempfile.gettempdir(), "florrin-bench-tree")
    if not os.path.exists(os.path.join(tree, "complete")):
        sys.exit(f"no generated tree at {tree}: run scan_bench first")

    files = count_files(tree)
    fd_program = shutil.which("fdfind") or shutil.which("fd")
    fd_command = [fd_program, "-u", "-t", "f", JUNK_PATTERN, tree] if fd_program else None
    if fd_command:
        found = subprocess.run(fd_command, capture_output=True, check=True).stdout.count(b"\n")
        listed = subprocess.run([cli, "scan", tree], capture_output=True, check=True).stdout.count(b"\n") - 1
        if found != listed:
            sys.exit(f"fd finds {found} junk files, florrin-cli {listed}: the pattern does not match the scan")
    # Interleaved, so that a change in the machine's load reaches every program alike.
    runs = {"scan": [], "find": [], "fd": []}
    commands = {"scan": [cli, "scan", tree], "find": ["find", tree, "-type", "f", "-printf", "%s %p\\n"],
                "fd": fd_command}
    for name, command in commands.items():
        if command:
            run(command)  # warm-up: the tree's folders in the cache for everyone
    for _ in range(3):
        for name, command in commands.items():
            if command:
                runs[name].append(run(command))
    scan, find = (min(runs[name], key=lambda r: r[0]) for name in ("scan", "find"))
    print(f"tree: {tree}, {files} files")
    print(f"find -type f -printf   {find[0]:6.3f} s   1.00         cpu {find[1] + find[2]:.3f} s")
    if fd_command:
        fd = min(runs["fd"], key=lambda r: r[0])
        print(f"fd -u -t f PATTERN     {fd[0]:6.3f} s   {fd[0] / find[0]:.2f} x find   cpu {fd[1] + fd[2]:.3f} s")
    print(f"florrin-cli scan       {scan[0]:6.3f} s   {scan[0] / find[0]:.2f} x find   cpu {scan[1] + scan[2]:.3f} s"
          + (f"   {scan[0] / fd[0]:.2f} x fd" if fd_command else ""))
    cpu = scan[1] + scan[2]
    print(f"florrin-cli time: {scan[2] / cpu:.0%} in the kernel (listing folders, reading each file's size),"
          f" {scan[1] / cpu:.0%} in the program")

    small = os.path.join(tree, "d1", "d9")
    small_files = count_files(small)
    print(f"peak memory: {peak_kb([cli, 'scan', tree])} KB for {files} files,"
          f" {peak_kb([cli, 'scan', small])} KB for {small_files} files")


if __name__ == "__main__":
    main()
