#!/usr/bin/env bash
# Takes the interface through its tour: quorvex with the service stand-ins on
# the virtual panel, touched through its touch FIFO step by step (the AirPlay
# tile and the transport, the Radio tile, the radio list window by window, a
# folder, a station, the Spotify tile). After each step it checks what the
# interface printed and shows, and saves the panel as a picture:
# docs/tour/<step>.png and docs/tour/README.md (or into the folder given).
#
# It binds the fixed framework socket and kills the services by name, so it
# takes the lock the end-to-end tests take, and waits while one runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/app"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorvex_tour

out=${1:-"$root/docs/tour"}
exec flock /tmp/quorvex-e2e.lock "$build/tools/tour/quorvex_tour" "$out"
