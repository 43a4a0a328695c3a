#!/usr/bin/env bash
# Builds every tests/fuzz/<name>_fuzz.cpp with clang's libFuzzer, ASan and
# UBSan, and runs each for a bounded time. A target names the program
# sources it needs on a line "// fuzz-sources: a.cpp b.cpp" (paths from the
# repository root) and may name Qt modules on "// fuzz-qt: Qt6Core Qt6Xml".
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
OUT="$ROOT/build/fuzz"
SECONDS_EACH="${VELM_FUZZ_SECONDS:-20}"
mkdir -p "$OUT"
CXX="$(command -v clang++ || command -v clang++-14 || true)"
if [ -z "$CXX" ]; then
  echo "fuzz: clang++ not found" >&2
  exit 1
fi
status=0
for src in "$ROOT"/tests/fuzz/*_fuzz.cpp; do
  [ -f "$src" ] || continue
  name="$(basename "$src" .cpp)"
  sources=$(sed -n 's#^// fuzz-sources: ##p' "$src" | tr '\n' ' ')
  qt=$(sed -n 's#^// fuzz-qt: ##p' "$src" | tr '\n' ' ')
  [ -n "$qt" ] || qt="Qt6Core"
  abs=()
  for s in $sources; do abs+=("$ROOT/$s"); done
  echo "fuzz: building $name"
  # shellcheck disable=SC2046
  "$CXX" -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$ROOT" -I"$ROOT/app" -I"$ROOT/common" -I"$ROOT/serial" -I"$ROOT/terminal" -I"$ROOT/network" -I"$ROOT/devices" -I"$ROOT/tools" \
    $(pkg-config --cflags $qt) "$src" "${abs[@]}" $(pkg-config --libs $qt) -o "$OUT/$name"
  corpus="$OUT/${name}_corpus"
  mkdir -p "$corpus"
  seeds="$ROOT/tests/fuzz/${name%_fuzz}_seeds"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: running $name for ${SECONDS_EACH}s"
  if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
       "$OUT/$name" -max_total_time="$SECONDS_EACH" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=0 \
       "$corpus" > "$OUT/$name.log" 2>&1; then
    echo "fuzz: $name FAILED" >&2
    tail -40 "$OUT/$name.log" >&2
    status=1
  else
    echo "fuzz: $name clean ($(grep -c '^#' "$OUT/$name.log" || true) status lines)"
  fi
done
exit $status
