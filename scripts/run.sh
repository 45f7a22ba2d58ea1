#!/usr/bin/env bash
# Starts the desktop program on a data folder. A folder without a database
# is made first and filled with the demonstration shop.
set -euo pipefail
build=${1:-build}
data=${2:-$PWD/demo-data}
admin="$build/src/app/lanfan-admin"
if [ ! -e "$data/db1.db" ]; then
  "$admin" init --data-dir "$data"
  "$admin" demo --data-dir "$data"
fi
exec "$build/src/app/lanfan" --data-dir "$data"
