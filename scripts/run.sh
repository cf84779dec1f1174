#!/usr/bin/env bash
# Sets up, builds and starts the window; the window starts a private searx as its search service
# when it remembers no other service and the arguments choose none.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec ./build/ravelmoot "$@"
