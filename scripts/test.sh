#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine as needed, builds both architectures and runs
# the tests. The x64 build runs under wine64 in a virtual display; the x86 build
# is compiled and linked only (this kernel cannot run 32-bit programs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh x64 x86
bash scripts/check-imports.sh x86_64-w64-mingw32-objdump build/x64/bin/Murvex32.exe
bash scripts/check-imports.sh i686-w64-mingw32-objdump build/x86/bin/Murvex32.exe
xvfb-run -a ctest --preset x64
