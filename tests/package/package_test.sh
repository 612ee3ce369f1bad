#!/usr/bin/env bash
# The Windows package as a station gets it: unpacked into a fresh folder of a
# fresh Wine prefix, airvane.exe starts there, makes its LOG folder and shows
# its window (which takes the exit command), and scdtool.exe checks a file.
#   package_test.sh ZIP POST_COMMAND_EXE
set -euo pipefail
zip=$1 post=$2
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

wine "$folder/airvane.exe" >/dev/null 2>&1 &
airvane=$!
for _ in $(seq 100); do
  wine "$post" 102 >/dev/null 2>&1 && break  # the exit command, once the window is there
  sleep 0.3
done
for _ in $(seq 100); do kill -0 "$airvane" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$airvane" 2>/dev/null; then echo "FAIL: airvane.exe did not show its window or did not exit"; exit 1; fi
[ -d "$folder/LOG" ] || { echo "FAIL: no LOG folder beside airvane.exe"; exit 1; }

printf 'Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n\r\n' >"$folder/week.scd"
out=$(cd "$folder" && wine scdtool.exe check week.scd 2>&1) || { echo "FAIL: scdtool.exe check: $out"; exit 1; }
echo "the package unpacks, airvane.exe starts and exits, scdtool.exe checks"
