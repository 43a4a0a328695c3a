#!/usr/bin/env python3
"""Runs the program a few times and watches the X server for its windows.

The splash window appears right before the splash wait starts; the wait lasts
3000 ms, so the end of the wait is (splash appeared + 3000 ms). The main
window's X window is created when it is shown. The program runs in a scratch
working directory (no settings file) and, where possible, in a network
namespace of its own, so nothing leaves the machine."""
import os, re, shutil, subprocess, sys, tempfile, time

velm = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
SPLASH_MS = 3000


def toplevels():
    out = subprocess.run(['xwininfo', '-root', '-children'], capture_output=True, text=True).stdout
    return out


def rss_mb(pid):
    with open(f'/proc/{pid}/status') as f:
        for line in f:
            if line.startswith('VmRSS:'):
                return int(line.split()[1]) // 1024
    return 0


def webengine_children(pid):
    """Helper processes of the web engine that the program has started."""
    count = 0
    try:
        tasks = os.listdir(f'/proc/{pid}/task')
    except OSError:
        return 0
    for task in tasks:
        try:
            with open(f'/proc/{pid}/task/{task}/children') as f:
                children = f.read().split()
        except OSError:
            continue
        for child in children:
            try:
                with open(f'/proc/{child}/cmdline', 'rb') as f:
                    if b'QtWebEngineProcess' in f.read():
                        count += 1
            except OSError:
                pass
    return count


def one_run():
    work = tempfile.mkdtemp(prefix='velm-bench-')
    cmd = [velm]
    if shutil.which('unshare') and subprocess.run(['unshare', '-n', 'true']).returncode == 0:
        cmd = ['unshare', '-n'] + cmd
    before = set(re.findall(r'^\s+(0x[0-9a-f]+)', toplevels(), re.M))
    proc = subprocess.Popen(cmd, cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    splash_t = main_t = None
    rss = 0
    web = 0
    deadline = time.monotonic() + 60
    try:
        while time.monotonic() < deadline and main_t is None:
            now = time.monotonic()
            listing = toplevels()
            for m in re.finditer(r'^\s+(0x[0-9a-f]+) (.*)$', listing, re.M):
                wid, rest = m.group(1), m.group(2)
                if wid in before:
                    continue
                if splash_t is None and re.search(r'\b640x360\+', rest):
                    splash_t = now
                if 'Kalvest -- VELM Ver' in rest:
                    main_t = now
                    # The program itself (unshare execs it, so the pid is the same).
                    rss = rss_mb(proc.pid)
                    # Half a second on, no page has asked for the web engine.
                    time.sleep(0.5)
                    web = webengine_children(proc.pid)
                    break
            time.sleep(0.005)
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
        shutil.rmtree(work, ignore_errors=True)
    if splash_t is None or main_t is None:
        raise SystemExit('startup bench: windows not seen (splash=%s main=%s)' % (splash_t, main_t))
    return max(0, int(round((main_t - splash_t) * 1000)) - SPLASH_MS), rss, web


results = [one_run() for _ in range(runs)]
after = sorted(r[0] for r in results)[len(results) // 2]
rss = max(r[1] for r in results)
web = max(r[2] for r in results)
print(f'after_splash_ms={after} rss_mb={rss} webengine_processes={web}')
