# Sanitizer settings of the sanitized test run (sourced by run-test.sh, so
# a test started by hand through it gets the same).
_velm_sanitize_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# The first ASan or UBSan report ends the test.
# Stacks are walked by frame pointers (the build keeps them), also for
# reports: the slow unwinder deadlocks in Mesa's llvmpipe, whose JIT code
# has no unwind tables.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:fast_unwind_on_fatal=1:fast_unwind_on_malloc=1:detect_stack_use_after_return=0:suppressions=$_velm_sanitize_dir/asan.supp${VELM_ASAN_OPTIONS:+:$VELM_ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$_velm_sanitize_dir/ubsan.supp"
# Leaks are sorted by leakfilter.py; lsan.supp lists third-party stacks only.
export LSAN_OPTIONS="suppressions=$_velm_sanitize_dir/lsan.supp:print_suppressions=0"
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ]; then
  for s in llvm-symbolizer /usr/lib/llvm-14/bin/llvm-symbolizer; do
    if command -v "$s" >/dev/null 2>&1; then
      export ASAN_SYMBOLIZER_PATH="$(command -v "$s")"
      break
    fi
  done
fi
unset _velm_sanitize_dir
