#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Velarix and runs the command-line front
# end on the bundled example wing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build
./build/bin/velarix-cli stations --stations 15
