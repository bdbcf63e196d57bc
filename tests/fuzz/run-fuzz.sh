#!/usr/bin/env bash
# Builds a fuzz target with clang's libFuzzer, AddressSanitizer and UBSan and runs it.
#   tests/fuzz/run-fuzz.sh archive|dbf SECONDS [JOBS]
# The corpus grows in fuzz-out/TARGET/corpus, crashes land in fuzz-out/TARGET/.
# Needs clang-14 with libclang-rt-14-dev (apt-get install clang-14 libclang-rt-14-dev).
set -euo pipefail
target=${1:?usage: run-fuzz.sh archive|dbf SECONDS [JOBS]}
seconds=${2:?usage: run-fuzz.sh archive|dbf SECONDS [JOBS]}
jobs=${3:-1}
root=$(cd "$(dirname "$0")/../.." && pwd)
case $target in
  archive) code=storage/archive; libs=(-lz); rss=1024; max_len=65536 ;;
  dbf) code=storage/dbf; libs=(); rss=2048; max_len=16384 ;;
  *) echo "run-fuzz.sh: unknown target $target" >&2; exit 2 ;;
esac
build=$root/build-fuzz-$target
out=$root/fuzz-out/$target
mkdir -p "$build" "$out/corpus"

sources=("$root"/$code/*.cpp "$root"/storage/codepage/*.cpp "$root"/tests/fuzz/${target}_fuzz.cpp)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -I"$root" $(pkg-config --cflags Qt6Core))
binary=$build/${target}_fuzz
# Rebuild when any source is newer than the binary.
if [[ ! -x $binary ]] || [[ -n $(find "${sources[@]}" "$root"/$code/*.h -newer "$binary") ]]; then
  clang++-14 "${flags[@]}" "${sources[@]}" -o "$binary" $(pkg-config --libs Qt6Core) "${libs[@]}"
fi
/usr/bin/python3 "$root/tests/fuzz/make_${target}_seeds.py" "$out/seeds"

cd "$out"
"$binary" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" -rss_limit_mb="$rss" \
  -max_len="$max_len" -timeout=20 -print_final_stats=1 "$out/corpus" "$out/seeds"
