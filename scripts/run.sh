#!/usr/bin/env bash
# Sets up, builds and starts the window, with a private searx as its search service (see
# with_local_searx.sh) unless the window remembers another service or the arguments choose one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec bash scripts/with_local_searx.sh ./build/ravelmoot "$@"
