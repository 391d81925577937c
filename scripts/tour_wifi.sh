#!/usr/bin/env bash
# A tour of the WiFi page on the virtual panel, driven through the touch FIFO
# as a finger would, against the wireless stand-ins' default scenario (from a
# fresh state folder): the Settings tile, both lists after the scan, the
# password dialog and its keyboard, a join with the password typed key by
# key, a wrong password and its message box, a kept network joined with one
# tap, the WiFi switch off and on, and the back icon to the main page. The
# screens land in docs/wifi_tour_*.png.
#
# It starts the interface through scripts/run.sh (so it builds what that
# builds), which uses the fixed framework socket: it holds the lock the
# end-to-end tests take, and stops the interface with Ctrl+C (SIGINT) at the
# end or on an error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/app"
run="$root/run"
docs="$root/docs"
log="$run/tour_wifi.log"
# The scan takes five seconds and a join about ten; this bounds each wait.
wait_limit_s=60

exec 9>/tmp/quorvex-e2e.lock
flock 9

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target panelshot touch_gesture >/dev/null

mkdir -p "$run" "$docs"
rm -rf "$run/wireless" "$run/panel.bmp"
unset QUORVEX_WIFI_SCENARIO
# Line-buffered, so that each log line is there when the page has acted.
stdbuf -oL "$root/scripts/run.sh" >"$log" 2>&1 &
quorvex=$!
stop() {
  kill -INT "$quorvex" 2>/dev/null || true
  wait "$quorvex" 2>/dev/null || true
}
trap stop EXIT

touch_tool() { "$build/tools/touch/touch_gesture" "$run/touch" "$@"; }
tap() { touch_tool tap "$1" "$2"; sleep 0.3; }

# Waits until the log holds at least COUNT lines with TEXT.
wait_for() {
  local count=$1 text=$2 limit=${3:-$wait_limit_s} waited=0
  until [ "$(grep -cF -- "$text" "$log" || true)" -ge "$count" ]; do
    if [ "$waited" -ge $((limit * 10)) ]; then
      echo "tour_wifi: no \"$text\" (#$count) within ${limit}s; see $log" >&2
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
}

shot() {
  sleep 0.5
  "$build/tools/panelshot/panelshot" "$run/panel.bmp" "$docs/wifi_tour_$1.png"
  echo "tour_wifi: docs/wifi_tour_$1.png"
}

# Key centres of the keyboard's lower-case map on the screen.
declare -A key=(
  [q]="92 268" [w]="140 268" [e]="189 268" [r]="237 268" [t]="285 268" [y]="333 268" [u]="381 268"
  [i]="429 268" [o]="477 268" [p]="525 268"
  [a]="123 325" [s]="170 325" [d]="218 325" [f]="265 325" [g]="312 325" [h]="360 325" [j]="407 325"
  [k]="455 325" [l]="502 325"
  [-]="87 382" [z]="139 382" [x]="191 382" [c]="242 382" [v]="294 382" [b]="345 382" [n]="397 382"
  [m]="449 382"
)
type_text() {
  local text=$1 i
  for ((i = 0; i < ${#text}; i++)); do
    # shellcheck disable=SC2086
    tap ${key[${text:i:1}]}
  done
}

# Screen positions.
settings_tile="77 311"
switch="575 32"
back="41 27"
field="320 241"
ok_key="585 439"
okey_button="319 274"
other_row() { echo "150 $((239 + 37 * $1))"; }
my_row() { echo "150 $((110 + 37 * $1))"; }

# run.sh builds first: the first run of a fresh checkout takes minutes.
wait_for 1 "ui_user_init done" 1800
sleep 1

# shellcheck disable=SC2046
{
  tap $settings_tile
  wait_for 1 "[WiFi-UI] scan complete"
  shot 01_lists

  # 其他网络, strongest first: Living-Room, 我的网络, Cafe Guest, ...
  tap $(other_row 1)
  shot 02_dialog
  tap $field
  type_text battery-staple
  sleep 1.6
  shot 03_keyboard
  tap $ok_key
  shot 04_connecting
  wait_for 1 "[WiFi-UI] Connection SUCCESS"
  shot 05_connected

  # The field keeps the password typed for the other network: wrong here.
  tap $(other_row 0)
  tap $field
  tap $ok_key
  wait_for 1 "[WiFi-UI] Connection FAILED: Wrong password"
  shot 06_wrong_password
  tap $okey_button

  # 我的网络: the joined network first, then Living-Room, kept at start.
  tap $(my_row 1)
  wait_for 2 "[WiFi-UI] Connection SUCCESS"
  shot 07_kept_joined

  tap $switch
  wait_for 2 "[WiFi-UI] scan complete"
  tap $switch
  shot 08_switched_off
  tap $switch
  wait_for 3 "[WiFi-UI] scan complete"
  shot 09_switched_on

  tap $back
  wait_for 1 "btn_back info father id 0"
  shot 10_main_page
}
echo "tour_wifi: done; the interface's log is $log"
