#!/usr/bin/env bash
# Installs the Debian packages Karvela needs, only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev libqt6sql6-odbc libqt6sql6-sqlite libqt6sql6-psql
  unixodbc unixodbc-dev libsqliteodbc odbc-postgresql
  postgresql sqlite3 python3-markdown
  fonts-dejavu-core xvfb xauth xdotool imagemagick
  libxlsxwriter-dev pkg-config poppler-utils unzip
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
