#!/usr/bin/env python3
"""florrin-cli on a fixture tree, run as a user would run it.

  cli_program_test.py --program PATH            the native program
  cli_program_test.py --wine EXE [--native PATH] the Windows program under Wine, and, when a native
                                                 program is given, the two side by side
Each case builds its own fixture, so cases cannot disturb each other.
"""
import argparse
import base64
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

JUNK = {  # relative path: size in bytes
    "a.tmp": 3,
    ".tmp": 0,
    "tmp": 1024,
    "ro.gid": 1024,
    "sub/b.old": 3000,
    "sub/deep/c._mp": 2048,
    "sub/deep/d.syd": 1024 * 1024 + 5,
    "中文/e.tmp": 10,
}
KEEP = {
    "keep.txt": 100,
    "A.TMP": 50,
    "a.Tmp": 50,
    "x.do~": 5,
    "notes.tmp.bak": 7,
    "sub/deep/f.txt": 4096,
    "中文/g.doc": 2047,
}
READ_ONLY = "ro.gid"
SUMMARY = "扫描已完成！本次共扫描出 8 个垃圾文件，立即清除可帮您节省 1MB 磁盘空间。"
SUMMARY_EN = "Scan complete: junk files found: 8; cleaning them now frees 1MB of disk space."
# Messages in English, the rest Chinese: under Wine the files keep code page 936 that way.
ENGLISH = "en_US.UTF-8"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def make_fixture(root):
    for rel, size in {**JUNK, **KEEP}.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(hashlib.sha256(rel.encode()).digest() * (size // 32 + 1))
            f.truncate(size)
    os.makedirs(os.path.join(root, "empty"))
    os.chmod(os.path.join(root, READ_ONLY), 0o444)


def checksums(root):
    sums = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                sums[os.path.relpath(path, root)] = hashlib.sha256(f.read()).hexdigest()
    return sums


class Program:
    """Runs one build of florrin-cli and turns its paths back into the fixture's relative ones."""

    def __init__(self, command, wine):
        self.command, self.wine = command, wine
        self.encoding = "gbk" if wine else "utf-8"

    def folder_arg(self, path):
        return "Z:" + path.replace("/", "\\") if self.wine else path

    def relative(self, line, root):
        prefix = self.folder_arg(root) + ("\\" if self.wine else "/")
        if not line.startswith(prefix):
            return None
        return line[len(prefix):].replace("\\", "/")

    def run(self, args, cwd=None, env_lang="zh_CN.UTF-8", env_extra=None):
        env = dict(os.environ, LANG=env_lang, LC_ALL=env_lang, **(env_extra or {}))
        if env_lang == ENGLISH:
            del env["LC_ALL"]
            env.update(LANG="zh_CN.UTF-8", LC_MESSAGES=ENGLISH)
        done = subprocess.run(self.command + args, cwd=cwd, env=env, capture_output=True, timeout=120)
        # Every run of the program writes something; a silent end under Wine is a start that never
        # reached it (seen once in a loaded CI run): said, and started once more.
        if self.wine and not done.stdout and not done.stderr:
            print(f"warning: {args} ended with status {done.returncode} and no output; started again")
            done = subprocess.run(self.command + args, cwd=cwd, env=env, capture_output=True, timeout=120)
        # JSON is UTF-8 wherever it runs; everything else is in the terminal's encoding.
        out = done.stdout.decode("utf-8" if "--json" in args else self.encoding, "replace").replace("\r\n", "\n")
        err = done.stderr.decode(self.encoding, "replace").replace("\r\n", "\n")
        return done.returncode, out, err

    def listing(self, root, args=("scan",)):
        code, out, err = self.run(list(args) + [self.folder_arg(root)])
        lines = out.splitlines()
        return code, lines[:-1], (lines[-1] if lines else ""), err


def is_english(text):
    return text.isascii() and text.strip() != ""


def case_usage(program, scratch):
    for args, code in ([], 2), (["frob"], 2), (["scan", "--bogus"], 2), (["scan", "a", "b"], 2), \
                      (["scan", "--dry-run"], 2), (["--json"], 2):
        got, out, err = program.run(args, cwd=scratch)
        check(got == code, f"{args}: status {got}, expected {code}")
        check("用法" in err and out == "", f"{args}: usage text on standard error only: {err!r}")
        got, out, err = program.run(args, cwd=scratch, env_lang=ENGLISH)
        check(got == code and err.startswith("florrin-cli: ") and "usage: florrin-cli" in err and is_english(err),
              f"{args}: usage in English outside a Chinese locale: {err!r}")
    for lang, words in ("zh_CN.UTF-8", "命令"), (ENGLISH, "Commands"):
        got, out, err = program.run(["--help"], env_lang=lang)
        check(got == 0, f"--help: status {got}")
        check(words in out and (lang != ENGLISH or is_english(out)), f"--help in {lang}")
        for option in ("scan", "clean", "--json", "--dry-run", "--trash", "--exclude", "--older-than", "pathBytes",
                       "--help", "Ctrl-C", "130"):
            check(option in out, f"--help in {lang} explains {option}")
    missing = os.path.join(scratch, "no such folder")
    got, out, err = program.run(["scan", program.folder_arg(missing)])
    check(got == 3, f"missing folder: status {got}")
    check("no such folder" in err, f"missing folder named in the message: {err!r}")
    for args in (["--exclude", program.folder_arg(missing)], ["--older-than", "3x"], ["--older-than", "24"]):
        got, out, err = program.run(["scan"] + args + [program.folder_arg(scratch)])
        check(got == 2 and out == "", f"{args}: status {got}")
        check(args[1] in err, f"{args}: the message names it: {err!r}")
    a_file = os.path.join(scratch, "plain.txt")
    open(a_file, "w").close()
    got, _, err = program.run(["clean", program.folder_arg(a_file)])
    check(got == 3, f"a file given as the folder: status {got}")
    check(os.path.exists(a_file), "a file given as the folder is left alone")
    tree = os.path.join(scratch, "t")
    os.makedirs(os.path.join(tree, "locked"))
    open(os.path.join(tree, "x.tmp"), "w").close()
    got, out, _ = program.run(["scan", "--json", "--exclude", program.folder_arg(scratch), program.folder_arg(tree)])
    check(got == 0 and json.loads(out)["junkCount"] == 0, f"an excluded folder above the scan folder excludes it all: {out}")
    if not program.wine:
        got, out, err = program.run(["clean", "--dry-run"], env_extra={"HOME": "/"})
        check(got == 2 and out == "" and "HOME" in err, f"clean without a folder and with HOME=/: status {got}: {err!r}")
    if not program.wine and os.geteuid() != 0:  # root reads every folder
        os.chmod(os.path.join(tree, "locked"), 0)
        got, _, err = program.run(["scan", program.folder_arg(tree)])
        check(got == 3 and "locked" in err, f"an unreadable sub-folder: status {got}: {err!r}")


def case_scan(program, scratch):
    root = os.path.join(scratch, "fixture")
    make_fixture(root)
    code, lines, summary, err = program.listing(root)
    check(code == 0, f"scan: status {code}: {err}")
    found = sorted(program.relative(line, root) for line in lines)
    check(found == sorted(JUNK), f"scan lists exactly the junk: {found}")
    check(summary == SUMMARY, f"scan summary: {summary!r}")
    check(err == "", f"scan writes nothing to a standard error that is no terminal: {err!r}")
    code, out, _ = program.run(["scan", program.folder_arg(root)], env_lang=ENGLISH)
    check(code == 0 and out.splitlines()[-1:] == [SUMMARY_EN], f"the summary in English: {out.splitlines()[-1:]}")
    return found, summary


def case_json(program, scratch):
    root = os.path.join(scratch, "fixture")
    make_fixture(root)
    code, out, err = program.run(["scan", "--json", program.folder_arg(root)])
    check(code == 0, f"scan --json: status {code}: {err}")
    doc = json.loads(out)
    files = {program.relative(f["path"], root): f for f in doc["junkFiles"]}
    check(sorted(files) == sorted(JUNK), f"JSON lists exactly the junk: {sorted(files)}")
    check(doc["junkCount"] == len(JUNK) == len(doc["junkFiles"]), "JSON count")
    for rel, size in JUNK.items():
        if rel in files:
            check(files[rel]["bytes"] == size and files[rel]["kb"] == size >> 10, f"JSON size of {rel}")
    check(doc["junkKB"] == sum(s >> 10 for s in JUNK.values()) == 1030, f"JSON junk KB {doc['junkKB']}")
    check(doc["junkBytes"] == sum(JUNK.values()), "JSON junk bytes")
    all_files = {**JUNK, **KEEP}
    check(doc["scannedKB"] == sum(s >> 10 for s in all_files.values()), f"JSON scanned KB {doc['scannedKB']}")
    check(doc["filesScanned"] == len(all_files), "JSON files scanned")
    check(doc["summary"] == SUMMARY, f"JSON summary {doc['summary']!r}")
    _, english, _ = program.run(["scan", "--json", program.folder_arg(root)], env_lang=ENGLISH)
    english = json.loads(english)
    check(english["summary"] == SUMMARY and english.keys() == doc.keys(), "JSON is the same in English")
    check(program.relative(doc["folder"] + ("\\" if program.wine else "/") + "x", root) == "x", "JSON folder")
    check(doc["interrupted"] is False and doc["command"] == "scan", "JSON flags")


def case_clean(program, scratch):
    root = os.path.join(scratch, "fixture")
    make_fixture(root)
    before = checksums(root)
    # A folder of its own as the current folder, holding files named like the junk's names.
    elsewhere = os.path.join(scratch, "cwd")
    os.makedirs(elsewhere)
    for rel in JUNK:
        with open(os.path.join(elsewhere, os.path.basename(rel)), "w") as f:
            f.write("not junk")
    code, out, err = program.run(["clean", "--json", program.folder_arg(root)], cwd=elsewhere)
    check(code == 1, f"clean with an undeletable file: status {code}")
    doc = json.loads(out)
    results = {program.relative(f["path"], root): f["result"] for f in doc["junkFiles"]}
    check(results.get(READ_ONLY) == "read-only", f"the read-only junk is reported as such: {results}")
    check(doc["deleted"] == len(JUNK) - 1 and doc["failed"] == 1, "clean counts")
    check(READ_ONLY in err and "只读" in err and err.count("\n") == 1, f"clean reports the failure: {err!r}")
    after = checksums(root)
    expected = {rel: s for rel, s in before.items() if rel not in JUNK or rel == READ_ONLY}
    check(after == expected, f"clean deletes exactly the listed junk; left: {sorted(after)}")
    check(len(os.listdir(elsewhere)) == len({os.path.basename(r) for r in JUNK}),
          "files in the current folder named like the junk survive")
    # Again in English: the read-only junk is still there, and still cannot go.
    code, out, err = program.run(["clean", program.folder_arg(root)], env_lang=ENGLISH)
    check(code == 1 and out.splitlines()[-1:] == ["Junk files deleted: 0; not deleted: 1."],
          f"clean in English: {out!r}")
    check(err.startswith("florrin-cli: cannot delete ") and err.endswith(READ_ONLY + ": the file is read-only\n"),
          f"the failure in English: {err!r}")


def case_dry_run(program, scratch):
    root = os.path.join(scratch, "fixture")
    make_fixture(root)
    before = checksums(root)
    code, lines, _, err = program.listing(root, ("clean", "--dry-run"))
    check(code == 0, f"clean --dry-run: status {code}: {err}")
    check(sorted(program.relative(line, root) for line in lines[:-1]) == sorted(JUNK), "--dry-run lists the junk")
    check(checksums(root) == before, "--dry-run deletes nothing")


def case_trash_exclude_age(program, scratch):
    """clean --trash --exclude DIR --older-than 24h in a hermetic home: only the old junk outside DIR
    goes, into the freedesktop Trash with its origin; a name that is not UTF-8 keeps its bytes."""
    if program.wine and "XDG_DATA_HOME" not in os.environ:
        print("no hermetic Wine prefix: --trash left out, so that no test reaches your Trash")
        return
    root = os.path.join(scratch, "tree")
    os.makedirs(os.path.join(root, "skip"))
    old_name = f"old-{os.getpid()}.tmp"  # a name of its own in a Trash that earlier runs filled
    old, new, skipped = (os.path.join(root, rel) for rel in (old_name, "new.tmp", os.path.join("skip", "s.tmp")))
    odd = os.path.join(root, "a").encode() + b"\xff\xfe.tmp"
    for path in (old, new, skipped, odd):
        with open(path, "wb") as f:
            f.write(b"junk")
    pipe = os.path.join(root, "pipe.tmp")  # named like junk, and no regular file
    if not program.wine:
        os.mkfifo(pipe)
    two_days_ago = time.time() - 2 * 24 * 3600
    for path in (old, skipped):
        os.utime(path, (two_days_ago, two_days_ago))
    if program.wine:  # Wine keeps the home its prefix was made with: the hermetic one
        data, env = os.environ["XDG_DATA_HOME"], {}
    else:
        home, data = os.path.join(scratch, "home"), os.path.join(scratch, "data")
        os.makedirs(home)
        env = {"HOME": home, "XDG_DATA_HOME": data}

    if not program.wine:  # Wine shows such a name by other bytes of its own
        code, out, _ = program.run(["scan", "--json", root], env_extra=env)
        named = [base64.b64decode(f["pathBytes"]) for f in json.loads(out)["junkFiles"] if "pathBytes" in f]
        check(named == [odd], f"the name that is not UTF-8 keeps its bytes in JSON: {named}")

    code, out, err = program.run(["clean", "--json", "--trash", "--exclude", program.folder_arg(os.path.join(root, "skip")),
                                  "--older-than", "24h", program.folder_arg(root)], env_extra=env)
    check(code == 0, f"clean --trash: status {code}: {err}")
    doc = json.loads(out)
    results = {program.relative(f["path"], root): f["result"] for f in doc["junkFiles"]}
    check(results == {old_name: "trashed"}, f"only the old junk outside the excluded folder goes: {results}")
    check((doc["trashed"], doc["deleted"], doc["keptTooRecent"], doc["filesScanned"]) == (1, 0, 2, 3 + (not program.wine)),
          f"clean --trash counts: {doc}")
    check(program.wine or os.path.exists(pipe), "a pipe named like junk stays")
    check(not os.path.exists(old) and os.path.exists(new) and os.path.exists(odd) and os.path.exists(skipped),
          "the new junk and the excluded folder stay")
    trash = os.path.join(data, "Trash")
    with open(os.path.join(trash, "files", old_name), "rb") as f:
        check(f.read() == b"junk", "the old junk sits in the Trash whole")
    with open(os.path.join(trash, "info", old_name + ".trashinfo")) as f:
        origin = [line for line in f.read().splitlines() if line.startswith("Path=")]
        # Wine names the file through its drive's link in the prefix.
        check(origin and urllib.parse.unquote(origin[0]).endswith(old if not program.wine else "/tree/" + old_name),
              f"its .trashinfo names where it was: {origin}")
    if not program.wine:  # no home for a Trash: the file stays, and says so
        code, out, _ = program.run(["clean", "--json", "--trash", root], env_extra={"HOME": "", "XDG_DATA_HOME": ""})
        results = {program.relative(f["path"], root): f["result"] for f in json.loads(out)["junkFiles"]}
        check(code == 1 and set(results.values()) == {"no-trash"} and os.path.exists(new),
              f"--trash without a home: status {code}: {results}")


def case_interrupt(program, scratch, command):
    """Ctrl-C while the walk waits on a full output pipe: the walk stops, nothing is deleted."""
    root = os.path.join(scratch, "many")
    os.makedirs(root)
    for i in range(4000):
        open(os.path.join(root, "f%04d.tmp" % i), "w").close()
    proc = subprocess.Popen(program.command + [command, program.folder_arg(root)], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8"))
    time.sleep(1.0)  # the pipe holds 64 KiB: the program is blocked writing long before 4,000 lines
    proc.send_signal(signal.SIGINT)
    out, err = proc.communicate(timeout=60)
    lines = out.decode().splitlines()
    check(proc.returncode == 130, f"{command} interrupted: status {proc.returncode}")
    summary = [l for l in lines if l.startswith("Scan complete: ")]
    check(len(summary) == 1, f"{command} interrupted prints the partial summary: {lines[-2:]}")
    count = len([l for l in lines if l.endswith(".tmp")])
    check(0 < count < 4000, f"{command} interrupted lists part of the junk: {count}")
    if summary:
        check(f"junk files found: {count};" in summary[0], f"partial summary counts what was listed: {summary[0]}")
    check("florrin-cli: interrupted." in err.decode(), "the interruption is said on standard error")
    check(len(os.listdir(root)) == 4000, f"{command} interrupted deletes nothing")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program")
    parser.add_argument("--wine")
    parser.add_argument("--native")
    args = parser.parse_args()
    if args.wine:
        loader = os.environ.get("WINELOADER", "/usr/lib/wine/wine64")
        program = Program([loader, args.wine], wine=True)
    else:
        program = Program([args.program], wine=False)

    cases = [case_usage, case_scan, case_json, case_clean, case_dry_run, case_trash_exclude_age]
    if not program.wine:
        cases += [lambda p, s: case_interrupt(p, s, "scan"), lambda p, s: case_interrupt(p, s, "clean")]
    results = {}
    for case in cases:
        scratch = tempfile.mkdtemp(prefix="florrin-cli-")
        try:
            results[case] = case(program, scratch)
        finally:
            for folder, dirs, files in os.walk(scratch):
                for name in dirs + files:
                    os.chmod(os.path.join(folder, name), 0o755)
            shutil.rmtree(scratch, ignore_errors=True)

    if args.native and program.wine:
        if os.path.exists(args.native):
            native = Program([args.native], wine=False)
            scratch = tempfile.mkdtemp(prefix="florrin-cli-")
            root = os.path.join(scratch, "fixture")
            make_fixture(root)
            wine_lines = program.listing(root)
            native_lines = native.listing(root)
            same = lambda r: (sorted(program.relative(l, root) for l in r[1]) if r is wine_lines
                              else sorted(native.relative(l, root) for l in r[1]), r[2])
            check(same(wine_lines) == same(native_lines), "the same list and summary natively and under Wine")
            os.chmod(os.path.join(root, READ_ONLY), 0o644)
            shutil.rmtree(scratch, ignore_errors=True)
        else:
            print("no native florrin-cli at", args.native, "- side-by-side comparison left out")

    print(f"{len(cases)} cases, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
