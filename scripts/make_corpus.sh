#!/usr/bin/env bash
# Writes the seed corpus of the fuzz targets (fuzz/corpus/<reader>/) with the
# program's own writers. Inputs kept there from earlier findings stay.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
build
"$BUILD_DIR/make_corpus" "$ROOT/fuzz/corpus"
