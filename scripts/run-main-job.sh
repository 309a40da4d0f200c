#!/usr/bin/env bash
# The main job: installs what is missing, builds, and lists what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
echo "Built:"
find build -maxdepth 2 -type f -perm -u+x -name 'TRZN*' | sort
