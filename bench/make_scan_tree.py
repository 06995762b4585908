#!/usr/bin/env python3
"""Writes the GUI scan bench's two trees natively (through Wine they take most of an hour):
ROOT/plain holds FOLDERS x FILES ordinary files of 3,000 bytes; ROOT/junk as many files, JUNK of
them *.tmp spread over its folders, so the two scans differ in the junk alone. bench_scan_run
moves each into the profile in turn. With --junk-only, ROOT/junk alone (bench_scan_memory's
400,000-file tree: ROOT 20000 20 10000 --junk-only)."""
import os
import sys

def make(root, folders, files, junk):
    for d in range(folders):
        folder = os.path.join(root, f"d{d}")
        os.makedirs(folder, exist_ok=True)
        junk_names = [f"junk{j}.tmp" for j in range(d, junk, folders)]
        names = [f"file{f}.dat" for f in range(len(junk_names), files)] + junk_names
        for name in names:
            with open(os.path.join(folder, name), "wb") as out:
                out.truncate(3000)

def main():
    junk_only = "--junk-only" in sys.argv
    args = [a for a in sys.argv[1:] if a != "--junk-only"]
    root = args[0]
    folders = int(args[1]) if len(args) > 1 else 5000
    files = int(args[2]) if len(args) > 2 else 20
    junk = int(args[3]) if len(args) > 3 else 10000
    if not junk_only:
        make(os.path.join(root, "plain"), folders, files, 0)
    make(os.path.join(root, "junk"), folders, files, junk)

if __name__ == "__main__":
    main()
