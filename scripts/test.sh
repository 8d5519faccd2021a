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

build() {  # build PRESET: configure and build, output in the logs
    cmake --preset "$1" >"$logs/$1-configure.log" 2>&1 &&
        cmake --build --preset "$1" >"$logs/$1-build.log" 2>&1
}
build_failed() {
    echo "$1 build failed (see $logs):"
    tail -n 40 "$logs/$1-configure.log" "$logs/$1-build.log" 2>/dev/null
    status=1
    failed=$((failed + 1))
}

echo "== native build and unit tests"
if build native; then
    ctest --preset native >"$logs/native-test.log" 2>&1 || status=1
    grep -E -v '^ +Start|^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed' "$logs/native-test.log"
    count "$logs/native-test.log"
else
    build_failed native
fi

echo "== Windows build"
if build windows; then
    echo "== Windows tests under Wine and Xvfb"
    xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/wine-suite.sh" \
        >"$logs/windows-test.log" 2>&1 || status=1
    cat "$logs/windows-test.log"
    count "$logs/windows-test.log"
else
    build_failed windows
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
