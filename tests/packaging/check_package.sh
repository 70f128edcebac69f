#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as an installed system sees
# it: the file layout under /usr, the desktop entry, the AppStream file, the file type,
# the computed dependencies, and starts of the unpacked program with a fresh home.
# Usage: check_package.sh BUILD_DIR   (exit 77: a packaging tool is missing, skipped)
set -uo pipefail

BUILD=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli update-mime-database flock; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

WORK=$(mktemp -d)
FIRST=
cleanup() {
  [ -n "$FIRST" ] && kill "$FIRST" 2>/dev/null && wait "$FIRST" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

echo "== building the package"
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/cpack" >"$WORK/cpack.log" 2>&1 \
  || { cat "$WORK/cpack.log"; fail "cpack did not build the package"; }
DEB=$(ls "$WORK"/cpack/tillbrook_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || fail "no tillbrook_*.deb written"
echo "$(basename "$DEB")"
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT" || fail "dpkg-deb -x failed"

echo "== layout"
for f in usr/bin/tillbrook usr/bin/tillbrook-import \
         usr/share/tillbrook/orvanedb.data usr/share/tillbrook/tillbrook_help.html \
         usr/share/applications/tillbrook.desktop usr/share/mime/packages/tillbrook.xml \
         usr/share/icons/hicolor/scalable/apps/tillbrook.svg \
         usr/share/icons/hicolor/48x48/apps/tillbrook.png usr/share/icons/hicolor/256x256/apps/tillbrook.png \
         usr/share/metainfo/org.example.tillbrook.metainfo.xml \
         usr/share/man/man1/tillbrook.1.gz usr/share/man/man1/tillbrook-import.1.gz; do
  [ -f "$ROOT/$f" ] || fail "the package lacks /$f"
done
[ "$(ls -A "$ROOT")" = usr ] || fail "the package writes outside /usr: $(ls -A "$ROOT")"
[ "$(ls -A "$ROOT/usr/bin")" = "$(printf 'tillbrook\ntillbrook-import')" ] || fail "unexpected files in /usr/bin"
file "$ROOT/usr/share/icons/hicolor/48x48/apps/tillbrook.png" | grep -q '48 x 48' || fail "the 48 px icon is not 48 x 48"
file "$ROOT/usr/share/icons/hicolor/256x256/apps/tillbrook.png" | grep -q '256 x 256' || fail "the 256 px icon is not 256 x 256"
for page in tillbrook tillbrook-import; do
  zcat "$ROOT/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1" || fail "man page $page is not troff"
done

echo "== control"
[ "$(dpkg-deb -f "$DEB" Package)" = tillbrook ] || fail "package name"
PACKAGE_VERSION=$(dpkg-deb -f "$DEB" Version)
[ "$(basename "$DEB")" = "tillbrook_${PACKAGE_VERSION}_$(dpkg-deb -f "$DEB" Architecture).deb" ] || fail "file name"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $DEPENDS"
for dep in libc6 libqt6core6 libqt6widgets6 libsqlite3-0 libzip4 libqt6sql6-sqlite; do
  grep -q "\b$dep\b" <<<"$DEPENDS" || fail "Depends lacks $dep"
done

echo "== desktop entry and AppStream"
desktop-file-validate "$ROOT/usr/share/applications/tillbrook.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tillbrook %f' "$ROOT/usr/share/applications/tillbrook.desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-tillbrook;' "$ROOT/usr/share/applications/tillbrook.desktop" || fail "MimeType line"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.example.tillbrook.metainfo.xml" || fail "appstreamcli validate"

echo "== file type"
mkdir -p "$WORK/mime/packages"
cp "$ROOT/usr/share/mime/packages/tillbrook.xml" "$WORK/mime/packages/"
update-mime-database "$WORK/mime" >"$WORK/mime.log" 2>&1 || { cat "$WORK/mime.log"; fail "update-mime-database refused the MIME package"; }
grep -q '^[0-9]*:application/x-tillbrook:\*\.tillbrook$' "$WORK/mime/globs2" || fail "*.tillbrook is not application/x-tillbrook"
grep -aq 'SQLite format 3' "$WORK/mime/magic" || fail "no SQLite magic"

echo "== starts from the unpacked tree"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share
# The single-instance channel lives in TMPDIR: this test's own, apart from any running Tillbrook.
export TMPDIR=$WORK/tmp QT_QPA_PLATFORM=offscreen
unset TILLBROOK_HOME
mkdir -p "$HOME" "$TMPDIR" "$WORK/docs"
BIN=$ROOT/usr/bin
SHARE=$ROOT/usr/share/tillbrook

VERSION=$("$BIN/tillbrook" --version) || fail "tillbrook --version did not exit 0"
echo "$VERSION"
[ "$(head -n 1 <<<"$VERSION")" = "Tillbrook $PACKAGE_VERSION" ] || fail "the package's version is not the program's"
grep -qx "Template: $SHARE/orvanedb.data" <<<"$VERSION" || fail "--version does not find the template in ../share/tillbrook"
grep -qx "Help page: $SHARE/tillbrook_help.html" <<<"$VERSION" || fail "--version does not find the help page in ../share/tillbrook"
grep -qx "Settings: $XDG_CONFIG_HOME/Tillbrook/Settings.ini" <<<"$VERSION" || fail "--version names another Settings.ini"
"$BIN/tillbrook" --help | grep -q 'FILE' || fail "tillbrook --help"
"$BIN/tillbrook-import" --help | grep -q '^usage: tillbrook-import' || fail "tillbrook-import --help"

FILE1=$WORK/docs/first.tillbrook
FILE2="$WORK/docs/second file.tillbrook"
install -m 644 "$SHARE/orvanedb.data" "$FILE1"
install -m 644 "$SHARE/orvanedb.data" "$FILE2"
# An open data file is flock-ed by the program that has it open.
held() { flock --nonblock --conflict-exit-code 99 "$1" true; [ $? -eq 99 ]; }
waitFor() { # seconds condition...
  local seconds=$1; shift
  for _ in $(seq $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}

"$BIN/tillbrook" "$FILE1" >"$WORK/first.log" 2>&1 &
FIRST=$!
waitFor 60 held "$FILE1" || { cat "$WORK/first.log"; fail "the first start did not open FILE"; }
waitFor 20 test -f "$XDG_CONFIG_HOME/Tillbrook/Settings.ini" || fail "no Settings.ini under \$XDG_CONFIG_HOME/Tillbrook"
[ -f "$XDG_DATA_HOME/Tillbrook/default.tillbrook" ] || fail "no default.tillbrook under \$XDG_DATA_HOME/Tillbrook"
[ "$(ls -A "$BIN")" = "$(printf 'tillbrook\ntillbrook-import')" ] || fail "the start wrote beside the executable: $(ls -A "$BIN")"
[ "$(ls -A "$SHARE")" = "$(printf 'orvanedb.data\ntillbrook_help.html')" ] || fail "the start wrote into share/tillbrook"

timeout 20 "$BIN/tillbrook" "$FILE2" || fail "the second start did not end at once with status 0"
waitFor 30 held "$FILE2" || { cat "$WORK/first.log"; fail "the first Tillbrook did not open the file handed over"; }
held "$FILE1" && fail "the first Tillbrook still holds the file it left"
kill -0 "$FIRST" 2>/dev/null || fail "the first Tillbrook ended"
echo "PASS"
