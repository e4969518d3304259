#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it on the emulated desktop. The desktop's
# user acts through standard input (type "help"); a script can be piped in.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
cmake --preset native >&2
cmake --build --preset native --target lornette >&2
exec build/native/src/app/lornette "$@"
