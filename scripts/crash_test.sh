#!/usr/bin/env bash
# Kills a program that saves a month of 1000 entries at random moments,
# KILLS times (default 1000), and checks after every kill that the month file
# is whole and no temporary file is left after the clean-up.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing
build
KANVELO_CRASH_KILLS="${1:-1000}" "$BUILD_DIR/test_ledger" --gtest_filter='CrashTest.*'
