#!/usr/bin/env bash
# Installs what is missing, builds Tillbrook and runs every test through CTest.
source "$(dirname "$0")/scripts/common.sh"
install_missing_packages
configure_and_build
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 "$@"
