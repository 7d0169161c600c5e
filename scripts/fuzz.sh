#!/usr/bin/env bash
# The long check of generated hostile settings files: COUNT files (10000 unless
# given) through the steps of /save (in the test process: a crash ends that part,
# and its log's last line names the file), spread over the machine's cores, each
# part with a seed of its own. Run after scripts/test.sh has built the x64 tests.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-10000}
parts=$(nproc)
# A prefix of its own, so that test runs meanwhile do not end it.
export WINEPREFIX="$PWD/build/x64/fuzzprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
sh tests/wine-prefix.sh up
# A copy of the programs, so that a build meanwhile does not pull them away.
rm -rf build/fuzzbin && mkdir -p build/fuzzbin
cp build/x64/bin/unattended_tests.exe build/fuzzbin/
status=0
for part in $(seq 1 "$parts"); do
  MURVEX_FUZZ_COUNT=$((count / parts)) MURVEX_FUZZ_SEED=$((RANDOM * 32768 + RANDOM)) \
    xvfb-run -a -n $((150 + part * 10)) /usr/lib/wine/wine64 build/fuzzbin/unattended_tests.exe \
    --gtest_filter='HostileSettings.Generated*' >"build/fuzz-$part.log" 2>&1 &
done
for job in $(jobs -p); do wait "$job" || status=1; done
sh tests/wine-prefix.sh down
grep -h 'hostile settings' build/fuzz-*.log
grep -h -A12 'Failure' build/fuzz-*.log || true
exit $status
