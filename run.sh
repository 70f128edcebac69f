#!/usr/bin/env bash
# Installs what is missing, builds Tillbrook and starts it on its default data file.
source "$(dirname "$0")/scripts/common.sh"
install_missing_packages
configure_and_build
exec "$BUILD_DIR/bin/tillbrook" "$@"
