#!/usr/bin/env bash
# Installs what is missing, builds Korvalin twice and runs the whole test suite
# in both builds: once as shipped (gcc), then packaged and the package checked,
# once with clang under AddressSanitizer and UndefinedBehaviorSanitizer, which
# also runs the fuzzers for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$jobs"
scripts/package.sh

scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DKORVALIN_SANITIZE=ON -DKORVALIN_FUZZ=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"
