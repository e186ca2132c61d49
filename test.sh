#!/usr/bin/env bash
# The test command. In this order, each stage printing its time: installs what is missing; builds the test
# tree under AddressSanitizer and UBSan; builds the libFuzzer targets with clang and runs each for a short
# fixed number of inputs; builds the threaded suites under ThreadSanitizer and runs them; builds the optimised
# tree, checks its golden shots and runs each benchmark once; then runs every
# test through ctest, whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
source scripts/stages.sh
kv_use_ccache
test_start=$EPOCHREALTIME

kv_stage "install" kv_install_missing "${KV_BUILD_PACKAGES[@]}" "${KV_TEST_PACKAGES[@]}"

# The instrumented trees (sanitizers, fuzzing) carry line tables only (-g1): enough for every report's stack
# with files and lines, at a third less build time than full debug information. The tests' own code is built
# without optimisation; the code under test keeps -O1.
instrumented_tree_flags=(-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DKV_TEST_CODE_FLAGS=-O0)

build_test_tree() {
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug "${instrumented_tree_flags[@]}" -DKV_SANITIZE=ON \
        -DKV_BENCH=OFF
  cmake --build build/test -j "$(kv_jobs)"
}
kv_stage "build test tree (ASan, UBSan)" build_test_tree

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}

