#!/usr/bin/env bash
# The installer under Wine, on a fresh prefix as on a new user's machine:
# scripts/package.sh builds it and the package manager's manifests (checked
# against it); a silent install leaves the program, the help, the Start menu
# shortcut, the Run value and the Apps & features entry; the installed Tarvik
# starts and keeps a calculation; its display page turns the Run value off
# and on with real clicks; a silent update over the running copy closes it
# (it saves its files), keeps its history and the user's choice about the Run
# value, and starts it again; the silent uninstall leaves only the user's
# Tarvik.ini, history.txt and var.txt. Screenshots go to shots/e2e/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build="${TARVIK_BUILD:-$here/../../build/windows}"
work="$build/installer-test"
export TARVIK_E2E_PREFIX="$build/installer-prefix"
# The prefix's own Wine server, left from an earlier run, goes with it.
[ -d "$TARVIK_E2E_PREFIX" ] && (source "$here/../../scripts/wine-env.sh" "$TARVIK_E2E_PREFIX" && wineserver -k) >/dev/null 2>&1
rm -rf "$work" "$TARVIK_E2E_PREFIX" "$TARVIK_E2E_PREFIX.lock"
mkdir -p "$work"

"$here/../../scripts/package.sh" "$work/dist" >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; echo "packaging failed"; exit 1; }
version=$(sed -n 's/^#define TARVIK_VERSION_TEXT *"\(.*\)"$/\1/p' "$build/resources/version.h")
setup="$work/dist/Tarvik-$version-setup.exe"
manifest_ok=yes
python3 "$here/../release/winget_manifest_test.py" "$work/dist/winget/Tarvik.Tarvik/$version" "$setup" "$version" ||
  manifest_ok=no

source "$here/../e2e/lib.sh"
expect "the manifests match the installer" yes "$manifest_ok"

# Output of a Windows command, through a file (the Wine server would inherit
# a pipe), without carriage returns.
wine_output() {
  local out; out=$(mktemp)
  wine "$@" >"$out" 2>/dev/null </dev/null
  tr -d '\r' <"$out"; rm -f "$out"
}
# reg_value KEY NAME: the data of a registry value, or "(none)".
reg_value() {
  local line
  line=$(wine_output reg query "$1" /v "$2" | grep -m1 "^ *$2 *REG_")
  [ -n "$line" ] && sed "s/^ *$2 *REG_[A-Z_]* *//" <<<"$line" || echo "(none)"
}
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvik'
run_value() { reg_value "$run_key" Tarvik; }
# install [ARGS...]: the installer's exit status.
install() { wine "$setup" "$@" >/dev/null 2>&1 </dev/null; echo $?; }

install_win="$(wine_output cmd /c echo '%LOCALAPPDATA%')\\Programs\\Tarvik"
install_dir=$(winepath -u "$install_win" 2>/dev/null)
shortcut="$(winepath -u "$(wine_output cmd /c echo '%APPDATA%')" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs/Tarvik.lnk"
program_command="\"$install_win\\Tarvik.exe\""
# Started by its Unix path, so that only this prefix's copy matches.
tarvik_pattern="installer-prefix/.*Programs/Tarvik/Tarvik\\.exe"

echo "--- silent install"
expect "the silent install succeeds" 0 "$(install /S)"
for file in Tarvik.exe Tarvik.chm uninstall.exe; do
  expect "$file is installed" yes "$([ -f "$install_dir/$file" ] && echo yes || echo no)"
done
expect "the Start menu shortcut is there" yes "$([ -f "$shortcut" ] && echo yes || echo no)"
expect "the Run value starts the installed copy" "$program_command" "$(run_value)"
for entry in "DisplayName=Tarvik" "DisplayVersion=$version" "Publisher=Tarvik project" \
             "DisplayIcon=$install_win\\Tarvik.exe,0" "InstallLocation=$install_win" \
             "UninstallString=\"$install_win\\uninstall.exe\"" \
             "QuietUninstallString=\"$install_win\\uninstall.exe\" /S"; do
  expect "Apps & features: ${entry%%=*}" "${entry#*=}" "$(reg_value "$uninstall_key" "${entry%%=*}")"
