#!/usr/bin/env bash
# Builds the test tree under AddressSanitizer and UBSan; builds the libFuzzer targets with clang and runs each for
# a short fixed number of inputs; then runs every test through ctest, whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
kv_install_missing "${KV_BUILD_PACKAGES[@]}" "${KV_TEST_PACKAGES[@]}"

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DKV_SANITIZE=ON
cmake --build build/test -j "$(kv_jobs)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

shopt -s nullglob
fuzz_sources=(tests/fuzz/*.cpp)
if [ ${#fuzz_sources[@]} -gt 0 ]; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DKV_FUZZ=ON
  fuzz_targets=()
  for source in "${fuzz_sources[@]}"; do fuzz_targets+=("fuzz_$(basename "$source" .cpp)"); done
  cmake --build build/fuzz -j "$(kv_jobs)" --target "${fuzz_targets[@]}"
  for source in "${fuzz_sources[@]}"; do
    name=$(basename "$source" .cpp)
    corpus=tests/fuzz/corpus/$name
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    echo "Fuzzing $name"
    build/fuzz/tests/fuzz/fuzz_"$name" -runs=20000 -seed=1 -max_len=65536 -artifact_prefix=build/fuzz/ "$work" \
      > build/fuzz/"$name".log 2>&1 || { tail -n 60 build/fuzz/"$name".log; echo "Fuzzing $name found a fault"; exit 1; }
    tail -n 1 build/fuzz/"$name".log
  done
fi

# The optimised tree: the libraries, tools and benchmarks as a release builds them (no tests). Its golden shots
# must agree bit for bit with the test tree's and the checked-in ones, and every benchmark must still build and
# run (once, briefly: its figures mean nothing here).
cmake -S . -B build/opt -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_TESTS=OFF
cmake --build build/opt -j "$(kv_jobs)"
tests/client/physics/check_golden_shots.sh build/opt/tools/physprobe
for bench in build/opt/bench/bench_*; do
  name=$(basename "$bench")
  options=(--benchmark_min_time=0.001)
  [ "$name" = bench_physics ] && options+=(--no_bound)  # the bound's counting run under valgrind takes long
  "$bench" "${options[@]}" > build/opt/"$name".log 2>&1 || { tail -n 30 build/opt/"$name".log; echo "$name failed"; exit 1; }
  echo "Ran $name"
done

(cd build/test && ctest --output-on-failure --timeout 300 -j "$(kv_jobs)")
