#!/usr/bin/env bash
# Rewrites the golden report, plot-data and run-notes files from the current
# engine. Review the diff before committing it: every changed digit is a
# changed result for a user.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target truvex_engine_tests
(cd build/engine/tests && TRUVEX_UPDATE_GOLDEN=1 ../../bin/truvex_engine_tests --gtest_filter='Golden*')
git status --short engine/tests/golden
