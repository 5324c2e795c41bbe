#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing Orvana needs,
# skipping those already present. Usage: install-deps.sh run|test|bench
set -euo pipefail

# qt6-wayland lets the program run natively in a Wayland session.
# libpulse-dev: the PulseAudio back end, which PipeWire's pipewire-pulse serves too.
# qt6-tools-dev (CMake's Qt6LinguistTools) and qt6-l10n-tools (lrelease, lupdate)
# build the English catalogue.
# libcurl4-openssl-dev: internet radio over HTTP and HTTPS, whose servers are
# checked against the system's certificates (ca-certificates).
build_packages=(build-essential cmake pkg-config libasound2-dev libasound2-plugins libpulse-dev libcurl4-openssl-dev
                ca-certificates qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-wayland libxcb1-dev fonts-noto-cjk)
# The desktop tests run the program on a private X server and drive it there,
# with trayer (XEmbed) and lxqt-panel (StatusNotifierItem) as its trays, on a
# headless Weston for Wayland, and talk to it as playerctl (MPRIS) does.
# The packaging tests validate the menu entry and the metainfo, compare the
# scalable icon with the painted ones (Qt SVG) and make the Debian package
# (dpkg-shlibdeps; file, with which CPack finds the binaries).
# The sound tests start a private pulseaudio with a null sink and record its
# monitor with parecord, and look at its streams with pactl (pulseaudio-utils).
# The network tests play stations from a private Icecast 2 server.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev pulseaudio pulseaudio-utils alsa-utils icecast2
               xvfb xdotool x11-utils dbus dbus-x11 trayer lxqt-panel libglib2.0-bin
               weston playerctl
               desktop-file-utils appstream qt6-svg-dev dpkg-dev file)
# The decode benchmark makes its test files with sox, lame and twolame and compares
# with mpg123. The desktop benchmarks run the program as the desktop tests do;
# the sound-path benchmark also tries a private PipeWire (pipewire, wireplumber
# and pipewire-pulse) and measures Audacious beside Orvana.
bench_packages=(sox lame twolame mpg123 pipewire pipewire-pulse wireplumber audacious)

case "${1:-run}" in
  run) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  bench) wanted=("${build_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
  *) echo "usage: $0 run|test|bench" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