done
size=$(reg_value "$uninstall_key" EstimatedSize)
expect "Apps & features: a size in KiB" yes "$( (( size > 100 )) 2>/dev/null && echo yes || echo "no ($size)")"

echo "--- the installed Tarvik"
(cd "$install_dir" && exec wine "$install_dir/Tarvik.exe" </dev/null >/dev/null 2>&1) &
wait_until "the installed Tarvik" probe_ok visible
focus_tarvik
type_keys '1+2'
press Return
expect_eventually "it calculates" "3" answer_text

sheet_title="Tarvik オプション"
start_box=1032
rect_centre() { local l t r b; read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }
# click_item ID: a left click in the middle of the sheet's control.
click_item() {
  wait_until "control $1" probe_ok item-rect "$sheet_title" "$1" || return 1
  local x y; read -r x y <<<"$(rect_centre "$(probe item-rect "$sheet_title" "$1")")"
  xdotool mousemove "$x" "$y" click 1
  sleep 0.6
}
# The sheet from the main window's menu, on its "表示" page (the second of
# four equally wide tabs).
open_display_page() {
  local l t r b attempt
  for attempt in 1 2 3; do
    read -r l t r b <<<"$(probe rect)"
    focus_tarvik
    xdotool mousemove $((l + 8)) $(((t + b) / 2)) click 3
    sleep 0.6
    press o
    probe_ok page && break
    press Escape
  done
  wait_until "the options sheet" probe_ok page || return 1
  read -r l t r b <<<"$(probe tabs)"
  xdotool mousemove $((l + 29 + 53)) $((t + 9)) click 1
  wait_until "the display page" probe_ok item-rect "$sheet_title" "$start_box"
}
# toggle_start_with_windows SHOT: clicks the check box and OK.
toggle_start_with_windows() {
  open_display_page
  [ -n "${1:-}" ] && screenshot "$1"
  click_item "$start_box"
  click_item 1
  wait_until "the sheet to close" sheet_closed
}
sheet_closed() { ! probe_ok page; }

toggle_start_with_windows installer-display-page
expect_eventually "the display page's box turns the Run value off" "(none)" run_value

echo "--- silent update over the running copy"
expect "the update succeeds" 0 "$(install /S)"
expect "the closed copy saved its history, which the update kept" yes \
  "$(grep -q '^1+2 = 3' "$install_dir/history.txt" 2>/dev/null && echo yes || echo no)"
expect "the update kept the Run value off" "(none)" "$(run_value)"
expect_eventually "the updated Tarvik runs again" "1" probe count
toggle_start_with_windows
expect_eventually "the box turns the Run value on again" "$program_command" run_value

echo "--- silent uninstall"
wine "$install_dir/uninstall.exe" /S >/dev/null 2>&1 </dev/null
# The uninstaller goes on from a copy of itself in the temporary folder.
gone() { [ ! -e "$install_dir/uninstall.exe" ] && [ "$(probe count)" = 0 ] &&
         [ "$(reg_value "$uninstall_key" DisplayName)" = "(none)" ]; }
wait_until "the uninstaller" gone
expect "only the user's files are left" "Tarvik.ini history.txt var.txt" "$(ls "$install_dir" 2>/dev/null | sort | xargs)"
expect "the history is kept" yes "$(grep -q '^1+2 = 3' "$install_dir/history.txt" 2>/dev/null && echo yes || echo no)"
expect "the shortcut is gone" no "$([ -e "$shortcut" ] && echo yes || echo no)"
expect "the Run value is gone" "(none)" "$(run_value)"
expect "the Apps & features entry is gone" "(none)" "$(reg_value "$uninstall_key" UninstallString)"

finish
