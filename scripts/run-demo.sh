#!/usr/bin/env bash
# Installs what is missing, builds the program (Release, into build-release/),
# creates the demo agenda in demo-data/ when it is not there yet and starts
# arvelo on it with the parameter string the host's desktop would pass.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DARVELO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target arvelo arvelo-host

find_program() {
  find "$build" -type f -name "$1" -perm -u+x -print -quit
}
arvelo=$(find_program arvelo)
host_tool=$(find_program arvelo-host)

demo="$root/demo-data"
# The latest year folder of the first demo agenda: <data root>/AGENDA.nnn/ROK.nnn,
# any letter case.
find_year() {
  local agenda
  agenda=$(find "$demo" -mindepth 1 -maxdepth 1 -type d -iname 'agenda.*' 2>/dev/null | sort | head -n 1)
  [ -n "$agenda" ] || return 0
  find "$agenda" -mindepth 1 -maxdepth 1 -type d -iname 'rok.*' | sort | tail -n 1
}
year=$(find_year)
if [ -z "$year" ]; then
  echo "Creating the demo agenda in $demo"
  "$host_tool" demo "$demo"
  year=$(find_year)
fi
if [ -z "$year" ]; then
  echo "arvelo-host demo created no agenda with a year folder in $demo" >&2
  exit 1
fi

args=(
  "?MAIN=$demo/?MAIN"
  "?AKTROK=$year/?AKTROK"
  "?MVERZE=12.50?MVERZE"
  "?AKTDATUMM=$(date +%d.%m.%Y)?AKTDATUMM"
  "?AKTHESLO=?AKTHESLO"
  "?AKTCFGNAME=Demo?AKTCFGNAME"
)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the wizard cannot be shown."
  echo "Computing the income statement of the demo agenda in the batch mode instead:"
  printf '  %q' "$arvelo" --batch "${args[@]}" --seskupit mesice
  echo
  echo
  QT_QPA_PLATFORM=offscreen exec "$arvelo" --batch "${args[@]}" --seskupit mesice
fi

exec "$arvelo" "${args[@]}"
