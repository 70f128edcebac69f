#!/usr/bin/env bash
# Runs the command-line importer on the generated 1,000,000-transaction QIF file under
# /usr/bin/time and prints the wall time, the rate and the peak resident memory.
#   bench/import_peak_memory.sh
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
BUILD_DIR="${TILLBROOK_BENCH_BUILD_DIR:-$TOP/build-bench}"
install_missing_packages libbenchmark-dev time
configure_and_build -DCMAKE_BUILD_TYPE=Release -DTILLBROOK_BUILD_BENCH=ON -DTILLBROOK_BUILD_TESTS=OFF
WORK="${TMPDIR:-/tmp}/tillbrook-import-bench"
mkdir -p "$WORK"
QIF="$WORK/bench-1m.qif"
if [ ! -f "$QIF" ]; then
  "$BUILD_DIR/bin/tillbrook_qifgenerate" "$QIF" 1000000 > "$WORK/references"
fi
DATA="$WORK/target.tillbrook"
rm -f "$DATA"
"$BUILD_DIR/bin/tillbrook_generate" "$DATA" 0 2>/dev/null
links=()
while read -r reference; do
  account="${reference#[}"; account="${account%]}"
  links+=(--link "$reference=$account")
done < "$WORK/references"
/usr/bin/time -v "$BUILD_DIR/bin/tillbrook-import" "$DATA" "$QIF" "${links[@]}" 2> "$WORK/time.log"
seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,t,":"); s=0; for(i=1;i<=n;i++) s=s*60+t[i]; print s}' "$WORK/time.log")
peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/time.log")
awk -v s="$seconds" -v kb="$peak_kb" 'BEGIN { printf "wall %.2f s, %.0f transactions/s, peak resident %.0f MB\n", s, 1000000 / s, kb / 1024 }'
