#!/usr/bin/env bash
# Installs what is missing, builds Tillbrook and runs every test through CTest.
source "$(dirname "$0")/scripts/common.sh"
# LibreOffice reads back the exported spreadsheets; only the tests need it.
install_missing_packages libreoffice-calc-nogui
configure_and_build
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 "$@"
