#!/usr/bin/env bash
# Builds a fuzz target (CMake with ERGOTAB_FUZZ: clang's libFuzzer, AddressSanitizer and UBSan)
# in build-fuzz/ and runs it.
#   tests/fuzz/run-fuzz.sh archive|dbf|expr|template|frf SECONDS [JOBS]
# The corpus grows in fuzz-out/TARGET/corpus, crashes land in fuzz-out/TARGET/.
# Needs clang-14 with libclang-rt-14-dev (scripts/install-deps.sh installs them).
set -euo pipefail
target=${1:?usage: run-fuzz.sh archive|dbf|expr|template|frf SECONDS [JOBS]}
seconds=${2:?usage: run-fuzz.sh archive|dbf|expr|template|frf SECONDS [JOBS]}
jobs=${3:-1}
root=$(cd "$(dirname "$0")/../.." && pwd)
case $target in
  archive) rss=1024; max_len=65536 ;;
  dbf) rss=2048; max_len=16384 ;;
  expr) rss=1024; max_len=4096 ;;
  template) rss=2048; max_len=65536 ;;
  frf) rss=2048; max_len=16384 ;;
  *) echo "run-fuzz.sh: unknown target $target" >&2; exit 2 ;;
esac
build=$root/build-fuzz
out=$root/fuzz-out/$target
mkdir -p "$out/corpus"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DERGOTAB_FUZZ=ON \
    -DERGOTAB_BENCH=OFF -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}"
fi
cmake --build "$build" --target "${target}_fuzz"
binary=$build/fuzz/${target}_fuzz
/usr/bin/python3 "$root/tests/fuzz/make_${target}_seeds.py" "$out/seeds"

cd "$out"
"$binary" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" -rss_limit_mb="$rss" \
  -max_len="$max_len" -timeout=20 -print_final_stats=1 "$out/corpus" "$out/seeds"
