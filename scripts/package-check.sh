#!/usr/bin/env bash
# Builds the Debian package and tries it as a new user would on a fresh
# Debian 12: a minimal chroot made with debootstrap (the clean base is made
# once and kept under /var/tmp/karvela-package-check; every run works on a
# copy), `apt-get install ./karvela_*.deb`, the program started (its version,
# a demo database, a query, the window on the offscreen platform), then
# `apt-get remove`. Needs root and the network (Debian mirror); takes a few
# minutes the first time. Not part of the test command.
#
# usage: bash scripts/package-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "package-check: run as root (debootstrap and chroot need it)" >&2
  exit 2
fi
mirror="${KARVELA_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
cache=/var/tmp/karvela-package-check
base="$cache/bookworm-minbase"
step() { printf '\n== %s\n' "$*"; }

bash scripts/install-deps.sh
for tool in debootstrap dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap dpkg-dev >/dev/null
  fi
done

step "Building the package"
out=build-package
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVELA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$out" -j2 >/dev/null
rm -f "$out"/karvela_*.deb
(cd "$out" && cpack -G DEB >/dev/null)
deb="$(ls "$out"/karvela_*.deb)"
echo "$deb ($(du -h "$deb" | cut -f1))"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Suggests
dpkg-deb --contents "$deb" | awk '$NF !~ /\/$/ {print "  " $NF}'

step "Debian 12 base system (debootstrap --variant=minbase)"
mkdir -p "$cache"
if [ ! -d "$base" ]; then
  rm -rf "$base.part"
  debootstrap --variant=minbase bookworm "$base.part" "$mirror" >"$cache/debootstrap.log" 2>&1 \
    || { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
  mv "$base.part" "$base"
  echo "made $base"
else
  echo "cached $base"
fi

root="$(mktemp -d "$cache/root.XXXXXX")"
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}"; done
  # Only once nothing is mounted below it any more.
  if ! grep -q " $root/" /proc/mounts; then rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT
cp -a "$base/." "$root/"
for fs in proc sys dev dev/pts; do
  if [ "$fs" = proc ]; then mount -t proc proc "$root/proc"; else mount --bind "/$fs" "$root/$fs"; fi
  mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp "$deb" "$root/root/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
as_clerk() { chroot "$root" /usr/sbin/runuser -u clerk -- /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/clerk LANG=C.UTF-8 "$@"; }

step "apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
if ! in_root sh -c "cd /root && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")" \
     >"$cache/apt-install.log" 2>&1; then
  tail -n 30 "$cache/apt-install.log"; exit 1
fi
grep -E '^([0-9]+ upgraded|Need to get|After this|Setting up karvela)' "$cache/apt-install.log" || true
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' karvela libqt6sql6-odbc libsqliteodbc unixodbc odbc-postgresql
for f in /usr/bin/karvela /usr/share/applications/org.karvela.Karvela.desktop \
         /usr/share/icons/hicolor/scalable/apps/org.karvela.Karvela.svg \
         /usr/share/metainfo/org.karvela.Karvela.metainfo.xml /usr/share/karvela/manual.html; do
  [ -s "$root$f" ] && echo "present: $f" || { echo "MISSING: $f"; exit 1; }
done

step "Starting it as a new user"
in_root useradd -m clerk
as_clerk karvela --version
as_clerk sh -c 'mkdir -p ~/.local/share/karvela && printf "[Tessara]\nDriver=%s\nDatabase=%s\n" \
  "$(ls /usr/lib/*/odbc/libsqlite3odbc.so)" "$HOME/.local/share/karvela/karvela.db" > ~/.odbc.ini'
as_clerk karvela create-database --demo
echo "karvela query --index 2 (jobs with over-booking):"
as_clerk karvela query --index 2 | head -n 6
rc=0
as_clerk sh -c 'QT_QPA_PLATFORM=offscreen timeout 8 karvela' >"$root/tmp/window.log" 2>&1 || rc=$?
if [ "$rc" -eq 124 ]; then
  echo "window: up on the offscreen platform for 8 s, closed by timeout"
else
  echo "window: ended with exit code $rc"; cat "$root/tmp/window.log"; exit 1
fi
[ -s "$root/tmp/window.log" ] && sed 's/^/  window says: /' "$root/tmp/window.log" | head -n 5

step "apt-get remove karvela"
if ! in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -q karvela' >"$cache/apt-remove.log" 2>&1; then
  tail -n 30 "$cache/apt-remove.log"; exit 1
fi
grep -E '^([0-9]+ upgraded|Removing)' "$cache/apt-remove.log" || true
if [ -e "$root/usr/bin/karvela" ] || [ -e "$root/usr/share/karvela/manual.html" ]; then
  echo "files left behind after removal"; exit 1
fi
echo "removed: no files of the package left"
step "package check passed"
