# Shared by run.sh and test.sh: install what is missing, then configure and build.
set -euo pipefail

TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TILLBROOK_BUILD_DIR:-$TOP/build}"

PACKAGES=(
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite
  libzip-dev zipcmp zipmerge ziptool libxkbcommon-dev libsqlite3-dev
  cmake ninja-build g++ pkg-config fonts-dejavu-core poppler-utils
  unzip sqlite3
  dpkg-dev file desktop-file-utils appstream shared-mime-info
)

install_missing_packages() {
  local missing=()
  local p
  for p in "${PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$TOP" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
  fi
  cmake --build "$BUILD_DIR" --parallel
}
