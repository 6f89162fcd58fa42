#!/usr/bin/env bash
# Installs everything the project needs on a fresh Debian machine (run as root).
set -euo pipefail

packages=(
  # native build, tests, sanitizers, fuzzing, benchmarks
  g++ cmake ninja-build googletest libbenchmark-dev clang libclang-rt-14-dev
  # differential test of the engine against its Python model; the package
  # manager's manifests read back by their test
  python3 python3-yaml
  # cross build for Windows
  g++-mingw-w64-x86-64 mingw-w64-tools
  # running and testing the Windows program
  wine wine64 xvfb xdotool x11-utils imagemagick
  # the help file (chmcmd, Free Pascal's CHM compiler), the release zip and
  # the installer (makensis)
  fp-utils zip nsis
  # the latency benchmark's X helper (bench/x_latency.c): key presses and drawing events
  libx11-dev libxtst-dev libxdamage-dev
  # tarvik-cli's interactive prompt: line editing and recall (BSD editline),
  # and a terminal of its own for its test (tmux)
  libedit-dev tmux
  # Japanese text: the ja_JP.UTF-8 locale (Wine's ANSI code page 932) and a Japanese font
  locales fonts-ipafont-gothic
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
