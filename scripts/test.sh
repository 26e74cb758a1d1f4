#!/usr/bin/env bash
# Installs what is missing, builds, starts a PostgreSQL cluster on loopback,
# runs every test (SQLite and PostgreSQL) and stops the cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

pg_dir="$(mktemp -d /tmp/karvela-pg.XXXXXX)"
rmdir "$pg_dir"
port=55432
while (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; do port=$((port + 1)); done
cleanup() { bash scripts/pg-test-cluster.sh stop "$pg_dir"; }
trap cleanup EXIT
bash scripts/pg-test-cluster.sh start "$pg_dir" "$port"

export KARVELA_TEST_PGHOST=127.0.0.1 KARVELA_TEST_PGPORT=$port
# The cluster's directory: the test of a server restart restarts it.
export KARVELA_TEST_PGDIR=$pg_dir
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 "$@"
