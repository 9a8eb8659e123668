#!/usr/bin/env bash
# Installs what is missing, builds Velmora and starts it on the bundled
# dictionary. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velmora velmora-cli
exec build/release/bin/velmora "$@"
