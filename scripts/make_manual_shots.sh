#!/usr/bin/env bash
# Draws the guide's screenshots (docs/manual/images/<window>.png) again from
# the real windows, offscreen; run after changing a window, then rebuild so
# that the program carries the new pictures.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" --target manual_shots -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/manual_shots" "$ROOT/docs/manual/images"
echo "screenshots in docs/manual/images"
