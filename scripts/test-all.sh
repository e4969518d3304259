#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows presets, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
echo "test-all: Windows build ready: build/windows/src/app/lornette.exe"
