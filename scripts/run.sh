#!/usr/bin/env bash
# Installs what is missing, builds and starts kanvelo.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
build
exec "$BUILD_DIR/kanvelo" "$@"
