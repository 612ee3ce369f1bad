#!/usr/bin/env bash
# A Wine user's own prefix, exported as WINEPREFIX, is left as it was: our
# scripts set up and use only the project's prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/dosdevices"
ln -s / "$scratch/dosdevices/z:"
used=$(WINEPREFIX="$scratch" "$here/scripts/wine-prefix")
[ "$used" = "$here/build/wineprefix" ] || { echo "FAIL: set up $used"; exit 1; }
[ -L "$scratch/dosdevices/z:" ] || { echo "FAIL: drive Z: of $scratch was removed"; exit 1; }
[ ! -e "$scratch/dosdevices/d:" ] || { echo "FAIL: drive D: was added to $scratch"; exit 1; }
echo "the scratch prefix is untouched"
