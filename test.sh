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
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}

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

# The OpenGL tests draw into a real window: a virtual X display of their own (Mesa's software renderer), which
# Xvfb picks and names on the descriptor it is given.
rm -f build/test/xvfb.display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>build/test/xvfb.display 2>build/test/xvfb.log &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s build/test/xvfb.display ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 build/test/xvfb.display)" SDL_VIDEODRIVER=x11

(cd build/test && ctest --output-on-failure --timeout 300 -j "$(kv_jobs)")
