#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine as needed and builds Murvex32.exe for both
# architectures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh x64 x86
echo
echo "Murvex32.exe for Windows x64: $PWD/build/x64/bin/Murvex32.exe"
echo "Murvex32.exe for Windows x86: $PWD/build/x86/bin/Murvex32.exe"
