#!/bin/sh
# What a document costs through COM: quorrix-batch.exe Plots two-sheet drawings (one view
# per sheet) under Wine, once against the in-process stand-in (--stand-in) and once
# through the stand-in automation server in a process of its own. For each it prints the
# automation calls per document (journal lines, busy notes left out) with the connects,
# Visible/UserControl and revision reads among them, and the wall time per document.
# Both are taken between a run of SMALL and one of LARGE documents, so what a run costs
# once (starting Wine, SolidWorks, the first connect) drops out. The runs use the settings
# in force in the prefix: the defaults in a throwaway one.
#
#   sh bench/swserver_calls.sh [MINGW_BUILD_FOLDER] [SMALL] [LARGE]
#
# The build folder defaults to build/mingw (cmake --preset mingw && cmake --build --preset
# mingw). Without WINEPREFIX set, a throwaway prefix is made and removed afterwards. The
# server is registered in the prefix for the runs and unregistered at the end.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/mingw}
small=${2:-6}
large=${3:-18}
batch=$build/src/app/quorrix-batch.exe
server=$build/src/swserver/quorrix-swserver.exe
for program in "$batch" "$server"; do
    [ -f "$program" ] || { echo "not built: $program"; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorrix-bench.XXXXXX")
ownPrefix=
if [ -z "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$work/prefix
    ownPrefix=yes
fi
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wine "$server" /UnregServer /AllUsers >/dev/null 2>&1 || true
    [ -n "$ownPrefix" ] && { wineserver -k || true; }
    rm -rf "$work"
}
trap cleanup EXIT

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
# Every process of a run has ended, the server's included, before the next one starts.
settle() { timeout 60 wineserver -w || { echo "a Wine process did not end"; exit 1; }; }

printf '[Files]\nSpool=spool.jsonl\nJournal=journal.log\n' >"$work/swsim.ini"
wine "$server" /RegServer /AllUsers --config "$(winpath "$work/swsim.ini")"
settle

# plot MODE COUNT: one Plot over COUNT fresh drawings; sets seconds, calls and its parts.
plot() {
    rm -rf "$work/docs" "$work/journal.log" "$work/spool.jsonl"
    mkdir "$work/docs"
    : >"$work/list.qrx"
    i=1
    while [ "$i" -le "$2" ]; do
        printf '[Document]\n[Sheet.1]\nName=One\nView.1=mode=3;facetted=0;edges=0;useparent=1\n[Sheet.2]\nName=Two\nView.1=mode=3;facetted=0;edges=0;useparent=1\n' \
            >"$work/docs/D$i.SLDDRW"
        printf '"%s"\r\n' "$(winpath "$work/docs/D$i.SLDDRW")" >>"$work/list.qrx"
        i=$((i + 1))
    done
    standIn=
    [ "$1" = inprocess ] && standIn=--stand-in
    start=$(date +%s.%N)
    QUORRIX_SWSIM_CONFIG=$(winpath "$work/swsim.ini") wine "$batch" Plot \
        --list "$(winpath "$work/list.qrx")" --quiet $standIn \
        >"$work/out.txt" 2>&1 || { cat "$work/out.txt"; echo "the $1 Plot failed"; exit 1; }
    end=$(date +%s.%N)
    settle
    seconds=$(echo "$end - $start" | bc)
    grep -v '^Note: ' "$work/journal.log" >"$work/calls.log" || true
    calls=$(wc -l <"$work/calls.log")
    connects=$(grep -c '\.CreateObject(' "$work/calls.log" || true)
    shows=$(grep -c '\.\(Visible\|UserControl\)=\?(' "$work/calls.log" || true)
    revisions=$(grep -c '\.RevisionNumber(' "$work/calls.log" || true)
}

per() { echo "scale=1; ($2 - $1) / ($large - $small)" | bc; }

printf '%-10s %9s %9s %17s %15s %12s\n' "" calls/doc connects Visible/UserCtl revision-reads s/doc
for mode in inprocess server; do
    plot "$mode" 1 # the first start of a program under Wine takes longer
    plot "$mode" "$small"
    c1=$calls k1=$connects v1=$shows r1=$revisions s1=$seconds
    plot "$mode" "$large"
    printf '%-10s %9s %9s %17s %15s %12s\n' "$mode" "$(per "$c1" "$calls")" \
        "$(per "$k1" "$connects")" "$(per "$v1" "$shows")" "$(per "$r1" "$revisions")" \
        "$(echo "scale=3; ($seconds - $s1) / ($large - $small)" | bc)"
    echo "           ($small documents: $c1 calls in $s1 s; $large: $calls calls in $seconds s)"
done
