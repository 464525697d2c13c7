#!/bin/bash
# A long random-deformation run over every shipped and test figure in a
# build with the address and undefined-behaviour sanitizers: mouse, key and
# number steps; no crash, nothing that is not finite drawn, no leak.
# Usage: scripts/soak.sh [STEPS]   (100000 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-100000}
cmake -S . -B build-asan -G Ninja -DSAKUZU_SANITIZE=ON -DSAKUZU_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan --target sakuzu_core_tests
start=$(date +%s)
SAKUZU_SOAK_STEPS=$steps ./build-asan/sakuzu_core_tests \
  --gtest_filter='Deform.RandomDeformationSoak'
echo "soak: $steps steps per figure in $(($(date +%s) - start)) s"
