#!/usr/bin/env bash
# Installs what is missing, builds the native, sanitizer and Windows presets, and runs every test
# natively and under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

# The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize -j2

cmake --preset windows
cmake --build --preset windows
echo "test-all: Windows build ready: build/windows/src/app/lornette.exe"
