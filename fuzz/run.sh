#!/usr/bin/env bash
# Builds every fuzz target with clang in its own build directory and runs
# each for a bounded time: fuzz/run.sh [SECONDS per target, default 30].
# Seeds come from fuzz/corpus/<name>/ when present; findings are written
# to build/fuzz/findings/<name>/ and make the script fail.
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build="${MQ_FUZZ_BUILD:-$root/build/fuzz}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMQ_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzzers -j2

status=0
for source in "$root"/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  work="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$work" "$findings"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  echo "fuzz: $name for ${seconds}s"
  # The working corpus grows in the build tree; the seeds stay untouched.
  if ! (cd "$findings" && "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
          -rss_limit_mb=2048 -print_final_stats=1 "$work" "${seeds[@]}"); then
    echo "fuzz: $name FAILED; reproducer in $findings" >&2
    status=1
  fi
done
exit $status
