#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need, and clang with
# its sanitizer and fuzzing run-times for the checking builds.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev \
  libsqlite3-dev sqlite3 libssl-dev libplist-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-dejavu-core xdg-utils \
  clang libclang-rt-14-dev llvm
