# Sanitizer settings of the sanitized test run (sourced by run-test.sh, so
# a test started by hand through it gets the same).
_velm_sanitize_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# The first ASan or UBSan report ends the test.
# Allocation stacks are walked by frame pointers (ASan's default). Walking
# them through the unwind tables instead (fast_unwind_on_malloc=0) would see
# through Qt, which keeps no frame pointers, but deadlocks in libgcc once
# Mesa's llvmpipe JIT has registered its frames, and makes the window tests
# several times slower than their timeouts allow. So a leak's stack holds
# the frames of ours that frame pointers reach: the code that allocated,
# and its callers up to the first system library.
# new_delete_type_mismatch=0: the check compares the size a sized
# operator delete is given with the allocation. Only code built with sized
# deallocation calls that operator: Qt and its web engine (GCC), whose page
# destructor deletes through the wrong type; clang 14 does not emit it, and
# test.sh checks that no object of ours refers to it, so the check could
# never see code of ours (ASan's suppression file has no entry for it).
export ASAN_OPTIONS="halt_on_error=1:new_delete_type_mismatch=0:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=0:suppressions=$_velm_sanitize_dir/asan.supp"
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
