#!/bin/sh
# quorrix-batch.exe against the SolidWorks stand-in in a process of its own, reached
# through COM as SolidWorks is, under Wine:
#   compare  Plot, TIFF, PDF, DXF and a multi-job over a few examples, with a SolidWorks
#            that is busy for the first calls of each connect and of one document; the
#            outputs, spool, journal and process log must equal those of the same runs
#            against the in-process stand-in (--stand-in), which is never busy
#   crash    the server process ends in the middle of a document: one message line, a
#            restart, the next documents done; as in-process
#   hang     a call that never returns: the document's time limit ends the server by its
#            process id, the run goes on
#   package  an assembly's drawings through the server's Document Manager (--assembly),
#            exported as PDF, in the order and with the outputs of the in-process run
#   preview  the Document Manager's preview of a stand-in drawing through the server
#            (quorrix_swcom_tests.exe as the client, given as BATCH)
# The server is registered in the Wine prefix and unregistered at the end, whatever
# happened. Wine's COM reads only the machine's classes, so the runs use a registration for
# all users; the per-user one that Windows reads is checked on its own.
set -eu
scenario=$1 batch=$2 server=$3 examples=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/quorrix-server.XXXXXX")
cleanup() {
    wine "$server" /UnregServer /AllUsers || echo "the registration could not be removed"
    wine "$server" /UnregServer || echo "the per-user registration could not be removed"
    rm -rf "$work"
}
trap cleanup EXIT

# Every server process of a run has ended (it does a few seconds after its last client),
# so the next run starts a fresh SolidWorks as in-process runs do.
servers_ended() {
    timeout 60 wineserver -w || { echo "a server process did not end"; exit 1; }
}

# Wine's drive Z: is the Unix root.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# The documents of the runs, a print list of them and the stand-in's configuration.
prepare() {
    rm -rf "$work/docs"
    mkdir -p "$work/docs"
    for name in "$@"; do
        case "$name" in
            *=*) printf '%b' "${name#*=}" >"$work/docs/${name%%=*}" ;;
            *) cp "$examples/$name" "$work/docs/$name" ;;
        esac
    done
    : >"$work/list.qrx"
    for name in "$@"; do
        printf '"%s"\r\n' "$(winpath "$work/docs/${name%%=*}")" >>"$work/list.qrx"
    done
    rm -f "$work/spool.jsonl" "$work/journal.log" "$work"/log-*.txt
}

# run MODE ACTION [OPTION ...]: one quorrix-batch run, its output kept in $work/out-MODE.txt;
# the process log is moved beside it, as it is written beside the program.
run() {
    mode=$1 action=$2
    shift 2
    standIn=
    [ "$mode" = inprocess ] && standIn=--stand-in
    status=0
    QUORRIX_SWSIM_CONFIG=$(winpath "$work/swsim.ini") timeout 120 wine "$batch" "$action" \
        --list "$(winpath "$work/list.qrx")" --settings "$(winpath "$examples/pump-drawings.qrxcfg")" \
        --log --quiet --failed-list "$(winpath "$work/failed.qrx")" $standIn "$@" \
        >"$work/out.txt" 2>&1 || status=$?
    servers_ended
    grep -v '^Process log: ' "$work/out.txt" >>"$work/out-$mode.txt" || true
    echo "$action exit $status" >>"$work/out-$mode.txt"
    tr -d '\r' <"$work/failed.qrx" >>"$work/out-$mode.txt"
    log=$(sed -n 's/^Process log: //p' "$work/out.txt" | tr -d '\r')
    if [ -n "$log" ]; then
        unix=$(printf '%s' "${log#Z:}" | tr '\\' /)
        # Times and durations differ from run to run; what was done does not.
        awk -F'\t' 'NF >= 7 { print $2, $3, $4, $5, $7, $10 }' "$unix" >>"$work/log-$mode.txt"
        rm -f "$unix"
    fi
}

# keep MODE: sets the outputs of the runs aside for the comparison.
keep() {
    mkdir -p "$work/$1"
    mv "$work/docs" "$work/$1/docs"
    sed 's/"time":"[^"]*",//' "$work/spool.jsonl" >"$work/$1/spool.jsonl" 2>/dev/null || true
    # The server notes the calls it refused as busy, which the in-process stand-in never is.
    if [ -f "$work/journal.log" ]; then
        grep -c '^Note: busy, refused ' "$work/journal.log" >"$work/$1-refused.txt" || true
        grep -v '^Note: busy, refused ' "$work/journal.log" >"$work/$1/journal.log" || true
        rm -f "$work/journal.log"
    fi
    mv "$work/log-$1.txt" "$work/out-$1.txt" "$work/$1/" 2>/dev/null || true
}

# same WHAT: the in-process and the cross-process results agree.
same() {
    if ! diff -r "$work/inprocess/$1" "$work/server/$1"; then
        echo "in-process and cross-process runs differ in $1"
        exit 1
    fi
}

register() {
    wine "$server" /RegServer /AllUsers --config "$(winpath "$work/swsim.ini")"
}

drawings="GP25-001 Housing.SLDDRW|GP25-002 Front cover.SLDDRW|GP25-101 Drive gear.SLDDRW"

