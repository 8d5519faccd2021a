#!/usr/bin/env bash
# soak.sh N: builds the Windows preset once, then runs the Windows suite N
# times in a row under one Xvfb, each run with a fresh wineserver, as CI
# runs it. Prints each run's time and result, then per test how many runs
# it failed in, how many process starts Wine lost (the tests' starters
# start only those once more, and say so), and last "N runs, K with a
# failure". Logs, with every test's output: build/soak/. A test that fails
# in any run has found something: no test is run again.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-10}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/soak.sh N" >&2; exit 2; }
"$root/scripts/setup.sh" || exit 1

logs="$root/build/soak"
rm -rf "$logs"
mkdir -p "$logs"
echo "== building (windows preset)"
if ! { cmake --preset windows && cmake --build --preset windows; } >"$logs/build.log" 2>&1; then
    tail -n 40 "$logs/build.log"
    exit 1
fi

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    for i in $(seq 1 '"$runs"'); do
        start=$(date +%s)
        "'"$root"'/scripts/wine-suite.sh" -V >"'"$logs"'/run-$i.log" 2>&1
        rc=$?
        summary=$(grep -E "tests passed, [0-9]+ tests? failed" "'"$logs"'/run-$i.log" | tail -n 1)
        echo "run $i: $(( $(date +%s) - start )) s, ${summary:-no summary (exit $rc)}"
    done'

# ctest lists the failures of a run as "  12 - Suite.Name (Failed)".
declare -A failures=()
with_failure=0
for i in $(seq 1 "$runs"); do
    log="$logs/run-$i.log"
    names=$(sed -n '/The following tests FAILED:/,$p' "$log" | sed -n -E 's/^[[:space:]]*[0-9]+ - (.*) \([^)]*\)[[:space:]]*$/\1/p')
    if [ -n "$names" ] || ! grep -q '100% tests passed' "$log"; then
        with_failure=$((with_failure + 1))
    fi
    while IFS= read -r name; do
        [ -n "$name" ] && failures[$name]=$(( ${failures[$name]:-0} + 1 ))
    done <<<"$names"
done
if [ ${#failures[@]} -gt 0 ]; then
    echo "== failures per test (of $runs runs)"
    for name in "${!failures[@]}"; do echo "${failures[$name]} $name"; done | sort -rn
fi
# Process starts that Wine lost and the tests' starters made once more.
lost=$(cat "$logs"/run-*.log | grep -c 'Wine lost .* during its start')
[ "$lost" -eq 0 ] || echo "Wine lost $lost process starts, each started once more (see the run logs)"
echo "$runs runs, $with_failure with a failure"
[ "$with_failure" -eq 0 ]
