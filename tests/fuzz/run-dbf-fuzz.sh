#!/usr/bin/env bash
# Builds the dBase table fuzz target with clang's libFuzzer and AddressSanitizer and runs it.
#   tests/fuzz/run-dbf-fuzz.sh SECONDS [JOBS]
# The corpus grows in fuzz-out/dbf/corpus, crashes land in fuzz-out/dbf/.
# Needs clang-14 with libclang-rt-14-dev (apt-get install clang-14 libclang-rt-14-dev).
set -euo pipefail
seconds=${1:?usage: run-dbf-fuzz.sh SECONDS [JOBS]}
jobs=${2:-1}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz-dbf
out=$root/fuzz-out/dbf
mkdir -p "$build" "$out/corpus"

sources=("$root"/storage/dbf/*.cpp "$root"/storage/codepage/*.cpp "$root"/tests/fuzz/dbf_fuzz.cpp)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -I"$root" $(pkg-config --cflags Qt6Core))
binary=$build/dbf_fuzz
# Rebuild when any source is newer than the binary.
if [[ ! -x $binary ]] || [[ -n $(find "${sources[@]}" "$root"/storage/dbf/*.h -newer "$binary") ]]; then
  clang++-14 "${flags[@]}" "${sources[@]}" -o "$binary" $(pkg-config --libs Qt6Core)
fi
/usr/bin/python3 "$root/tests/fuzz/make_dbf_seeds.py" "$out/seeds"

cd "$out"
"$binary" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" -rss_limit_mb=2048 \
  -max_len=16384 -timeout=20 -print_final_stats=1 "$out/corpus" "$out/seeds"
