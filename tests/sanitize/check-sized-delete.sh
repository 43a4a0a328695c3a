#!/usr/bin/env bash
# usage: check-sized-delete.sh BUILD-DIR
# The sanitized run turns off ASan's check of sized operator delete (see
# env.sh), which only code built with sized deallocation reaches. This
# fails when an object file of ours refers to a sized delete, so that the
# setting can never hide a report about code of ours.
set -euo pipefail
dir="$1"
found=$(find "$dir" -name '*.o' -print0 | xargs -0 -r nm --undefined-only 2>/dev/null \
          | grep -E ' U _Zd[la]PvmSt11align_val_t$| U _Zd[la]Pvm$' | sort -u || true)
if [ -n "$found" ]; then
  echo "sanitize: code of ours calls a sized operator delete; ASan's new_delete_type_mismatch" >&2
  echo "check must not stay off (tests/sanitize/env.sh):" >&2
  echo "$found" >&2
  exit 1
fi
echo "sanitize: no object of ours calls a sized operator delete"
