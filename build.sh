#!/usr/bin/env bash
# One entry point for building, testing and running QUORRIX on a Debian machine.
#
#   ./build.sh test    install what is missing, build natively and for Windows, run all
#                      tests natively and the Windows tests under Wine
#   ./build.sh run     build and run a batch over examples/ with the SolidWorks stand-in
#   ./build.sh bench   build and run the benchmarks
#   ./build.sh deps    only install the Debian packages
set -euo pipefail

cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
          g++-mingw-w64-x86-64 wine wine64)

install_deps() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
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
    cmake --preset native
    cmake --build --preset native
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

case "${1:-test}" in
    deps) install_deps ;;
    test) install_deps; run_tests ;;
    bench)
        install_deps; native
        ./build/native/bench/quorrix_bench --benchmark_counters_tabular=true ;;
    run)
        install_deps; native
        echo "The headless batch runner is not yet available." ;;
    *) echo "usage: $0 [test|run|bench|deps]" >&2; exit 2 ;;
esac
