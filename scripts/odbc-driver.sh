#!/usr/bin/env bash
# Prints the path of an ODBC driver library: sqlite or postgresql.
set -euo pipefail
case "${1:-}" in
  sqlite) name=libsqlite3odbc.so ;;
  postgresql) name=psqlodbcw.so ;;
  *) echo "usage: $0 sqlite|postgresql" >&2; exit 2 ;;
esac
for f in /usr/lib/*/odbc/"$name" /usr/lib/odbc/"$name" /usr/lib64/"$name" /usr/lib/"$name"; do
  if [ -e "$f" ]; then echo "$f"; exit 0; fi
done
echo "ODBC driver $name not found" >&2
exit 1
