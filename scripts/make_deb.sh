#!/usr/bin/env bash
# Builds the program and packs it as build/kanvelo_<version>_amd64.deb (CPack,
# Depends worked out by dpkg-shlibdeps). Install it with
#     sudo apt-get install ./build/kanvelo_*.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
build
cd "$BUILD_DIR"
cpack -G DEB -B "$BUILD_DIR" >/dev/null
ls "$BUILD_DIR"/kanvelo_*_amd64.deb