case "$scenario" in
compare)
    printf '[Installation]\nVersions=,.31\n[Files]\nSpool=spool.jsonl\nJournal=journal.log\n[Faults]\nBusy=3\n' \
        >"$work/swsim.ini"
    busy="busy.SLDDRW=[Document]\n[Sheet.1]\nName=One\n[Sheet.2]\nName=Two\n[Faults]\nBusy=4\n"
    # The per-user registration: both ProgIDs, and nothing of them once removed.
    wine "$server" /RegServer --config "$(winpath "$work/swsim.ini")"
    for progId in SldWorks.Application SldWorks.Application.31 SwDocumentMgr.SwDMClassFactory; do
        wine reg query "HKCU\\Software\\Classes\\$progId\\CLSID" >/dev/null
    done
    wine "$server" /UnregServer
    ! wine reg query 'HKCU\Software\Classes\SldWorks.Application\CLSID' >/dev/null 2>&1
    register
    for mode in inprocess server; do
        IFS='|'
        # shellcheck disable=SC2086
        set -- $drawings "$busy"
        unset IFS
        prepare "$@"
        for action in Plot TIFF EXPORTDOC DXF MULTIJOB; do
            run "$mode" "$action"
        done
        keep "$mode"
    done
    for what in docs spool.jsonl journal.log log-inprocess.txt; do
        [ "$what" = log-inprocess.txt ] && mv "$work/server/log-server.txt" "$work/server/log-inprocess.txt"
        same "$what"
    done
    sed 's/^/    /' "$work/server/out-server.txt"
    diff "$work/inprocess/out-inprocess.txt" "$work/server/out-server.txt" || {
        echo "the message lines differ"; exit 1; }
    grep -q '^Plot exit 0$' "$work/server/out-server.txt"
    # Each of the five runs met a busy connect (3 calls) and the busy document (4 calls).
    [ "$(cat "$work/server-refused.txt")" -eq 35 ] || {
        echo "refused calls: $(cat "$work/server-refused.txt"), not 35"; exit 1; }
    ;;
crash)
    # The second document crashes SolidWorks; the restart starts a new server process.
    printf '[Files]\nSpool=spool.jsonl\n[Faults]\nCrashAfterOpens=1\n' >"$work/swsim.ini"
    register
    for mode in inprocess server; do
        IFS='|'
        # shellcheck disable=SC2086
        set -- $drawings
        unset IFS
        prepare "$@"
        run "$mode" DXF
        keep "$mode"
    done
    same docs
    cat "$work/server/out-server.txt"
    grep -q '^DXF exit 1$' "$work/server/out-server.txt"
    [ "$(grep -c 'GP25-002 Front cover.SLDDRW' "$work/server/out-server.txt")" -ge 2 ]
    # The failed list holds the crashed document only.
    [ "$(grep -c '^"Z:' "$work/server/out-server.txt")" -eq 1 ]
    ;;
hang)
    printf '[Files]\nSpool=spool.jsonl\n' >"$work/swsim.ini"
    register
    prepare "hang.SLDDRW=[Document]\n[Faults]\nHang=OpenDoc2\n" "GP25-002 Front cover.SLDDRW"
    run server DXF --timeout 3
    cat "$work/out-server.txt"
    grep -q '^DXF exit 1$' "$work/out-server.txt"
    grep -q 'hang.SLDDRW"$' "$work/out-server.txt"
    ! grep -q 'Front cover.SLDDRW"$' "$work/out-server.txt"
    ls "$work/docs" | grep -q '\.dxf$'
    ;;
package)
    printf '[Files]\nSpool=spool.jsonl\n' >"$work/swsim.ini"
    register
    for mode in inprocess server; do
        # shellcheck disable=SC2046 # the names hold no newline
        (cd "$examples" && ls *.SLDASM *.SLDPRT *.SLDDRW) >"$work/names.txt"
        IFS='
'
        # shellcheck disable=SC2046
        set -- $(cat "$work/names.txt")
        unset IFS
        prepare "$@"
        : >"$work/list.qrx" # the entries come from the assembly alone
        run "$mode" EXPORTDOC --assembly "$(winpath "$work/docs/GP25-000 Gear pump.SLDASM")"
        keep "$mode"
    done
    same docs
    mv "$work/server/log-server.txt" "$work/server/log-inprocess.txt"
    same log-inprocess.txt
    cat "$work/server/out-server.txt"
    diff "$work/inprocess/out-inprocess.txt" "$work/server/out-server.txt" || {
        echo "the message lines differ"; exit 1; }
    grep -q '4 models have no drawing' "$work/server/out-server.txt"
    # The drawings in the order of the bill of materials, as the process log lists them.
    order=$(grep -o 'GP25-[0-9]*' "$work/server/log-inprocess.txt" | tr '\n' ' ')
    [ "$order" = "GP25-000 GP25-001 GP25-004 GP25-002 GP25-003 GP25-101 GP25-103 GP25-200 " ] || {
        echo "drawings run in the order $order"; exit 1; }
    ;;
preview)
    printf '[Files]\nSpool=spool.jsonl\n' >"$work/swsim.ini"
    register
    prepare "GP25-001 Housing.SLDDRW"
    QUORRIX_SWSERVER_DOCUMENT=$(winpath "$work/docs/GP25-001 Housing.SLDDRW") timeout 120 \
        wine "$batch" --gtest_filter='*ThroughTheStandInServer'
    servers_ended
    ;;
*)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
echo "$scenario: as expected"
