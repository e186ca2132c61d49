#!/usr/bin/env bash
# Builds the release tree and starts the program with the given words (./run.sh offline) in its runtime
# folder build/release/game/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
source scripts/stages.sh
kv_use_ccache
kv_stage "install" kv_install_missing "${KV_BUILD_PACKAGES[@]}"

build_release_tree() {
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2" \
        -DKV_TESTS=OFF -DKV_BENCH=OFF
  cmake --build build/release -j "$(kv_jobs)"
}
kv_stage "build release tree" build_release_tree

# The program runs in its runtime folder, which holds data/ and receives config.ini, the logs and crash files.
mkdir -p build/release/game/data
cd build/release/game
exec ../kestrovan "$@"
