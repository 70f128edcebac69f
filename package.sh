#!/usr/bin/env bash
# Installs what is missing, builds Tillbrook in Release and writes the Debian package
# dist/tillbrook_<version>_amd64.deb. Install it with: sudo apt-get install ./dist/tillbrook_*.deb
source "$(dirname "$0")/scripts/common.sh"
PACKAGE_BUILD_DIR="${TILLBROOK_PACKAGE_BUILD_DIR:-$TOP/build-package}"
install_missing_packages
if [ ! -f "$PACKAGE_BUILD_DIR/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$TOP" -B "$PACKAGE_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTILLBROOK_BUILD_TESTS=OFF "${launcher[@]}"
fi
cmake --build "$PACKAGE_BUILD_DIR" --parallel
mkdir -p "$TOP/dist"
(cd "$PACKAGE_BUILD_DIR" && cpack -G DEB -B "$PACKAGE_BUILD_DIR/cpack")
cp "$PACKAGE_BUILD_DIR"/cpack/tillbrook_*.deb "$TOP/dist/"
ls -1 "$TOP"/dist/tillbrook_*.deb
