#!/usr/bin/env bash
# Installs what the suite needs, then builds and runs it three times: a plain
# build, AddressSanitizer + UndefinedBehaviorSanitizer, and ThreadSanitizer for
# the tests labelled "threaded". Any failure, and any compiler warning in our
# code, fails the command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

jobs=$(nproc)
suite() {
  local name=$1 label=$2; shift 2
  local dir="$root/build/$name"
  echo "=== $name build ==="
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "=== $name tests ==="
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" ${label:+-L "$label"}
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

suite plain ""
suite asan-ubsan "" -DQUORVEX_SANITIZE=address,undefined
suite tsan threaded -DQUORVEX_SANITIZE=thread
