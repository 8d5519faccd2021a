#!/usr/bin/env bash
# Runs the Windows build's CTest suite once under Wine, with a wineserver of
# its own that starts with the run and ends with it, as on a fresh machine.
# Expects a display (run it inside xvfb-run). Extra arguments go to ctest.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/wine-env.sh"
# A server left over from an earlier run would carry its windows and state.
wineserver -k 2>/dev/null
wineserver -w
wineserver -p
# Wine starts its services with the first program; started here they hold
# no pipe of ctest's open (ctest would wait for them forever).
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --preset windows "$@"
rc=$?
wineserver -k
wineserver -w
exit $rc
