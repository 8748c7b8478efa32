#!/usr/bin/env bash
# Installs what Rivwood needs, builds it and runs every test, builds and checks the Debian package,
# then the bounded fuzz runs.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIVWOOD_WERROR=ON
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 300)
bash scripts/package.sh build
bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
