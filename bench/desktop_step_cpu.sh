#!/usr/bin/env bash
# Processor time per Right step of a desktop program as a whole process: the
# program is started on RECORD in a virtual X server, its window made
# 1600 x 1000, and STEPS presses of Right are sent once it is idle; the
# process's user and system time between idle before and idle after, divided
# by STEPS, is printed. Run it for vantaro and for a peer in turns, several
# times, and compare medians (the clock ticks are 10 ms, so use 200 steps or
# more, fewer than the record's main line has moves).
#   bench/desktop_step_cpu.sh STEPS RECORD PROGRAM [ARGUMENTS...]
# Needs Xvfb and xdotool. vantaro runs with its settings and recovery folder
# in a temporary folder.
set -euo pipefail
steps=$1 record=$2
shift 2
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1200x24 >/dev/null 2>&1 &
server=$!
home=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; rm -rf "$home"' EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$home/config XDG_STATE_HOME=$home/state
sleep 1
"$@" "$record" >/dev/null 2>&1 &
program=$!
window=
for _ in $(seq 1 120); do
  window=$(xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -1) && break
  sleep 0.5
done
[ -n "$window" ] || { echo "no window" >&2; kill "$program"; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$program/stat"; }
wait_idle() {
  local before after
  before=$(ticks)
  while sleep 1.5; after=$(ticks); [ "$before" != "$after" ]; do before=$after; done
}
xdotool windowsize "$window" 1600 1000 windowmove "$window" 0 0 windowfocus --sync "$window"
wait_idle
start=$(ticks)
for _ in $(seq 1 "$steps"); do
  xdotool key Right
  sleep 0.03
done
wait_idle
end=$(ticks)
kill "$program"
python3 -c "print(f'{($end - $start) / $(getconf CLK_TCK) * 1000 / $steps:.2f} ms per step')"
