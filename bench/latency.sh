#!/usr/bin/env bash
# What a user feels of Tarvik's speed, under Wine on a virtual X display: the
# median of several runs of
#   (a) start to first visible window, for Tarvik.exe and for a bare window
#       program (bench/bare_window.cpp, the floor), started in turns;
#   (b) hotkey press (Alt+Space, with the bare window in front) to the
#       calculator's window on screen;
#   (c) keystroke to the answer display drawn again, with "Show NC Ans" on;
#   (d) Page Down to the history list (50 entries) on screen;
#   (e) working set (resident memory) after the start, and after 10,000
#       evaluations typed into the calculator,
# with the ratios to the floor and, from Tarvik's own step trace (the
# environment variable TARVIK_TRACE), the time the program itself takes.
# Not a test: it is run by hand or by scripts/bench.sh. It fails loudly when
# a measurement cannot be taken.
#
# Usage: bench/latency.sh [RUNS] [EVALUATIONS]     (defaults 15 and 10000)
# Needs a Windows build (scripts/build.sh windows); TARVIK_BUILD names another.
# TARVIK_KEEP_RUN=1 keeps the run folder, with the step trace, for a look.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
evaluations=${2:-10000}
build="${TARVIK_BUILD:-$root/build/windows}"
out="$root/build/latency"
tarvik_exe="$build/Tarvik.exe"
probe_exe="$build/tests/tarvik-probe.exe"
mkdir -p "$out"

die() { echo "latency: $*" >&2; exit 1; }
[ -f "$tarvik_exe" ] && [ -f "$probe_exe" ] || die "no Windows build in $build (scripts/build.sh windows)"

# The helpers: the X side (XTest key presses, map and damage events) and the floor.
gcc -O2 -o "$out/x_latency" "$root/bench/x_latency.c" -lX11 -lXtst -lXdamage ||
  die "cannot build the X helper (libx11-dev, libxtst-dev, libxdamage-dev: scripts/setup.sh)"
x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -o "$out/bare_window.exe" "$root/bench/bare_window.cpp" ||
  die "cannot build the bare window program"
x="$out/x_latency"

source "$root/scripts/wine-env.sh" "$out/prefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
source "$root/scripts/xvfb.sh"
# A running Wine, as on a desktop where the user has logged in.
wineserver -p 2>/dev/null || true  # already running is fine
wine wineboot </dev/null >/dev/null 2>&1 || true

run_dir=$(mktemp -d "$out/run.XXXXXX")
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  [ -n "${TARVIK_KEEP_RUN:-}" ] || rm -rf "$run_dir"
}
trap cleanup EXIT

# The calculator's folder as a user's would be after some use: 50 history
# entries, a few variables, the answer shown while typing.
cp "$tarvik_exe" "$run_dir/"
for i in $(seq 50); do printf '%d*%d = %d\r\n' "$i" "$i" $((i * i)); done >"$run_dir/history.txt"
for name in a b c d e f g h; do printf '%s = %d\r\n' "$name" "${#name}"; done >"$run_dir/var.txt"
printf '[Option]\r\nShow NC Ans=Yes\r\nESC Hide=No\r\n' >"$run_dir/Tarvik.ini"