# --- fuzzing: each target from its seeds in tests/fuzz/corpus/<name>/, its log and findings in build/fuzz ---
# Inputs per target; targets that start threads, touch the file system or run shots per input run fewer.
declare -A fuzz_runs=([net_receive_thread]=2000 [item_folder]=5000 [physics_strokes]=5000 [shot_text]=5000)
shopt -s nullglob
fuzz_sources=(tests/fuzz/*.cpp)

build_fuzz_tree() {
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug "${instrumented_tree_flags[@]}" -DKV_FUZZ=ON
  local targets=()
  local source
  for source in "${fuzz_sources[@]}"; do targets+=("fuzz_$(basename "$source" .cpp)"); done
  cmake --build build/fuzz -j "$(kv_jobs)" --target "${targets[@]}"
}

run_fuzz_target() {
  local name=$1
  local corpus=tests/fuzz/corpus/$name
  local work=build/fuzz/corpus/$name
  mkdir -p "$work"
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  build/fuzz/tests/fuzz/fuzz_"$name" -runs="${fuzz_runs[$name]:-20000}" -seed=1 -max_len=65536 \
    -artifact_prefix=build/fuzz/ "$work" > build/fuzz/"$name".log 2>&1 ||
    { tail -n 60 build/fuzz/"$name".log; echo "Fuzzing $name found a fault"; return 1; }
  echo "$name: $(tail -n 1 build/fuzz/"$name".log)"
}

fuzz_stage() { kv_stage "fuzz $1" run_fuzz_target "$1"; }

# The targets run side by side, one per processor; each prints its own lines.
run_fuzz_targets() {
  local names=() source
  for source in "${fuzz_sources[@]}"; do names+=("$(basename "$source" .cpp)"); done
  kv_in_parallel "$(kv_jobs)" fuzz_stage "${names[@]}"
}

if [ ${#fuzz_sources[@]} -gt 0 ]; then
  kv_stage "build fuzz targets (clang)" build_fuzz_tree
  kv_stage "fuzzing" run_fuzz_targets
fi

# --- the threaded suites under ThreadSanitizer, which reports any data race as a failure ---
# One suite a line, so that suites added side by side each add a line of their own; the longest first, so that
# the two that run side by side end close together instead of the longest running alone at the end.
tsan_suites=(
  test_client_scenes_practice
  test_client_scenes_room
  test_client_scenes_gallery
  test_client_scenes_community
  test_quill_net
  test_client_connection
  test_client_scenes_lobby
  test_client_scenes_login
  test_quill_resource
  test_client_scenes_shop
  test_platform_http
  test_quill_core
  test_client_scenes_player
  test_platform_net
  test_platform_system
  test_quill_engine
)

# The suites and the tools the tree runs while it builds share the suppressions.
tsan_suppressions="suppressions=$PWD/tests/tsan.supp"

# The suites read the game data the test tree made.
build_tsan_tree() {
  cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug "${instrumented_tree_flags[@]}" -DKV_TSAN=ON \
        -DKV_BENCH=OFF -DKV_GAME_DATA_FROM="$PWD/build/test/game/data"
  TSAN_OPTIONS="$tsan_suppressions" cmake --build build/tsan -j "$(kv_jobs)" --target "${tsan_suites[@]}"
}

run_tsan_suite() {
  local suite=$1
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 $tsan_suppressions" build/tsan/tests/"$suite" \
    > build/tsan/"$suite".log 2>&1 ||
    { tail -n 80 build/tsan/"$suite".log; echo "$suite failed under ThreadSanitizer"; return 1; }
  echo "$suite: $(tail -n 1 build/tsan/"$suite".log)"
}

# Two suites at a time at most: their threads mostly wait on each other and on sockets, which leaves a
# processor idle under one suite alone.
run_tsan_suites() { kv_in_parallel 2 run_tsan_suite "${tsan_suites[@]}"; }

kv_stage "build threaded suites (TSan)" build_tsan_tree
kv_stage "threaded suites under TSan" run_tsan_suites

# The OpenGL tests draw into a real window: a virtual X display of their own (Mesa's software renderer), which
# Xvfb picks and names on the descriptor it is given. -noreset: by default Xvfb resets itself whenever its last
# client leaves, and a test that connects during that reset is refused ("x11 not available"), as happens when
# one test's window closes while no other is open.
rm -f build/test/xvfb.display
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>build/test/xvfb.display 2>build/test/xvfb.log &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s build/test/xvfb.display ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 build/test/xvfb.display)" SDL_VIDEODRIVER=x11

# --- the optimised tree: the libraries, tools and benchmarks as a release builds them (no tests). Its golden
# shots must agree bit for bit with the test tree's and the checked-in ones, and every benchmark must still build
# and run (once, briefly: its figures mean nothing here). Some benchmarks draw, so this runs after Xvfb starts. ---
build_opt_tree() {
  cmake -S . -B build/opt -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2" -DKV_TESTS=OFF
  cmake --build build/opt -j "$(kv_jobs)"
}

# A benchmark fails when it exits with an error or when Google Benchmark reports one of its runs in error
# (which still exits 0).
run_opt_benchmark() {
  local bench=$1 name options runner=()
  name=$(basename "$bench")
  options=(--benchmark_min_time=0.001)
  [ "$name" = bench_physics ] && options+=(--no_bound)  # the bound's counting run under valgrind takes long
  # The real program, full screen, on a display of the program's own size.
  [ "$name" = bench_offline ] && runner=(xvfb-run -a -s "-screen 0 1024x768x24 -noreset")
  if ! "${runner[@]}" "$bench" "${options[@]}" > build/opt/"$name".log 2>&1 ||
     grep -q "ERROR OCCURRED" build/opt/"$name".log; then
    tail -n 30 build/opt/"$name".log
    echo "$name failed"
    return 1
  fi
  echo "Ran $name"
}

# Side by side, one per processor: their figures mean nothing here.
run_opt_benchmarks() { kv_in_parallel "$(kv_jobs)" run_opt_benchmark build/opt/bench/bench_*; }

kv_stage "build optimised tree" build_opt_tree
kv_stage "golden shots in the optimised tree" tests/client/physics/check_golden_shots.sh build/opt/tools/physprobe
kv_stage "benchmarks once" run_opt_benchmarks

# --- every test but the soaks' measures (label soak); ctest's summary closes the output ---
kv_stage "ctest" bash -c 'cd build/test && ctest -LE soak --output-on-failure --timeout 300 -j "$0"' "$(kv_jobs)"
kv_report_stage "total" "$test_start"
