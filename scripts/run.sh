#!/usr/bin/env bash
# Builds quorvex and runs it on the virtual panel from the working directory
# run/: the panel image is run/panel.bmp, touches come through the FIFO
# run/touch (see tools/touch), Ctrl+C stops it. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build/app"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
services=(airplay_run spotify_run airable_run)
cmake --build "$build" -j "$(nproc)" --target quorvex touch_gesture panelshot platform_programs background_image \
  "${services[@]}"

run="$root/run"
mkdir -p "$run"
# Any TrueType font with the Latin and Chinese glyphs serves under this name.
font_src=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
font="$run/HarmonyOS_Sans_SC_Medium.ttf"
cmp -s "$font_src" "$font" 2>/dev/null || cp "$font_src" "$font"
# Any PNG serves as the home page's background; the build draws one.
cp "$build/run/background_image_8.png" "$run/background_image_8.png"
for s in "${services[@]}"; do
  # --remove-destination: a service left running keeps its old file.
  cp --remove-destination "$build/run/$s" "$run/$s"
done
[ -p "$run/touch" ] || { rm -f "$run/touch"; mkfifo "$run/touch"; }

# The wireless stand-ins answer from this scenario, or from another named in
# the environment; the default one keeps its state in run/wireless (delete
# that folder to start afresh).
scenario="${QUORVEX_WIFI_SCENARIO:-$root/platform/wireless/default.scenario}"

cd "$run"
echo "run: panel $run/panel.bmp, touch FIFO $run/touch, Ctrl+C to stop"
# Our stand-ins of the board's programs come first on the interface's PATH.
exec env "/dev/input/touchscreen0=$run/touch" LV_LINUX_DRM_CARD="$run/panel.bmp" \
  QUORVEX_WIFI_SCENARIO="$scenario" PATH="$build/platform/bin:$PATH" "$build/src/quorvex"
