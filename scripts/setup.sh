#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, only when something is missing.
set -euo pipefail
# nlohmann-json3-dev reads the search services' JSON answers; searx is the programs' private search
# (both programs start one when nothing else chooses their search) and runs on loopback in tests.
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libcurl4-openssl-dev
          libgtest-dev libgmock-dev libbenchmark-dev curl
          libqt6svg6 desktop-file-utils appstream  # the window icon (SVG plugin); the install test
          nlohmann-json3-dev searx
          nginx-light  # serves the download benchmark's pages
          xvfb  # the window under a virtual display in a test of the private searx
          iproute2)  # .ci/run: loopback up in the test's network namespace
# scripts/fuzz.sh --fuzz: clang and its runtimes, libFuzzer's among them.
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${missing[@]}"
fi
