#!/usr/bin/env bash
# Takes the interface through its tour: quorvex with the service stand-ins on
# the virtual panel, touched through its touch FIFO step by step (the AirPlay
# tile and the transport, the Radio tile, the radio list window by window, a
# folder, a station, the Spotify tile). After each step it checks what the
# interface printed and shows, and saves the panel as a picture:
# docs/tour/<step>.png and docs/tour/README.md (or into the folder given).
#
# It binds the fixed framework socket and kills the services by name, so it
# runs in PID and mount namespaces of its own where the machine allows
# (tests/support/isolate.cpp), as the tests that start quorvex do: the
# processes it probes and kills are its own. It also takes the lock that
# end-to-end runs on this machine take, and waits while one runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/app"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorvex_tour test_isolate

out=$(realpath -m "${1:-"$root/docs/tour"}")
mkdir -p "$out"
isolate=("$build/tests/support/test_isolate")
# The namespaces have a /tmp of their own: the checkout and the pictures'
# folder stay in sight when they lie below the machine's.
if "${isolate[0]}" --probe; then
  isolate+=(--keep "$root" --keep "$out")
else
  isolate+=(--shared)
fi
exec flock /tmp/quorvex-e2e.lock "${isolate[@]}" "$build/tools/tour/quorvex_tour" "$out"
