#!/usr/bin/env bash
# Runs one test executable of the sanitized build (the CTest launcher of a
# build configured with VELM_SANITIZE). The sanitizers' settings come from
# env.sh; the test's output goes through unchanged and is kept for
# leakfilter.py, which decides whether a failing exit is only third-party
# leaks.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"
out="$(mktemp /tmp/velm-sanitized.XXXXXX)"
trap 'rm -f "$out"' EXIT
"$@" 2>&1 | tee "$out"
code=${PIPESTATUS[0]}
python3 "$here/leakfilter.py" "$out" "$code" "${VELM_SOURCE_DIR:-$(cd "$here/../.." && pwd)}"
