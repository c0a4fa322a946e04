#!/usr/bin/env bash
# Installs what the build needs, builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target quendrix
exec ./build/quendrix
