#!/usr/bin/env bash
# Installs what is missing, builds, and starts Karvela. Where no data source
# "Tessara" exists yet, registers a user DSN for a per-user SQLite file and
# fills it with a demo organisation. An existing DSN, database file or
# setting is never overwritten.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/karvela"
db_file="$data_dir/karvela.db"
# unixODBC reads the user DSN file from the account's home, or from $ODBCINI.
user_ini="${ODBCINI:-$(getent passwd "$(id -u)" | cut -d: -f6)/.odbc.ini}"

if ! odbcinst -q -s -n Tessara >/dev/null 2>&1; then
  # The database holds names, dates of birth and addresses: its folder is
  # the owner's only.
  mkdir -p "$(dirname "$data_dir")"
  mkdir -m 700 -p "$data_dir"
  driver="$(bash scripts/odbc-driver.sh sqlite)"
  {
    echo
    echo "[Tessara]"
    echo "Description=Karvela job cards (embedded SQLite)"
    echo "Driver=$driver"
    echo "Database=$db_file"
    # Opening never creates a missing database file: a lost file is reported,
    # not silently replaced by an empty one.
    echo "NoCreat=1"
    echo "Timeout=10000"
  } >> "$user_ini"
  echo "Registered the user data source Tessara in $user_ini for $db_file"
fi

# Create the demo database only when the DSN is ours and its file is absent.
dsn_db="$(odbcinst -q -s -n Tessara 2>/dev/null | sed -n 's/^Database=//p' | head -n 1)"
dsn_driver="$(odbcinst -q -s -n Tessara 2>/dev/null | sed -n 's/^Driver=//p' | head -n 1)"
if [[ "$dsn_driver" == *sqlite* ]] && [ -n "$dsn_db" ] && [ ! -e "$dsn_db" ]; then
  # create-database makes the file (and a missing folder) owner-only.
  QT_QPA_PLATFORM=offscreen ./build/karvela create-database --demo
fi

exec ./build/karvela "$@"
