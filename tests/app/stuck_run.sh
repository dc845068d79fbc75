#!/bin/sh
# quorrix-batch against a SolidWorks that hangs in a call and cannot be ended: the program
# has to stop by itself, with status 1 and every entry in the failed list.
set -eu
program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/quorrix-stuck.XXXXXX")
trap 'rm -rf "$work"' EXIT
printf '[Files]\nSpool=spool.jsonl\n[Faults]\nCannotBeEnded=1\n' >"$work/swsim.ini"
printf '[Document]\n[Faults]\nHang=OpenDoc2\n' >"$work/hang.SLDDRW"
printf '[Document]\n' >"$work/next.SLDDRW"
printf '"%s"\r\n"%s"\r\n' "$work/hang.SLDDRW" "$work/next.SLDDRW" >"$work/list.qrx"
status=0
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QUORRIX_SWSIM_CONFIG="$work/swsim.ini" \
    timeout 60 "$program" DXF --list "$work/list.qrx" --timeout 1 \
    --failed-list "$work/failed.qrx" --quiet 2>"$work/err.txt" || status=$?
cat "$work/err.txt"
[ "$status" -eq 1 ] || { echo "exit status $status, not 1"; exit 1; }
grep -q "could not be ended" "$work/err.txt"
cmp "$work/failed.qrx" "$work/list.qrx"
