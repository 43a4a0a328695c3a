#!/usr/bin/env python3
"""Qt Test runs a test class's private slots and nothing else: a test
function declared anywhere else in the class compiles, links and is never
called, so the test it holds passes by not running. This check fails for
such a function in every Qt Test class of the tests (a class handed to
VELM_TEST_MAIN, VELM_CORE_TEST_MAIN or a QTEST_*MAIN macro).

A member function is test-shaped when it returns void, takes no
arguments and is not static. Outside the "private slots:" section of its
class, such a function is a fault when

  - its name is one Qt Test gives a meaning to (initTestCase,
    initTestCase_data, cleanupTestCase, init, cleanup) or ends in "_data";
  - or nothing in the class's files calls or names it apart from its
    declaration and its definition: a helper is called by the tests, a
    test outside the slots by no one.

Usage: qtest_slots.py [REPOSITORY]           checks REPOSITORY/tests
       qtest_slots.py --expect FILE...        checks the files given and
           fails unless the faults found are exactly the names the files
           list on lines "// expect-fault: NAME" (the check's own test)
"""
import glob
import os
import re
import sys

MAIN_MACRO = re.compile(r"\b(?:VELM_TEST_MAIN|VELM_CORE_TEST_MAIN|QTEST_(?:[A-Z]+_)?MAIN)\s*\(\s*(\w+)\s*\)")
SPECIAL = {"initTestCase", "initTestCase_data", "cleanupTestCase", "init", "cleanup"}
SECTION = re.compile(r"\b(public|protected|private)\s*(slots|Q_SLOTS)?\s*:(?!:)|\b(signals|Q_SIGNALS)\s*:(?!:)")
VOID_NO_ARGS = re.compile(
    r"(?P<static>\bstatic\s+)?(?:\bvirtual\s+)?\bvoid\s+(?P<name>\w+)\s*\(\s*(?:void\s*)?\)\s*(?:const\s*)?"
    r"(?:(?:override|final|noexcept)\s*)*(?=[;{=])")


def strip_code(text):
    """Comments, string and character literals blanked (newlines kept)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            # Raw strings are not used in the tests' class bodies; a plain
            # literal ends at its unescaped quote.
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def class_bodies(code, name):
    """Bodies (text between the braces) of every definition of class NAME."""
    for m in re.finditer(r"\b(?:class|struct)\s+" + re.escape(name) + r"\b[^;{()]*\{", code):
        depth, i = 1, m.end()
        while i < len(code) and depth:
            depth += {"{": 1, "}": -1}.get(code[i], 0)
            i += 1
        yield m.group(0).lstrip().startswith("struct"), code[m.end():i - 1]


def flatten(body):
    """The body with the contents of nested braces removed."""
    out, depth = [], 0
    for c in body:
        if c == "{":
            if depth == 0:
                out.append("{")
            depth += 1
        elif c == "}":
            depth -= 1
            if depth == 0:
                out.append("}")
        elif depth == 0:
            out.append(c)
    return "".join(out)


def declarations(flat, is_struct):
    """(section, name, static, offset) of each void no-argument member."""
    marks = [(m.start(), m.group(0)) for m in SECTION.finditer(flat)]
    for m in VOID_NO_ARGS.finditer(flat):
        section = "public:" if is_struct else "private:"
        for at, label in marks:
            if at < m.start():
                section = re.sub(r"\s+", " ", label.replace(":", "")).strip()
        yield section, m.group("name"), bool(m.group("static"))


def faults_in(files, checked=None):
    """(file, class, name, why) for every fault in the given files; the
    classes checked are added to the set CHECKED when one is given."""
    codes = {}
    for f in files:
        with open(f, encoding="utf-8", errors="replace") as fh:
            codes[f] = strip_code(fh.read())
    found = []
    for f, code in codes.items():
        for cls in sorted(set(MAIN_MACRO.findall(code))):
            # The class and its members live in this file or a header of
            # the same name beside it.
            group = [g for g in codes if os.path.splitext(g)[0] == os.path.splitext(f)[0]]
            text = "\n".join(codes[g] for g in group)
            for is_struct, body in class_bodies(text, cls):
                if checked is not None:
                    checked.add((f, cls))
                for section, name, static in declarations(flatten(body), is_struct):
                    if static or section in ("private slots", "private Q_SLOTS"):
                        continue
                    if name in SPECIAL or name.endswith("_data"):
                        found.append((f, cls, name, "Qt Test calls it only under private slots:"))
                        continue
                    # Every mention that is neither the declaration nor a
                    # definition "void Class::name(".
                    uses = len(re.findall(r"\b" + re.escape(name) + r"\b", text))
                    defs = len(re.findall(r"\bvoid\s+" + re.escape(cls) + r"\s*::\s*" + re.escape(name) + r"\b", text))
                    decls = len(re.findall(r"\bvoid\s+" + re.escape(name) + r"\s*\(", text))
                    if uses - defs - decls <= 0:
                        found.append((f, cls, name, "declared under %s: and called by no one, so it never runs" % section))
    return found


def main(argv):
    if argv and argv[0] == "--expect":
        files = argv[1:]
        expected = set()
        for f in files:
            with open(f, encoding="utf-8") as fh:
                expected |= set(re.findall(r"//\s*expect-fault:\s*(\w+)", fh.read()))
        got = {name for _, _, name, _ in faults_in(files)}
        if got != expected:
            print("expected faults %s, found %s" % (sorted(expected), sorted(got)))
            return 1
        print("found exactly the expected faults: %s" % ", ".join(sorted(got)))
        return 0
    root = os.path.abspath(argv[0] if argv else os.path.join(os.path.dirname(__file__), "..", ".."))
    files = [f for f in glob.glob(os.path.join(root, "tests", "**", "*.cpp"), recursive=True)
             + glob.glob(os.path.join(root, "tests", "**", "*.h"), recursive=True)
             if os.sep + "data" + os.sep not in os.path.relpath(f, root)]
    checked = set()
    faults = faults_in(sorted(files), checked)
    classes = len(checked)
    if classes == 0:
        print("no Qt Test class found under %s/tests" % root)
        return 1
    for f, cls, name, why in faults:
        print("%s: %s::%s() %s; put it under private slots: (or call it, or remove it)"
              % (os.path.relpath(f, root), cls, name, why))
    if faults:
        return 1
    print("%d Qt Test classes: every test-shaped function is a private slot or is called" % classes)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
