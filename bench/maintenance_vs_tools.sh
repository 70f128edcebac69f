#!/usr/bin/env bash
# Compaction, backup and restore of the 1,000,000-transaction file beside the bare tools
# doing the same work, measured in the same run on the same file:
#   compaction  vs  VACUUM INTO + quick_check          (target: at most 1.5 times)
#   backup      vs  VACUUM INTO + zip -1                (target: at most 1.3 times)
#   restore     vs  unzip + integrity_check (128 MB cache) (target: at most 1.25 times)
# Run after bench/run.sh has built build-bench/ and written the bench file. Measure only
# on a quiet machine (uptime's load under 1).
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
install_missing_packages bc zip
BENCH="${TILLBROOK_BENCH_BUILD_DIR:-$TOP/build-bench}/bench/bin/bench_maintenance"
FILE="${TILLBROOK_BENCH_FILE:-${TMPDIR:-/tmp}/bench-1m.tillbrook}"
[ -f "$FILE" ] || { echo "no bench file $FILE: run bench/run.sh first" >&2; exit 1; }
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "scale=3; ($end - $start) / 1" | bc; }

cp "$FILE" "$WORK/book.tillbrook"
sqlite3 "$WORK/book.tillbrook" "DELETE FROM tbTransactions WHERE TransactionID % 100 = 0"
vacuum=$(seconds sqlite3 "$WORK/book.tillbrook" "VACUUM INTO '$WORK/copy.tillbrook'")
quick=$(seconds sqlite3 "$WORK/copy.tillbrook" "PRAGMA quick_check")
zip1=$(seconds zip -q -1 -j "$WORK/book.zip" "$WORK/copy.tillbrook")
unz=$(seconds unzip -q -o "$WORK/book.zip" -d "$WORK/out")
full=$(seconds sqlite3 "$WORK/out/copy.tillbrook" "PRAGMA cache_size=-131072; PRAGMA integrity_check")

QT_QPA_PLATFORM=offscreen "$BENCH" --benchmark_filter='BM_CompactDataFile/|BM_BackupDataFile/|BM_RestoreBackup/' \
    --benchmark_color=false 2>/dev/null > "$WORK/ours.txt"
# The console lines: name, wall time, its unit (ms), CPU time, ...
ours() { awk -v n="$1" '$1 == n { printf "%.3f", $2 / 1000 }' "$WORK/ours.txt"; }
compact=$(ours BM_CompactDataFile/iterations:3)
backup=$(ours BM_BackupDataFile/iterations:3)
restore=$(ours BM_RestoreBackup/iterations:3)

printf '%-11s %8s s   bare tools %8s s   ratio %5s   target %s\n' \
    compaction "$compact" "$(echo "$vacuum + $quick" | bc)" "$(echo "scale=2; $compact / ($vacuum + $quick)" | bc)" 1.5 \
    backup "$backup" "$(echo "$vacuum + $zip1" | bc)" "$(echo "scale=2; $backup / ($vacuum + $zip1)" | bc)" 1.3 \
    restore "$restore" "$(echo "$unz + $full" | bc)" "$(echo "scale=2; $restore / ($unz + $full)" | bc)" 1.25
echo "(VACUUM INTO $vacuum s, quick_check $quick s, zip -1 $zip1 s, unzip $unz s, integrity_check $full s)"
