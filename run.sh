#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and starts it. Needs a graphical display;
# on a machine without one: xvfb-run -a bash run.sh
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)"
exec ./build/release/src/app/quillmere "$@"
