#!/usr/bin/env bash
# Builds airvane.exe and starts it under Wine from a run folder beside the
# build (build/run: airvane.exe and its INI). On $DISPLAY when there is one;
# otherwise on a private Xvfb, where a screenshot is saved into the run
# folder and its path printed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

scripts/setup
# The toolchain is read only when build/win is made; CMake warns of it on
# every later run unless told not to.
cmake -S . -B build/win -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target airvane standin >/dev/null

run="$here/build/run"
mkdir -p "$run"
cp build/win/src/airvane.exe "$run/airvane.exe"
cp build/win/standin/standin.exe "$run/standin.exe"
# A demo week whose first programme goes on air by itself 15 s from now for
# 20 s, and the settings with their defaults; an INI that is already there
# is kept as it is.
lead=15 length=20
on_air=$(( $(date +%s) + lead ))
scripts/demo-schedule "$run" "$lead" "$length"
export WINEPREFIX="${AIRVANE_WINEPREFIX:-$here/build/wineprefix}"

# Airvane starts its player itself: the INI remembers standin.exe under
# WINAMP.EXE. Select a Schedule and press play to see its caption change;
# standin's journal of what it was sent is build/run/standin-journal.log.
if [ -n "${DISPLAY:-}" ]; then
  echo "Airvane runs on $DISPLAY from $run and starts standin.exe as its player"
  exec scripts/wine-run "$run/airvane.exe"
fi

eval "$(scripts/xvfb-start)"
trap 'WINEDEBUG=-all wineserver -k 2>/dev/null; scripts/xvfb-stop' EXIT
# standin.exe writes its journal at its first message: on a first run there is none yet.
journal_before=0
[ ! -f "$run/standin-journal.log" ] || journal_before=$(wc -l <"$run/standin-journal.log")
scripts/wine-run "$run/airvane.exe" &
sleep_until() { local left=$(( $1 - $(date +%s) )); [ "$left" -le 0 ] || sleep "$left"; }
screenshot() {  # the screen is black but for the windows: trimming leaves them
  import -window root "$run/screen.png"
  convert "$run/screen.png" -trim +repage "$run/$1"
  rm -f "$run/screen.png"
}
echo "The demo programme goes on air at $(date -d "@$on_air" +%T) and ends at $(date -d "@$((on_air + length))" +%T)" \
  "(FadeoutTime seconds before its end it fades out: standin.exe journals the volume falling to 0, then the stop at the end time)."
sleep_until $((on_air + 4))
screenshot screenshot.png
sleep_until $((on_air + length + 2))
screenshot screenshot-ended.png
# Both files are in the program's code page (CP949): shown in UTF-8.
echo "What standin.exe was sent:"
tail -n +"$((journal_before + 1))" "$run/standin-journal.log" | iconv -f CP949 -t UTF-8 -c
echo "Today's log, $run/LOG/$(date +%Y%m%d).LOG:"
iconv -f CP949 -t UTF-8 -c "$run/LOG/$(date +%Y%m%d).LOG" 2>/dev/null || echo "(none yet)"
echo "No display: Airvane ran on a private Xvfb. Screenshots: $run/screenshot.png (on air)," \
  "$run/screenshot-ended.png (after its end)"
