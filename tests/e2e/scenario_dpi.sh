# High DPI: the calculator started at 96 and at 192 DPI (the prefix's
# LogPixels, read by Wine when its server starts). The program is system-DPI-
# aware: at 192 its fonts, the fields that fit them, the grip and the minimum
# size are twice as large, measured from outside; Wine does not stretch it.

# set_prefix_dpi DPI: LogPixels for the prefix, then a fresh server that reads it.
set_prefix_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

# 1234*2 committed, typed again into a cleared editor when the keys of the
# first try went elsewhere (a server that has just started may still be
# raising its own windows).
commit_sample_calculation() {
  for _ in 1 2 3; do
    focus_tarvik
    press End $(printf 'BackSpace %.0s' $(seq 12))
    type_keys '1234*2'
    press Return
    [ "$(answer_text)" == "2468" ] && return 0
  done
  return 1
}

# geometry_at DPI SHOT: "grip editor answer min_width min_height" (the
# minimum size without the system's sizing frames, whose width is the
# system's business), with the list popup open for the screenshot.
geometry_at() {
  set_prefix_dpi "$1"
  new_run_dir
  start_tarvik
  commit_sample_calculation
  probe geometry
  press Next
  wait_until "the history list" probe_ok list
  screenshot "$2"
  press Escape
  stop_tarvik
}

read -r grip_96 editor_96 answer_96 min_width_96 min_height_96 <<<"$(geometry_at 96 dpi-96)"
read -r grip_192 editor_192 answer_192 min_width_192 min_height_192 <<<"$(geometry_at 192 dpi-192)"
set_prefix_dpi 96
echo "  96 DPI: grip $grip_96, answer $answer_96, minimum ${min_width_96}x$min_height_96"
echo "  192 DPI: grip $grip_192, answer $answer_192, minimum ${min_width_192}x$min_height_192"

# twice_within SLACK SMALL LARGE: the larger is twice the smaller, give or
# take the pixel a font's rounded ascent and descent may add per font.
twice_within() {
  local off=$(($3 - 2 * $2))
  [ "$off" -ge "-$1" ] && [ "$off" -le "$1" ] && echo yes || echo "no ($2 and $3)"
}

expect "the grip is twice as wide at 192 DPI" "$((2 * grip_96))" "$grip_192"
expect "the answer display (its font's height + room) is twice as high" yes "$(twice_within 1 "$answer_96" "$answer_192")"
expect "the minimum width (less the frames) is twice as large" "$((2 * min_width_96))" "$min_width_192"
expect "the minimum height (less the frames; both fonts) is twice as large" yes "$(twice_within 2 "$min_height_96" "$min_height_192")"
