#!/usr/bin/env bash
# Builds and runs every test: the native unit and contract tests (under
# AddressSanitizer and UBSan), then the Windows build's contract, Win32 and
# end-to-end tests under Wine and Xvfb, then each fuzzer for a bounded time.
# Installs what is missing first. Ends with one line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1

logs="$root/build/test-logs"
mkdir -p "$logs"
status=0
passed=0
failed=0

# Adds the counts of a ctest summary ("N% tests passed, F tests failed out of T").
count() {
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
}

echo "== native build and unit tests"
if cmake --preset native >"$logs/native-configure.log" 2>&1 &&
   cmake --build --preset native 2>&1 | tee "$logs/native-build.log" | grep -E 'error|warning:' ; \
   [ "${PIPESTATUS[0]}" -eq 0 ]; then
    ctest --preset native 2>&1 | tee "$logs/native-test.log" | grep -E -v '^\s+Start|Test +#' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    count "$logs/native-test.log"
else
    echo "native build failed (see $logs)"; tail -n 40 "$logs/native-build.log" "$logs/native-configure.log"
    status=1; failed=$((failed + 1))
fi

echo "== Windows build"
if cmake --preset windows >"$logs/windows-configure.log" 2>&1 &&
   cmake --build --preset windows 2>&1 | tee "$logs/windows-build.log" | grep -E 'error|warning:' ; \
   [ "${PIPESTATUS[0]}" -eq 0 ]; then
    echo "== Windows tests under Wine and Xvfb"
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        source "'"$root"'/scripts/wine-env.sh"
        wineserver -p
        ctest --preset windows
        rc=$?
        wineserver -k
        exit $rc' 2>&1 | tee "$logs/windows-test.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    count "$logs/windows-test.log"
else
    echo "Windows build failed (see $logs)"; tail -n 40 "$logs/windows-build.log" "$logs/windows-configure.log"
    status=1; failed=$((failed + 1))
fi

if [ -x "$root/fuzz/run.sh" ]; then
    echo "== fuzzers (bounded)"
    if "$root/fuzz/run.sh" "${MQ_FUZZ_SECONDS:-30}" 2>&1 | tee "$logs/fuzz.log" | grep -E '^(fuzz|==|Done|#[0-9]+ +DONE)'; \
       [ "${PIPESTATUS[0]}" -eq 0 ]; then
        passed=$((passed + 1))
    else
        echo "a fuzzer found a fault (see $logs/fuzz.log)"; tail -n 30 "$logs/fuzz.log"
        status=1; failed=$((failed + 1))
    fi
fi

echo
echo "Logs: $logs"
echo "${passed} passed, ${failed} failed"
exit $status
