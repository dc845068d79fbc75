#!/usr/bin/env bash
# One entry point for building, testing and running QUORRIX on a Debian machine.
#
#   ./build.sh test    install what is missing, build natively and for Windows, run all
#                      tests natively and the Windows tests under Wine
#   ./build.sh run     install and build only the two programs, then run a batch over
#                      examples/ with the SolidWorks stand-in
#   ./build.sh bench   build and run the benchmarks
#   ./build.sh sanitize  build the engine, the stand-in and their tests with clang's
#                      AddressSanitizer and UndefinedBehaviorSanitizer and run the tests
#   ./build.sh fuzz [SECONDS]  build the libFuzzer programs of tests/fuzz and run each for
#                      SECONDS (60 by default) from its seeds
#   ./build.sh deps    only install the Debian packages
set -euo pipefail

cd "$(dirname "$0")"

# What the programs need; the tests and benchmarks need the rest as well.
# qpdf joins a run's PDFs into one; its program lists the example's combined PDF.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libqpdf-dev qpdf)
PACKAGES=("${RUN_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-x86-64 wine wine64)
# The checked builds: clang with its sanitizer and libFuzzer run-time libraries.
CHECKED_PACKAGES=(cmake ninja-build clang libclang-rt-dev libqpdf-dev qpdf)

# install_deps [PACKAGE ...]: installs those that are missing, all of PACKAGES by default.
install_deps() {
    local wanted=("$@") missing=()
    [ ${#wanted[@]} -gt 0 ] || wanted=("${PACKAGES[@]}")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

native() {
    cmake --preset native -DQUORRIX_BUILD_TESTS=ON -DQUORRIX_BUILD_BENCH=ON
    cmake --build --preset native
}

# Only the two programs (and the stand-in they link). A build folder configured before keeps
# its tests and benchmarks; a new one gets none, so it needs neither GoogleTest nor Google
# Benchmark until ./build.sh test asks for them.
native_programs() {
    if [ -f build/native/CMakeCache.txt ]; then
        cmake --preset native
    else
        cmake --preset native -DQUORRIX_BUILD_TESTS=OFF -DQUORRIX_BUILD_BENCH=OFF
    fi
    cmake --build --preset native --target quorrix quorrix-batch
}

windows() {
    cmake --preset mingw
    cmake --build --preset mingw
}

# Wine needs a prefix of its own that nothing else shares; a new one costs about ten
# seconds and leaves nothing behind.
with_wine_prefix() {
    local prefix
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/quorrix-wine.XXXXXX")
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    local rc=0
    "$@" || rc=$?
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    return $rc
}

run_tests() {
    native
    ctest --preset native -j"$(nproc)"
    windows
    with_wine_prefix ctest --preset mingw
}

# The sanitizers stop a test at the first error they find, so a test that meets undefined
# behaviour or a bad memory access fails instead of passing by luck.
run_sanitized_tests() {
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan -j"$(nproc)"
}

# Each fuzz program runs from its seeds in tests/fuzz/corpus/<name> and keeps what it finds
# new in build/fuzz/corpus/<name>, so a later run goes on from there. An input that breaks
# an invariant is saved in build/fuzz/findings/ and named in the output.
run_fuzzers() {
    local seconds=${1:-60}
    case "$seconds" in
        '' | *[!0-9]*) echo "usage: $0 fuzz [SECONDS]" >&2; return 2 ;;
    esac
    cmake --preset fuzz
    cmake --build --preset fuzz
    local programs=build/fuzz/tests/fuzz findings=build/fuzz/findings failed=() fuzzer name
    mkdir -p "$findings"
    for fuzzer in "$programs"/fuzz_*; do
        [ -x "$fuzzer" ] || continue
        name=$(basename "$fuzzer")
        mkdir -p "build/fuzz/corpus/$name"
        printf '%-22s %ss ... ' "$name" "$seconds"
        if "$fuzzer" "build/fuzz/corpus/$name" "tests/fuzz/corpus/$name" \
            -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
            -artifact_prefix="$findings/$name-" >"$findings/$name.log" 2>&1; then
            grep -o 'Done [0-9]* runs' "$findings/$name.log" | tail -n 1 || echo "done"
        else
            echo "FAILED"
            grep -E 'invariant broken|ERROR:|SUMMARY:|runtime error|Test unit written' \
                "$findings/$name.log" | head -n 8 | sed 's/^/    /'
            failed+=("$name")
        fi
    done
    if [ ${#failed[@]} -gt 0 ]; then
        echo "Fuzzing found faults in: ${failed[*]} (logs in $findings)" >&2
        return 1
    fi
}

# The example run: the GP25 gear pump of examples/ as a SolidWorks user would process it,
# against the stand-in. Everything it reads and writes stays in a fresh folder
# build/examples-run/<time>/ (the stored settings too, so a user's own are never touched),
# except the process log, which quorrix-batch keeps beside itself and names in its output:
#   examples/        the copy the run works on; every output lands next to its document
#   swsim.ini        the stand-in's configuration; spool.jsonl and journal.log beside it
#   *.qrx            the print lists with absolute paths, failed-*.qrx what went wrong
#   output-*.txt     what quorrix-batch printed: the problems and where the process log is
#   config/ data/ tmp/   XDG_CONFIG_HOME, XDG_DATA_HOME and TMPDIR of the run
# A multi-job applies every step to every document, and a drawing step on a part is a
# problem, as is a 3D step on a drawing; so the drawings and the models go through two
# passes, each with its own settings file.
EXAMPLE_DRAWING_STEPS="Use Pre/Postfix 0, Plot, TIFF, Export Doc PDF, DXF"
EXAMPLE_MODEL_STEPS="Use Pre/Postfix 1, Export Doc PDF, Use Pre/Postfix 0, Export 3D STEP"
# The one entry that is meant to fail (it refuses to open).
EXAMPLE_EXPECTED_FAILURE="GP25-004 Gasket.SLDDRW"

# Writes the print lists of a run: pump.qrx with every entry of the example list, and
# drawings.qrx and models.qrx split by type. Names in the example list are relative to its
# folder; a print list needs full paths.
write_example_lists() {
    local source=$1 docs=$2 work=$3 line name path
    : >"$work/pump.qrx"; : >"$work/drawings.qrx"; : >"$work/models.qrx"
    while IFS= read -r line || [ -n "$line" ]; do
        line=${line%$'\r'}
        name=${line#\"}; name=${name%\"}
        [ -n "$name" ] || continue
        case "$name" in /*) path=$name ;; *) path=$docs/$name ;; esac
        printf '"%s"\r\n' "$path" >>"$work/pump.qrx"
        case "${name,,}" in
            *.slddrw) printf '"%s"\r\n' "$path" >>"$work/drawings.qrx" ;;
            *.sldprt | *.sldasm) printf '"%s"\r\n' "$path" >>"$work/models.qrx" ;;
        esac
    done <"$source"
}

# The entries of a print list file, one per line, without quotes.
list_entries() {
    [ -f "$1" ] || return 0
    sed -e 's/\r$//' -e 's/^"//' -e 's/"$//' -e '/^$/d' "$1"
}

line_count() {
    if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi
}

summarize_outputs() {
    local work=$1 label=$2 pattern=$3 files count
    files=$(cd "$work" && find examples -type f -iname "$pattern" | sort)
    count=$(printf '%s' "$files" | grep -c . || true)
    printf '  %-6s %3d  in %s/examples/\n' "$label" "$count" "$work"
}

run_examples() {
    local batch=$PWD/build/native/src/app/quorrix-batch
    if [ ! -x "$batch" ]; then
        echo "$batch was not built." >&2
        return 2
    fi
    local stamp work
    stamp=$(date +%Y%m%d-%H%M%S)
    work=$PWD/build/examples-run/$stamp
    local n=1
    while [ -e "$work" ]; do n=$((n + 1)); work=$PWD/build/examples-run/$stamp-$n; done
    case "$work" in
        *'"'*)
            echo "A print list cannot hold a path with a double quote: $work" >&2
            return 2 ;;
    esac
    mkdir -p "$work/config" "$work/data" "$work/tmp"
    cp -R examples "$work/examples"
    ln -sfn "$(basename "$work")" build/examples-run/latest
    local docs=$work/examples
    cat >"$work/swsim.ini" <<'EOF'
[Installation]
Installed=1
Revision=30.0.0
ActivePrinter=Office Laser

[Files]
Spool=spool.jsonl
Journal=journal.log
EOF
    write_example_lists "$docs/pump.qrx" "$docs" "$work"

    local worst=0 pass rc
    for pass in drawings models; do
        local steps=$EXAMPLE_DRAWING_STEPS
        if [ "$pass" = models ]; then steps=$EXAMPLE_MODEL_STEPS; fi
        echo
        echo "== Multi-job over the $pass ($steps)"
        # The progress line goes to standard error, so copying the output leaves it in place.
        set +e
        (cd "$work" && env QUORRIX_SWSIM_CONFIG="$work/swsim.ini" XDG_CONFIG_HOME="$work/config" \
            XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp" \
            "$batch" MULTIJOB --list "$work/$pass.qrx" --settings "$docs/pump-$pass.qrxcfg" \
            --log --failed-list "$work/failed-$pass.qrx") | tee "$work/output-$pass.txt"
        rc=${PIPESTATUS[0]}
        set -e
        echo "== quorrix-batch exit status: $rc"
        if [ "$rc" -gt "$worst" ]; then worst=$rc; fi
    done

    # The drawing package: the assembly's drawings in the order of its bill of materials,
    # exported as PDF and joined into one file with a bookmark per drawing.
    local package="$work/GP25-000 drawing package.pdf"
    echo
    echo "== Drawing package of GP25-000 Gear pump.SLDASM (Export Doc PDF, combined)"
    set +e
    (cd "$work" && env QUORRIX_SWSIM_CONFIG="$work/swsim.ini" XDG_CONFIG_HOME="$work/config" \
        XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp" \
        "$batch" EXPORTDOC --assembly "$docs/GP25-000 Gear pump.SLDASM" \
        --settings "$docs/pump-drawings.qrxcfg" --combine-pdf "$package" \
        --failed-list "$work/failed-package.qrx") 2>&1 | tee "$work/output-package.txt"
    rc=${PIPESTATUS[0]}
    set -e
    echo "== quorrix-batch exit status: $rc"
    if [ "$rc" -gt "$worst" ]; then worst=$rc; fi
    if [ -f "$package" ]; then
        echo "Combined PDF $package ($(qpdf --show-npages "$package") pages), bookmarks:"
        # qpdf writes a bookmark's own title after those of its sheets.
        qpdf --json --json-key=outlines "$package" | awk '
            /"destpageposfrom1"/ { match($0, /^ */); page[RLENGTH] = $2; sub(/,$/, "", page[RLENGTH]) }
            /"title"/ {
                match($0, /^ */); depth = RLENGTH
                title = $0; sub(/^ *"title": "/, "", title); sub(/",?$/, "", title)
                if (depth == 6) { printf "  %s (page %s)\n%s", title, page[depth], sheets; sheets = "" }
                else sheets = sheets "      " title "\n"
            }'
    fi

    echo
    echo "Example run in $work"
    summarize_outputs "$work" PDF '*.pdf'
    local pdf pages
    while IFS= read -r pdf; do
        [ -n "$pdf" ] || continue
        pages=$(grep -ao '/Count [0-9]*' "$pdf" | head -n 1 | cut -d' ' -f2) || true
        printf '           %s (pages: %s)\n' "$(basename "$pdf")" "${pages:-?}"
    done < <(find "$docs" -type f -iname '*.pdf' | sort)
    summarize_outputs "$work" TIFF '*.tif'
    summarize_outputs "$work" DXF '*.dxf'
    summarize_outputs "$work" STEP '*.step'
    printf '  print spool  %s (%d sheets printed)\n' "$work/spool.jsonl" \
        "$(line_count "$work/spool.jsonl")"
    printf '  journal      %s (%d calls)\n' "$work/journal.log" "$(line_count "$work/journal.log")"
    local log found=0
    while IFS= read -r log; do
        [ -n "$log" ] || continue
        found=1
        printf '  process log  %s (%d lines)\n' "$log" "$(line_count "$log")"
    done < <(sed -n 's/^Process log: //p' "$work"/output-*.txt | sort -u)
    [ "$found" -eq 1 ] || echo "  process log  none reported"

    local failed
    failed=$( (list_entries "$work/failed-drawings.qrx"; list_entries "$work/failed-models.qrx"
        list_entries "$work/failed-package.qrx") | sed "s|^$docs/||" | sort -u)
    if [ "$worst" -ge 2 ]; then
        echo "quorrix-batch failed (exit status $worst)." >&2
        return "$worst"
    fi
    if [ "$failed" != "$EXAMPLE_EXPECTED_FAILURE" ]; then
        echo "Expected problems with $EXAMPLE_EXPECTED_FAILURE only; documents with problems:" >&2
        printf '%s\n' "${failed:-none}" | sed 's/^/  /' >&2
        return 1
    fi
    echo "Problems were reported for $EXAMPLE_EXPECTED_FAILURE only, which is set to fail."
}

case "${1:-test}" in
    deps) install_deps "${PACKAGES[@]}" "${CHECKED_PACKAGES[@]}" ;;
    test) install_deps; run_tests ;;
    bench)
        install_deps; native
        ./build/native/bench/quorrix_bench --benchmark_counters_tabular=true
        ./build/native/bench/quorrix_gui_bench --benchmark_counters_tabular=true ;;
    run)
        install_deps "${RUN_PACKAGES[@]}"; native_programs; run_examples ;;
    sanitize)
        install_deps "${CHECKED_PACKAGES[@]}" libgtest-dev libgmock-dev; run_sanitized_tests ;;
    fuzz)
        install_deps "${CHECKED_PACKAGES[@]}"; run_fuzzers "${2:-60}" ;;
    *) echo "usage: $0 [test|run|bench|sanitize|fuzz [SECONDS]|deps]" >&2; exit 2 ;;
esac
