#!/usr/bin/env bash
# The Windows package as a station gets it: unpacked into a fresh folder of a
# fresh Wine prefix, airvane.exe starts there, makes its LOG folder and shows
# its window (which takes the exit command), and scdtool.exe checks a file.
# Then the installer: a silent install into C:\Airvane, Airvane started from
# there, an install over it and an uninstall, the station's files kept.
#   package_test.sh ZIP POST_COMMAND_EXE SETUP_EXE
set -euo pipefail
zip=$1 post=$2 setup=$3
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all LC_ALL=ko_KR.UTF-8
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d"
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
# The same address space at every start, as for every other test.
wine_start=$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-start
wine() { "$wine_start" wine "$@"; }
(cd "$scratch" && cmake -E tar xf "$zip")
folder="$scratch/airvane-2.02-win64"
for file in airvane.exe scdtool.exe 안내.txt; do
  [ -f "$folder/$file" ] || { echo "FAIL: $file is not in the package"; exit 1; }
done
iconv -f CP949 -t UTF-8 "$folder/안내.txt" | grep -q "유니코드를 지원하지 않는" ||
  { echo "FAIL: the guide is not in CP949"; exit 1; }
grep -q $'\r$' "$folder/안내.txt" || { echo "FAIL: the guide has no CR LF"; exit 1; }
wineboot -i >/dev/null 2>&1 || true

# airvane.exe of folder $1 started, its window given the exit command.
start_and_exit() {
  wine "$1/airvane.exe" >/dev/null 2>&1 &
  local airvane=$!
  for _ in $(seq 100); do
    wine "$post" 102 >/dev/null 2>&1 && break  # the exit command, once the window is there
    sleep 0.3
  done
  for _ in $(seq 100); do kill -0 "$airvane" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$airvane" 2>/dev/null; then echo "FAIL: airvane.exe in $1 did not show its window or did not exit"; exit 1; fi
  [ -d "$1/LOG" ] || { echo "FAIL: no LOG folder beside airvane.exe in $1"; exit 1; }
}
start_and_exit "$folder"

printf 'Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n\r\n' >"$folder/week.scd"
out=$(cd "$folder" && wine scdtool.exe check week.scd 2>&1) || { echo "FAIL: scdtool.exe check: $out"; exit 1; }
echo "the package unpacks, airvane.exe starts and exits, scdtool.exe checks"

installed="$WINEPREFIX/drive_c/Airvane"
wine "$setup" /S >/dev/null 2>&1 || { echo "FAIL: the silent install failed"; exit 1; }
for file in airvane.exe scdtool.exe 안내.txt Uninstall.exe; do
  [ -f "$installed/$file" ] || { echo "FAIL: $file was not installed into C:\\Airvane"; exit 1; }
done
menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -name 'Airvane.lnk' -not -ipath '*startup*' | head -1)
[ -n "$menu" ] || { echo "FAIL: no Start menu entry"; exit 1; }
autostart=$(find "$WINEPREFIX/drive_c" -ipath '*startup/airvane.lnk' | head -1)
[ -n "$autostart" ] || { echo "FAIL: no entry that starts Airvane with Windows"; exit 1; }
start_and_exit "$installed"
# What a station has made there by then, and must keep.
printf '[Config]\r\nFadeoutTime=5\r\n' >"$installed/airvane.INI"
printf 'Airvane Data V1.0\r\n\r\n' >"$installed/week.scd"
printf '2026/12/08 06:00:00 Morning\r\n' >"$installed/LOG/20261208.LOG"
station() { cat "$installed/airvane.INI" "$installed/week.scd" "$installed/LOG/20261208.LOG" | md5sum; }
before=$(station)
wine "$setup" /S >/dev/null 2>&1 || { echo "FAIL: the install over the installed one failed"; exit 1; }
[ "$(station)" = "$before" ] || { echo "FAIL: an install over it changed the station's files"; exit 1; }
wine "$installed/Uninstall.exe" /S "_?=C:\\Airvane" >/dev/null 2>&1 || { echo "FAIL: the uninstall failed"; exit 1; }
for file in airvane.exe scdtool.exe; do
  [ ! -f "$installed/$file" ] || { echo "FAIL: the uninstall left $file"; exit 1; }
done
[ ! -f "$autostart" ] || { echo "FAIL: the uninstall left the entry that starts Airvane with Windows"; exit 1; }
[ "$(station)" = "$before" ] || { echo "FAIL: the uninstall did not keep the station's INI, schedule and LOG"; exit 1; }
echo "the installer installs into C:\\Airvane with a Start menu entry and a start with Windows; Airvane starts there; an install over it and the uninstall keep the station's files"
