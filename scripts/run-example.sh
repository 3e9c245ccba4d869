#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Velarix and runs the command-line front
# end on the bundled example wing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build
# The swept example wing: lift and moment distributions, neutral point,
# stability margin, trim, and the profile drag of every station through our
# airfoil analysis program, with the wing polar.
./build/bin/velarix-cli profile-drag examples/nurfluegel_gepfeilt.flg --stations 31
