#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Truvex and analyses a bundled
# example wall. Usage: scripts/run-example.sh [PROJECT.tx5d]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
project="${1:-examples/cantilever-sheet-pile-english.tx5d}"
build/bin/truvex-run "$project"
echo "The report is ${project%.*}.tx5o (plot data .tx5p, run notes .tx5r beside it)."