probe() { (cd "$run_dir" && wine "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'); }
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
gone() { ! kill -0 "$1" 2>/dev/null; }
wait_gone() {
  for _ in $(seq 100); do gone "$1" && return 0; sleep 0.1; done
  die "process $1 did not end"
}

# start TITLE COMMAND...: sets start_ms, start_pid and start_window.
start() {
  local title=$1; shift
  local result
  result=$("$x" start "$title" "$@") || die "$title did not start"
  read -r start_ms start_pid start_window <<<"$result"
  started+=("$start_pid")
}
start_bare() { start bare wine "$out/bare_window.exe"; }
start_tarvik() { start Tarvik env -C "$run_dir" "$@" wine "$run_dir/Tarvik.exe"; }
# The Wine server and desktop go on tidying up for a moment after a process
# ends (a killed one most of all), and a start in that moment is slower:
# each program is started on a settled system, as at a user's desktop.
settle() { sleep 1; }
stop_bare() { kill "$1"; wait_gone "$1"; settle; }
stop_tarvik() { probe close >/dev/null || true; wait_gone "$1"; settle; }

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One start of each first: the files Wine reads are in the cache from then on.
start_bare; stop_bare "$start_pid"
start_tarvik; stop_tarvik "$start_pid"

echo "Tarvik latency under $(wine --version) on $(nproc) cores, median of $runs runs"

# (a) Start to first visible window, in turns; resident memory after the start.
bare_starts=() tarvik_starts=() bare_memory=() tarvik_memory=()
for _ in $(seq "$runs"); do
  start_bare
  sleep 1; bare_memory+=("$(resident_kb "$start_pid")")
  bare_starts+=("$start_ms"); stop_bare "$start_pid"
  start_tarvik
  sleep 1; tarvik_memory+=("$(resident_kb "$start_pid")")
  tarvik_starts+=("$start_ms"); stop_tarvik "$start_pid"
done
bare_start=$(printf '%s\n' "${bare_starts[@]}" | median)
tarvik_start=$(printf '%s\n' "${tarvik_starts[@]}" | median)
# Wine's own start-up time drifts over a run and varies from one start to the
# next by more than the program's part of it; each Tarvik start is also set
# against the bare start just before it, and the median of those ratios given.
paired_ratio=$(for i in "${!bare_starts[@]}"; do ratio "${tarvik_starts[$i]}" "${bare_starts[$i]}"; echo; done | median)
quartiles() { sort -n | awk '{ v[NR] = $1 } END { printf "%s-%s", v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'; }
bare_spread=$(printf '%s\n' "${bare_starts[@]}" | quartiles)
tarvik_spread=$(printf '%s\n' "${tarvik_starts[@]}" | quartiles)
bare_kb=$(printf '%s\n' "${bare_memory[@]}" | median)
tarvik_kb=$(printf '%s\n' "${tarvik_memory[@]}" | median)

# The steps of one traced start, in milliseconds since the process was created.
trace="$run_dir/trace.txt"
rm -f "$trace"
start_tarvik TARVIK_TRACE="$(winepath -w "$trace" 2>/dev/null)"
sleep 1; stop_tarvik "$start_pid"
# A build from before the trace existed writes none: the steps are left out.
start_steps=$(tr -d '\r' <"$trace" 2>/dev/null || echo "(no trace)")
rm -f "$trace"

# (b) to (e) on one traced calculator, with the bare window as the
# application in front when the hotkey is pressed.
start_bare; front=$start_window; bare_pid=$start_pid
start_tarvik TARVIK_TRACE="$(winepath -w "$trace" 2>/dev/null)"
calculator=$start_window; tarvik_pid=$start_pid
"$x" hotkey "$calculator" "$calculator" >/dev/null || die "the hotkey did not hide the calculator"

hotkey_runs=() key_runs=() list_runs=()
for _ in $(seq "$runs"); do
  hotkey_runs+=("$("$x" hotkey "$calculator" "$front")") || die "the hotkey was not seen"
  "$x" hotkey "$calculator" "$calculator" >/dev/null || die "the hotkey did not hide the calculator"
done
"$x" hotkey "$calculator" "$front" >/dev/null || die "the hotkey was not seen"
for digit in $(seq "$runs"); do
  key_runs+=("$("$x" key "$calculator" "$((digit % 10))")") || die "the answer did not follow a keystroke"
done
[ -n "$(probe text 1)" ] || die "the answer display stayed empty while typing"
for _ in $(seq "$runs"); do
  list_runs+=("$("$x" popup "$calculator" Next)") || die "Page Down did not open the history list"
done

# Own time: from the message's arrival to the work done, as the trace tells.
own_time() { # FIRST LAST: median of the spans from each FIRST to the LAST after it
  tr -d '\r' <"$trace" 2>/dev/null | awk -v first="$1" -v last="$2" '
    { step = substr($0, index($0, " ") + 1) }
    step == first { begin = $1 }
    step == last && begin != "" { print $1 - begin; begin = "" }' | median || echo "?"
}
hotkey_own=$(own_time "hotkey pressed" "window up")
key_own=$(own_time "character typed" "answer shown")
list_own=$(own_time "list requested" "list opened")

# (e) 10,000 evaluations: "1+1" Enter, then "+1" Enter again and again; with
# the answer shown while typing every key is one evaluation.
"$x" key "$calculator" Escape >/dev/null 2>&1 || true
cycles=$(( (evaluations - 4) / 3 ))
"$x" type "$calculator" $'1+1\n' 1
"$x" type "$calculator" $'+1\n' "$cycles"
expected=$((2 + cycles))
for _ in $(seq 300); do [ "$(probe text 1)" == "$expected" ] && break; sleep 1; done
[ "$(probe text 1)" == "$expected" ] || die "after $evaluations evaluations the answer is '$(probe text 1)', not $expected"
tarvik_used_kb=$(resident_kb "$tarvik_pid")
stop_tarvik "$tarvik_pid"; stop_bare "$bare_pid"

mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
echo
echo "(a) start to first visible window: Tarvik $tarvik_start ms, bare window $bare_start ms, ratio $(ratio "$tarvik_start" "$bare_start")"
echo "    middle half of the starts: Tarvik $tarvik_spread ms, bare window $bare_spread ms; median of paired ratios $paired_ratio"
echo "    Tarvik's steps in one traced start (ms since the process was created):"
printf '%s\n' "$start_steps" | sed 's/^/      /'
echo "(b) hotkey to visible window: $(printf '%s\n' "${hotkey_runs[@]}" | median) ms (own time $hotkey_own ms)"
echo "(c) keystroke to answer drawn: $(printf '%s\n' "${key_runs[@]}" | median) ms (own time $key_own ms)"
echo "(d) Page Down to history list (50 entries): $(printf '%s\n' "${list_runs[@]}" | median) ms (own time $list_own ms)"
echo "(e) working set after start: Tarvik $(mb "$tarvik_kb"), bare window $(mb "$bare_kb"), difference $(mb $((tarvik_kb - bare_kb)))"
echo "    after $evaluations evaluations: Tarvik $(mb "$tarvik_used_kb")"
