#!/usr/bin/env python3
"""Reads the output of one test of the sanitized build and decides.

usage: leakfilter.py OUTPUT-FILE EXIT-CODE SOURCE-DIR [--end-line LINE]

AddressSanitizer and UndefinedBehaviorSanitizer stop a test at their first
report, so any exit code other than 0 fails it, except when the only reason
is LeakSanitizer's report at exit. Then every direct leak is read: one
whose allocation stack has a frame in the program's own sources (tests
included) fails the test; one whose every frame is third-party (the
toolkit, the web engine, fontconfig, D-Bus) is counted and passes. Indirect
leaks (blocks only a leaked block points to) go with their owner. Prints
its verdict and why on one or more lines starting "leak filter:"; exits 0
or 1.

The same rules judge a program of ours that a test starts (the test
executable again on another platform, a test peer; tests/support/
ownprogram.h): its output and exit code come here as a test's do. A Qt
Test program shows that it finished and passed by its totals line; any
other program by the line given with --end-line, which it writes on its
own clean end.
"""
import re
import sys

OTHER_REPORTS = (
    "ERROR: AddressSanitizer",
    "runtime error:",
    "SUMMARY: UndefinedBehaviorSanitizer",
    "ThreadSanitizer",
    "MemorySanitizer",
)
LEAK_HEADER = re.compile(r"^(Direct|Indirect) leak of (\d+) byte\(s\) in (\d+) object\(s\) allocated from:")
FRAME = re.compile(r"^\s+#\d+ ")
TOTALS = re.compile(r"^Totals: \d+ passed, (\d+) failed")
# A frame with a source position: "#3 0x... in Function /path/file.cpp:12:5".
# Frames without one (module and offset only) are third-party code or the
# sanitizer runtime: the program and its tests are built with debug info.
SOURCE = re.compile(r" in .* (\S+):\d+(:\d+)?$")


def leaks(lines):
    """Yields (header, frames) for each leak of a LeakSanitizer report."""
    header, frames = None, []
    for line in lines:
        m = LEAK_HEADER.match(line)
        if m:
            if header:
                yield header, frames
            header, frames = line.strip(), []
        elif header and FRAME.match(line):
            frames.append(line.rstrip())
        elif header and frames and not line.strip():
            yield header, frames
            header, frames = None, []
    if header:
        yield header, frames


def ours(frame, root):
    m = SOURCE.search(frame)
    return bool(m) and m.group(1).startswith(root)


def say(text):
    print(f"leak filter: {text}", file=sys.stderr)


def exit_text(code):
    # A shell gives 128 + N for a program that signal N ended.
    return f"signal {code - 128}" if code > 128 else f"exit code {code}"


def finished(lines, end_line):
    """Whether the program itself finished and passed."""
    if end_line is not None:
        return any(line.strip() == end_line for line in lines)
    failed = [int(m.group(1)) for m in map(TOTALS.match, lines) if m]
    return bool(failed) and not any(failed)


def main():
    args = sys.argv[1:]
    end_line = None
    if "--end-line" in args:
        at = args.index("--end-line")
        end_line = args[at + 1]
        del args[at:at + 2]
    path, code, source = args[0], int(args[1]), args[2].rstrip("/")
    with open(path, errors="replace") as f:
        lines = f.read().splitlines()
    text = "\n".join(lines)
    if code == 0:
        say("exit code 0, no sanitizer report: passed")
        return 0
    if "ERROR: LeakSanitizer: detected memory leaks" not in text:
        say(f"{exit_text(code)} without a leak report: failed")
        return 1
    if any(r in text for r in OTHER_REPORTS):
        say(f"{exit_text(code)} with a sanitizer report besides the leaks: failed")
        return 1
    # The test itself must have finished and passed.
    if not finished(lines, end_line):
        say(f"{exit_text(code)} with leaks, and the program did not finish and pass: failed")
        return 1
    mine, theirs, theirs_bytes = [], 0, 0
    for header, frames in leaks(lines):
        # An indirect leak is memory only a leaked block points to: it is
        # decided with that block.
        if header.startswith("Direct") and any(ours(fr, source + "/") for fr in frames):
            mine.append((header, frames))
        else:
            theirs += 1
            theirs_bytes += int(LEAK_HEADER.match(header).group(2))
    say(f"{theirs} third-party leak(s) of {theirs_bytes} byte(s) ignored")
    if mine:
        say(f"{len(mine)} leak(s) with a frame of ours: failed")
        for header, frames in mine:
            print(header, file=sys.stderr)
            for fr in frames:
                print(fr, file=sys.stderr)
        return 1
    say("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
