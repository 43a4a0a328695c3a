#!/usr/bin/env python3
"""Some committed files are written by scripts from other committed files
(the main form from its page fragments, the converter's form and catalogues
from the unit tables, the CIE diagram). This check runs each script on a
scratch copy of what it reads and compares what it writes, byte for byte,
with the committed files, so a fragment or table edited without running its
script fails here, and so does a hand edit of a written file.

Usage: generated_files.py [REPOSITORY]   (default: the one holding this file)
"""
import difflib
import glob
import os
import shutil
import subprocess
import sys
import tempfile

# Each script, as run from the repository root; the files it reads (glob
# patterns; a file it rewrites in place is read too) and the files it writes,
# or the one file its standard output goes to.
GENERATORS = [
    {
        "script": "scripts/assemble_ui.py",
        "reads": ["forms/mainwindow.ui", "forms/_pages/*.xml"],
        "writes": ["forms/mainwindow.ui"],
    },
    {
        "script": "tools/convert/gen/make_form.py",
        "reads": ["tools/convert/gen/*.py", "tools/convert/unittables.cpp", "tools/convert/currencyrates.cpp"],
        "writes": [
            "tools/convert/kalvest_convert.ui",
            "resources/translations/transSimpleChinese/convert.ts",
            "resources/translations/transSimpleChinese/currency.ts",
            "resources/translations/i18n_zh_CN/currency.ts",
        ],
    },
    {
        "script": "scripts/cie1931_svg.py",
        "reads": [],
        "stdout": "resources/images/cie1931.svg",
    },
]


def copy(root, scratch, relative):
    target = os.path.join(scratch, relative)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copyfile(os.path.join(root, relative), target)


def show_difference(committed, regenerated, name):
    try:
        a = committed.decode("utf-8").splitlines(keepends=True)
        b = regenerated.decode("utf-8").splitlines(keepends=True)
    except UnicodeDecodeError:
        return
    diff = list(difflib.unified_diff(a, b, "committed " + name, "regenerated " + name))
    sys.stdout.writelines(diff[:40])
    if len(diff) > 40:
        print("... (%d more lines of difference)" % (len(diff) - 40))


def check(root, generator, scratch):
    """Returns the list of committed files that differ from what the script writes."""
    script = generator["script"]
    outputs = generator.get("writes") or [generator["stdout"]]
    for pattern in [script] + generator["reads"]:
        matches = glob.glob(os.path.join(root, pattern))
        if not matches:
            print("%s: nothing matches %s" % (script, pattern))
            return [pattern]
        for path in matches:
            copy(root, scratch, os.path.relpath(path, root))
    for relative in outputs:
        os.makedirs(os.path.dirname(os.path.join(scratch, relative)), exist_ok=True)
    env = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
    run = subprocess.run([sys.executable, os.path.join(scratch, script)], cwd=scratch, env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if run.returncode != 0:
        print("%s failed (exit %d):\n%s" % (script, run.returncode, run.stderr.decode(errors="replace")))
        return outputs
    if "stdout" in generator:
        with open(os.path.join(scratch, generator["stdout"]), "wb") as f:
            f.write(run.stdout)
    stale = []
    for relative in outputs:
        written = os.path.join(scratch, relative)
        if not os.path.isfile(written):
            print("%s wrote no %s" % (script, relative))
            stale.append(relative)
            continue
        with open(written, "rb") as f:
            regenerated = f.read()
        with open(os.path.join(root, relative), "rb") as f:
            committed = f.read()
        if regenerated != committed:
            show_difference(committed, regenerated, relative)
            stale.append(relative)
    return stale


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
    failures = 0
    for generator in GENERATORS:
        with tempfile.TemporaryDirectory(prefix="velm-generated-") as scratch:
            stale = check(root, generator, scratch)
        script = generator["script"]
        command = "python3 %s" % script
        if "stdout" in generator:
            command += " > %s" % generator["stdout"]
        if stale:
            failures += 1
            print("NOT UP TO DATE: %s\n  not what `%s` writes from its sources;"
                  " run it in the repository root and commit the result." % (", ".join(stale), command))
        else:
            print("up to date: %s (%s)" % (", ".join(generator.get("writes") or [generator["stdout"]]), script))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
