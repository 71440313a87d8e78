#!/usr/bin/env bash
# The one entry point for a fresh Debian 12 machine (as root, or with sudo):
#   ./build.sh run [mode]   build and run the saver (full screen unless a mode is given)
#   ./build.sh test         build and run every test
#   ./build.sh sanitize     the same with AddressSanitizer and UBSan, in build-sanitize/
#   ./build.sh bench        build and print the benchmark figures
#   ./build.sh build        just build
#   ./build.sh package      build, then make the Debian package in the build folder
#   ./build.sh windows      cross-build skyraid.scr for Windows and test it under Wine, in build-windows/
# Each first installs whatever Debian packages are missing.
set -euo pipefail
cd "$(dirname "$0")"
build_dir=${SKYRAID_BUILD_DIR:-build}

configure_and_build() {
    scripts/ensure-packages
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYRAID_WERROR=ON "$@"
    cmake --build "$build_dir" --parallel
}

command=${1:-}
[ $# -gt 0 ] && shift
case "$command" in
    build) configure_and_build ;;
    run)
        configure_and_build
        exec "$build_dir/bin/skyraid" "${@:-/s}"
        ;;
    test)
        configure_and_build
        scripts/run-tests "$build_dir"
        ;;
    sanitize)
        # A folder of its own; GCC's -Warray-bounds is not to be trusted
        # under -fsanitize, so warnings are not errors here.
        build_dir=${SKYRAID_SANITIZE_BUILD_DIR:-build-sanitize}
        configure_and_build -DSKYRAID_SANITIZE=ON -DSKYRAID_WERROR=OFF -DSKYRAID_BUILD_BENCH=OFF
        # Leaks are checked too; the few that libraries below us keep for
        # good are listed in scripts/lsan.supp. (Full stacks for every
        # allocation would name them better, but make the run ten times slower.)
        export ASAN_OPTIONS=detect_leaks=1
        export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        scripts/run-tests "$build_dir"
        ;;
    package)
        configure_and_build
        (cd "$build_dir" && cpack -G DEB)
        ;;
    bench)
        configure_and_build
        scripts/run-bench "$build_dir"
        ;;
    windows)
        # Qt for Windows from Debian's sources, built once into a cache
        # outside the repository (scripts/windows/build-qt says where), then
        # the saver's folder and zip, then the saver under Wine.
        windows_dir=${SKYRAID_WINDOWS_BUILD_DIR:-build-windows}
        scripts/ensure-packages scripts/packages.txt scripts/windows/packages.txt
        qt=$(scripts/windows/build-qt)
        scripts/windows/build-skyraid "$qt" "$windows_dir"
        scripts/with-test-session tests/windows/run-windows-tests "$PWD" "$windows_dir"
        ;;
    *)
        echo "usage: $0 run [/s | /c | /p <window> | /a] | test | sanitize | bench | build | package | windows" >&2
        exit 2
        ;;
esac
