#!/usr/bin/env bash
# Runs karvela-bench on a scratch data source of its own, never a user's:
#   scripts/bench.sh [sqlite|postgresql] [karvela-bench options]
# sqlite: a fresh database file in a temporary directory.
# postgresql: a scratch database on the server at KARVELA_BENCH_PGHOST /
# KARVELA_BENCH_PGPORT (role sa) when KARVELA_BENCH_PGPORT is set, otherwise
# on a throw-away cluster started on loopback for the run and stopped after.
# The program is build/karvela-bench, or KARVELA_BENCH_BIN.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
backend="${1:-sqlite}"
[ $# -gt 0 ] && shift
bin="${KARVELA_BENCH_BIN:-$root/build/karvela-bench}"
[ -x "$bin" ] || { echo "karvela-bench not built: $bin (run scripts/build.sh)" >&2; exit 1; }

scratch="$(mktemp -d /tmp/karvela-bench.XXXXXX)"
pg_dir=""
pg_db=""
cleanup() {
  if [ -n "$pg_db" ]; then
    psql -h "$pg_host" -p "$pg_port" -U sa -d postgres -q -c "DROP DATABASE IF EXISTS $pg_db" >/dev/null 2>&1 || true
  fi
  if [ -n "$pg_dir" ]; then bash "$root/scripts/pg-test-cluster.sh" stop "$pg_dir"; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# The data source "Tessara" exists only in this run's private ini files.
export ODBCINI="$scratch/odbc.ini" ODBCSYSINI="$scratch" XDG_CONFIG_HOME="$scratch/config"
# The grid is laid out offscreen; Qt wants a private runtime directory.
export XDG_RUNTIME_DIR="$scratch/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
: >"$scratch/odbcinst.ini"
case "$backend" in
  sqlite)
    printf '[Tessara]\nDriver=%s\nDatabase=%s\nTimeout=10000\n' \
      "$(bash "$root/scripts/odbc-driver.sh" sqlite)" "$scratch/bench.db" >"$ODBCINI"
    ;;
  postgresql)
    pg_host="${KARVELA_BENCH_PGHOST:-127.0.0.1}"
    if [ -n "${KARVELA_BENCH_PGPORT:-}" ]; then
      pg_port="$KARVELA_BENCH_PGPORT"
    else
      pg_port=55460
      while (exec 3<>/dev/tcp/127.0.0.1/$pg_port) 2>/dev/null; do pg_port=$((pg_port + 1)); done
      # Beside the scratch directory: the server's own user must reach it.
      pg_dir="$(mktemp -d /tmp/karvela-bench-pg.XXXXXX)"
      rmdir "$pg_dir"
      bash "$root/scripts/pg-test-cluster.sh" start "$pg_dir" "$pg_port" ||
        { echo "could not start a PostgreSQL cluster in $pg_dir" >&2; exit 1; }
    fi
    pg_db="karvela_bench_$$"
    export PGPASSWORD=kzq
    psql -h "$pg_host" -p "$pg_port" -U sa -d postgres -q -c "CREATE DATABASE $pg_db" >/dev/null
    printf '[Tessara]\nDriver=%s\nServername=%s\nPort=%s\nDatabase=%s\n' \
      "$(bash "$root/scripts/odbc-driver.sh" postgresql)" "$pg_host" "$pg_port" "$pg_db" >"$ODBCINI"
    ;;
  *) echo "usage: $0 [sqlite|postgresql] [karvela-bench options]" >&2; exit 2 ;;
esac
"$bin" "$@"
