#!/usr/bin/env python3
"""velm_codecs is built from the list in cmake/00-codecs.cmake; every other
source under the code folders is globbed into velm_core. This check keeps a
widget-free file from landing in velm_core unnoticed: it follows each
source's includes (project headers by bare name, as the build finds them)
to the Qt modules it reaches, and fails for

  - a source that reaches no Qt module beyond Core and Network, has no
    form, and is on neither VELM_CODEC_SOURCES nor
    VELM_CORE_ONLY_KEPT_IN_CORE (it belongs on the first, or on the second
    with its reason);
  - a test that reaches only Core, Network, Test and the Core-only support
    headers but lacks the line "// test-links: codecs" (it would link the
    whole program for nothing).

A listed source that includes a widget header fails the build itself.

Usage: codec_list.py [REPOSITORY]   (default: the one holding this file)
"""
import glob
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
CODE_FOLDERS = ["app", "common", "serial", "terminal", "network", "devices", "tools"]
CORE_MODULES = {"QtCore", "QtNetwork", "QtTest"}
# Support headers a "test-links: codecs" test may use (tests/CMakeLists.txt).
CORE_SUPPORT = {"coresupport.h", "gsmmodem.h", "mqttbroker.h", "ownprogram.h", "scripteddevice.h", "testenv.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def qt_include_dir():
    for d in ("/usr/include/x86_64-linux-gnu/qt6", "/usr/include/aarch64-linux-gnu/qt6", "/usr/include/qt6"):
        if os.path.isdir(os.path.join(d, "QtCore")):
            return d
    return None


QT = qt_include_dir()
_module_of = {}


def qt_module(header):
    """The Qt module a <QFoo> header belongs to, or None."""
    name = header.split("/")[-1]
    if "/" in header and header.split("/")[0].startswith("Qt"):
        return header.split("/")[0]
    if name not in _module_of:
        found = None
        for m in ["QtCore", "QtNetwork", "QtTest"] + sorted(os.listdir(QT)):
            if os.path.exists(os.path.join(QT, m, name)):
                found = m
                break
        _module_of[name] = found
    return _module_of[name]


def read_list(text, name):
    text = "\n".join(line.split("#", 1)[0] for line in text.splitlines())
    m = re.search(r"set\(" + name + r"\s(.*?)\)", text, re.S)
    return m.group(1).split()


def main():
    if QT is None:
        print("codec_list: Qt headers not found")
        return 1
    cmake = open(os.path.join(ROOT, "cmake", "00-codecs.cmake"), encoding="utf-8").read()
    codecs = set(read_list(cmake, "VELM_CODEC_SOURCES"))
    kept = set(read_list(cmake, "VELM_CORE_ONLY_KEPT_IN_CORE"))

    sources = []
    for folder in CODE_FOLDERS:
        for path in glob.glob(os.path.join(ROOT, folder, "**", "*"), recursive=True):
            if path.endswith((".cpp", ".h")) and not path.endswith("_fuzz.cpp"):
                sources.append(os.path.relpath(path, ROOT))
    support = [os.path.relpath(p, ROOT) for p in glob.glob(os.path.join(ROOT, "tests", "support", "*.h"))]
    by_name = {}
    for rel in sorted(sources) + sorted(support):
        by_name.setdefault(os.path.basename(rel), rel)
    known = set(sources) | set(support)

    memo = {}

    def reach(rel, stack=()):
        """Qt modules (and 'form' for a uic header) a file and the .cpp files of
    the headers it includes reach."""
        if rel in memo:
            return memo[rel]
        found = set()
        with open(os.path.join(ROOT, rel), encoding="utf-8", errors="replace") as f:
            for line in f:
                m = INCLUDE.match(line)
                if not m:
                    continue
                quote, header = m.groups()
                base = os.path.basename(header)
                if base.startswith("ui_"):
                    found.add("form")
                    continue
                target = None
                if quote == '"':
                    beside = os.path.normpath(os.path.join(os.path.dirname(rel), header))
                    if beside in known:
                        target = beside
                    elif header in known:
                        target = header
                    else:
                        for folder in CODE_FOLDERS:
                            if os.path.join(folder, header) in known:
                                target = os.path.join(folder, header)
                                break
                        else:
                            target = by_name.get(base) if "/" not in header else None
                if target:
                    if target not in stack:
                        found |= reach(target, stack + (rel,))
                    # A header goes with its .cpp: both land in one library.
                    body = target[:-2] + ".cpp" if target.endswith(".h") else None
                    if body in known and body not in stack and body != rel:
                        found |= reach(body, stack + (rel,))
                elif header.startswith("Q"):
                    found.add(qt_module(header) or "unknown " + header)
        memo[rel] = found
        return found

    problems = []
    for rel in sorted(sources):
        if rel in codecs or rel in kept or rel == "app/main.cpp":
            continue
        modules = set(reach(rel))
        other = rel[:-2] + ".cpp" if rel.endswith(".h") else rel[:-4] + ".h"
        if other in known:
            modules |= reach(other)
        if not (modules - CORE_MODULES):
            problems.append(
                "%s reaches only Qt Core/Network: add it to VELM_CODEC_SOURCES in cmake/00-codecs.cmake "
                "(or to VELM_CORE_ONLY_KEPT_IN_CORE with the reason it stays in velm_core)" % rel)

    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "*", "tst_*.cpp"))):
        rel = os.path.relpath(path, ROOT)
        if re.search(r"/tst_[^/]*_[^/]*\.cpp$", rel):
            continue
        text = open(path, encoding="utf-8", errors="replace").read()
        if re.search(r"^// test-links: codecs$", text, re.M):
            continue
        includes_support = {os.path.basename(m.group(2)) for m in map(INCLUDE.match, text.splitlines())
                            if m and os.path.basename(m.group(2)) in by_name
                            and by_name[os.path.basename(m.group(2))].startswith("tests/support/")}
        if includes_support - CORE_SUPPORT:
            continue
        extra = [os.path.relpath(p, ROOT) for p in glob.glob(path[:-4] + "_*.*")]
        modules = reach(rel)
        for e in extra:
            if e.endswith((".cpp", ".h")):
                known.add(e)
                modules |= reach(e)
        if not (modules - CORE_MODULES):
            problems.append("%s tests widget-free code only: give it the line \"// test-links: codecs\" "
                            "(tests/CMakeLists.txt)" % rel)

    for p in problems:
        print("codec_list:", p)
    if problems:
        return 1
    print("codec_list: %d codec files listed, %d Core-only files kept in velm_core, every source placed"
          % (len(codecs), len(kept)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
