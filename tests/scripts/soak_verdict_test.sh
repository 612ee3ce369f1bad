#!/usr/bin/env bash
# scripts/soak-verdict on made-up tables shaped like the soak's: workers
# that come and go pass, one handle kept per programme fails, and so does
# a run too short to show that.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# table NAME LAST STEP AWK-EXPRESSIONS: lines every STEP s up to second LAST;
# the expressions give handles, private KB and the peak from the second s.
table() {
  awk -v last="$2" -v step="$3" "BEGIN { for (s = 0; s <= last; s += step) print s, $4 }" >"$scratch/$1"
}
# expect NAME WARM MINUTES OUTCOME WORDS: OUTCOME pass or fail, and the line begins with WORDS.
expect() {
  local line rc=0
  line=$("$here/scripts/soak-verdict" "$scratch/$1" "$2" "$3" 10) || rc=$?
  if { [ "$4" = pass ] && [ $rc -ne 0 ]; } || { [ "$4" = fail ] && [ $rc -ne 1 ]; } || [[ $line != "$5"* ]]; then
    echo "FAIL: $1: exit $rc, '$line' (expected $4, '$5')"
    failures=$((failures + 1))
  else
    echo "ok: $1: $line"
  fi
}

# Three minutes as ./test.sh runs them: the least flat, the peaks up to 6
# above it whenever workers fade and hand over (the shape that a single look
# every 10 s mistook for growth).
table flat 180 10 '50, 0, 0, 13696, 50 + (s >= 110 ? 4 + s % 3 : s % 3)'
expect flat 75 3 pass "no growth beyond noise: handles +0.0 (at most 56 at a look"
# Wine opening a handle of its own once, mid-run.
table once 180 10 '50 + (s >= 120), 0, 0, 13696, 52'
expect once 75 3 pass "no growth beyond noise: handles +1.0"
# One handle kept per programme (every 10 s) from the first on.
table kept 180 10 '50 + int(s / 10), 0, 0, 13696, 52 + int(s / 10)'
expect kept 75 3 fail "GROWTH: handles +8.0"
# A handle kept per load (one a minute) hides in 3 minutes but not in an hour.
table load3 180 10 '50 + int(s / 60), 0, 0, 13696, 50 + int(s / 60)'
expect load3 75 3 pass "no growth beyond noise: handles +1.3"
table load60 3600 30 '50 + int(s / 60), 0, 0, 13696, 50 + int(s / 60)'
expect load60 75 60 fail "GROWTH: handles +39.5"

# Private bytes: judged from 30 minutes on, against the spread of the first third.
table heap3 180 10 '50, 0, 0, 13696 + 4 * s, 50'
expect heap3 75 3 pass "no growth beyond noise"
table heap60 3600 30 '50, 0, 0, 13696 + (s > 2400 ? 512 : s % 90), 50'
expect heap60 75 60 fail "GROWTH: handles +0.0"
table steady60 3600 30 '50, 0, 0, 13696 + s % 90, 50'
expect steady60 75 60 pass "no growth beyond noise"

# Too short: no third at all, or thirds too close for a kept handle to show.
table none 80 10 '50, 0, 0, 13696, 50'
expect none 75 3 fail "too short to judge: 1 samples"
table close 100 5 '50 + int(s / 10), 0, 0, 13696, 50'
expect close 85 3 fail "too short to judge: the thirds are 1.5 programmes apart"

[ "$failures" -eq 0 ]
