#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, only when something is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libcurl4-openssl-dev
          libgtest-dev libgmock-dev libbenchmark-dev curl nginx-light)
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
