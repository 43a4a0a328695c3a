#!/usr/bin/env python3
"""Text box benchmark: makes the inputs and their references, runs one
textbox_bench process per case and size, and prints
    case=<name> bytes=<int> ms=<int> ok=<0|1>
ok=1 when the box's plain text equals the reference computed here (Python's
base64, UTF-16 code units), independently of the program. On stderr: the
CPU time the GUI thread spent on each case (the wall-clock time grows with
whatever else the machine runs), and the load average at the end.

Environment: TEXTBOX_SIZES (bytes, comma-separated; default 1 MiB and
10 MiB), TEXTBOX_CASES (names, comma-separated; default all),
TEXTBOX_LIMIT_S (seconds a case may take, start-up and untimed paste of
the input included; default 180). A case that runs out of time prints
ms=<limit> ok=0 and says so on stderr."""
import base64, os, random, shutil, subprocess, sys, tempfile, time

bench = sys.argv[1]
MIB = 1024 * 1024
sizes = [int(s) for s in os.environ.get('TEXTBOX_SIZES', f'{MIB},{10 * MIB}').split(',')]
all_cases = ['base64_encode', 'base64_decode', 'to_escapes', 'from_escapes', 'paste_source', 'serial_send_paste']
cases = [c for c in os.environ.get('TEXTBOX_CASES', ','.join(all_cases)).split(',') if c]
limit_s = float(os.environ.get('TEXTBOX_LIMIT_S', '180'))

# Letters and digits of several scripts, one outside the Basic Multilingual
# Plane: no line-break opportunity between any two of them, so the text is
# one unbroken line; it exercises UTF-8 and surrogate pairs.
ASCII = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'
OTHER = 'éßøжщωλ\U0001D400'


POOL = ASCII * 3 + OTHER  # about one character in twenty is not ASCII


def unbroken(budget, size_of, seed, pool=POOL):
    """Unbroken text whose sizes (by size_of) add up to exactly budget."""
    rnd = random.Random(seed)
    out, total = [], 0
    while total < budget:
        for c in rnd.choices(pool, k=max(1, (budget - total) // 2)):
            n = size_of(c)
            if total + n > budget:
                break
            out.append(c)
            total += n
        else:
            continue
        out.extend('x' * (budget - total))
        total = budget
    return ''.join(out)


def unbroken_text(nbytes, seed, pool=POOL):
    """Unbroken text of exactly nbytes UTF-8 bytes."""
    return unbroken(nbytes, lambda c: len(c.encode('utf-8')), seed, pool)


def unbroken_units(nunits, seed):
    """Unbroken text of exactly nunits UTF-16 code units."""
    return unbroken(nunits, lambda c: 2 if ord(c) > 0xFFFF else 1, seed)


def utf16_escapes(text):
    data = text.encode('utf-16-be')
    return ''.join('%02X%02X' % (data[i], data[i + 1]) for i in range(0, len(data), 2))


def make(case, nbytes):
    """(input text, reference text) of one case; the input is nbytes of UTF-8."""
    if case == 'base64_encode':
        # Letters and digits only: their Base64 has no '+' or '/', so the
        # result is one run without a break point too.
        text = unbroken_text(nbytes, 1, ASCII)
        return text, base64.b64encode(text.encode('utf-8')).decode('ascii')
    if case == 'base64_decode':
        text = unbroken_text(nbytes * 3 // 4, 2)
        return base64.b64encode(text.encode('utf-8')).decode('ascii'), text
    if case == 'to_escapes':
        text = unbroken_text(nbytes, 3)
        return text, utf16_escapes(text)
    if case == 'from_escapes':
        text = unbroken_units(nbytes // 4, 4)
        return utf16_escapes(text), text
    text = unbroken_text(nbytes, 5)  # paste_source, serial_send_paste
    return text, text


def main():
    work = tempfile.mkdtemp(prefix='velm-textbox-')
    prefix = []
    if shutil.which('unshare') and subprocess.run(['unshare', '-n', 'true'], stderr=subprocess.DEVNULL).returncode == 0:
        prefix = ['unshare', '-n']  # the program's web page stays on this machine
    try:
        for nbytes in sizes:
            for case in cases:
                text, reference = make(case, nbytes)
                src, out = os.path.join(work, 'in.txt'), os.path.join(work, 'out.txt')
                with open(src, 'w', encoding='utf-8', newline='') as f:
                    f.write(text)
                if os.path.exists(out):
                    os.remove(out)
                size = len(text.encode('utf-8'))
                try:
                    run = subprocess.run(prefix + [bench, case, src, out], capture_output=True, text=True,
                                         timeout=limit_s)
                except subprocess.TimeoutExpired:
                    print(f'{case}: not done after {limit_s:.0f} s', file=sys.stderr)
                    print(f'case={case} bytes={size} ms={int(limit_s * 1000)} ok=0', flush=True)
                    continue
                fields = dict(f.split('=', 1) for l in run.stdout.splitlines() if l.startswith('ms=')
                              for f in l.split())
                ms = fields.get('ms')
                if run.returncode != 0 or ms is None:
                    print(f'{case}: failed ({run.returncode}): {run.stderr.strip()[-300:]}', file=sys.stderr)
                    print(f'case={case} bytes={size} ms=-1 ok=0', flush=True)
                    continue
                with open(out, encoding='utf-8', newline='') as f:
                    ok = f.read() == reference
                print(f'case={case} bytes={size} ms={ms} ok={int(ok)}', flush=True)
                print(f'  {case} {size}: GUI thread CPU {fields.get("cpu_ms")} ms', file=sys.stderr, flush=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f'load average: {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores', file=sys.stderr)


main()
