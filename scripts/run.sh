#!/usr/bin/env bash
# Starts the desktop program on a data folder, creating it when absent.
set -euo pipefail
build=${1:-build}
data=${2:-$PWD/demo-data}
if [ ! -e "$data/db1.db" ]; then
  "$build/src/app/lanfan-admin" init --data-dir "$data"
fi
exec "$build/src/app/lanfan" --data-dir "$data"
