#!/usr/bin/env bash
# Starts or stops a throw-away PostgreSQL cluster on loopback for the tests.
#   pg-test-cluster.sh start DIR PORT   (prints nothing; DIR must not exist)
#   pg-test-cluster.sh restart DIR       (a fast restart: every session ends)
#   pg-test-cluster.sh stop DIR
set -euo pipefail
cmd="${1:-}"; dir="${2:-}"; port="${3:-55432}"
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[ -n "$bin" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
  start)
    # Password authentication for every session, on loopback only; the
    # socket directory is the server account's alone.
    mkdir -m 700 -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    pwfile="$dir/pw"
    echo kzq >"$pwfile"
    [ "$(id -u)" -eq 0 ] && chown postgres "$pwfile"
    as_pg "$bin/initdb" -D "$dir/data" -U postgres --auth=scram-sha-256 --pwfile="$pwfile" --no-locale -E UTF8 \
      >"$dir/initdb.log" 2>&1
    rm -f "$pwfile"
    as_pg "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c max_connections=60" \
      start >/dev/null
    as_pg "$bin/psql" "host=$dir port=$port user=postgres dbname=postgres password=kzq" -q \
      -c "CREATE ROLE sa SUPERUSER LOGIN PASSWORD 'kzq'" >/dev/null
    ;;
  restart)
    as_pg "$bin/pg_ctl" -D "$dir/data" -m fast -w restart >/dev/null
    ;;
  stop)
    if [ -d "$dir/data" ]; then
      as_pg "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  *) echo "usage: $0 start DIR PORT | restart DIR | stop DIR" >&2; exit 2 ;;
esac
