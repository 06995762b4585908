#!/usr/bin/env python3
"""Writes the GUI scan bench's two trees natively (through Wine they take most of an hour):
ROOT/plain holds FOLDERS x FILES ordinary files of 3,000 bytes; ROOT/junk as many files, JUNK of
them *.tmp spread over its folders, so the two scans differ in the junk alone. bench_scan_run
moves each into the profile in turn."""
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
    root = sys.argv[1]
    folders = int(sys.argv[2]) if len(sys.argv) > 2 else 5000
    files = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    junk = int(sys.argv[4]) if len(sys.argv) > 4 else 10000
    make(os.path.join(root, "plain"), folders, files, 0)
    make(os.path.join(root, "junk"), folders, files, junk)

if __name__ == "__main__":
    main()
