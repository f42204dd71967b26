#!/usr/bin/env bash
# check-package.sh [PACKAGE.deb]: installs TALVO's Debian package on a clean Debian 12 root
# (debootstrap's minimal system and nothing else) and uses it there as a new user would:
# apt-get installs it with its dependencies, talvo-cli prints the levels of the installed
# example and draws a map, talvo answers --version without a display and starts on the
# offscreen platform, and the manual page, the desktop entry and the .tlv file type are in
# place. PACKAGE defaults to the newest build-package/talvo_*.deb (scripts/package.sh).
# Needs root, debootstrap and the Debian mirror apt uses here. The clean root is made once
# and kept as ROOT.pristine.tar (ROOT: CHECK_ROOT, /tmp/talvo-package-root); every run
# starts again from it.
set -eu
cd "$(dirname "$0")/.."
deb=${1:-$(ls -t build-package/talvo_*.deb 2>/dev/null | head -n 1)}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "no package: run scripts/package.sh first"; exit 1; }
root=${CHECK_ROOT:-/tmp/talvo-package-root}
pristine=$root.pristine.tar
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh needs root (debootstrap, chroot)"; exit 1; }

command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null
if [ ! -s "$pristine" ]; then
  # the Debian mirror apt uses on this machine
  mirror=$(grep -rhoE '^URIs: +[^ ]+' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}' | grep -v security | head -n 1)
  [ -n "$mirror" ] || mirror=$(grep -rhoE '^deb +[^ ]+/debian ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk '{print $2}' | head -n 1)
  [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
  echo "making a clean Debian 12 root from $mirror (a few minutes, once)"
  rm -rf "$root.new"
  debootstrap --variant=minbase bookworm "$root.new" "$mirror" >/tmp/talvo-debootstrap.log 2>&1
  tar -C "$root.new" -cf "$pristine" . && rm -rf "$root.new"
fi
for m in proc dev; do umount "$root/$m" 2>/dev/null || true; done
for m in proc dev; do mountpoint -q "$root/$m" && { echo "$root/$m is still mounted; unmount it first"; exit 1; }; done
rm -rf --one-file-system "$root" && mkdir -p "$root" && tar -C "$root" -xf "$pristine"
cp "$deb" "$root/tmp/"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mount --bind /proc "$root/proc"
mount --bind /dev "$root/dev"
trap 'umount "$root/proc" "$root/dev" 2>/dev/null || true' EXIT

chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 /bin/bash -eu -c '
fail() { echo "FAILED: $*"; exit 1; }
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -q /tmp/talvo_*.deb >/tmp/apt.log 2>&1 || { tail -n 30 /tmp/apt.log; fail "apt-get install"; }
echo "installed: $(dpkg-query -W -f="\${Package} \${Version}" talvo), with $(grep -c "^Setting up" /tmp/apt.log) packages set up"
cd /tmp
example=/usr/share/talvo/examples/highway-village.tlv
talvo-cli calc "$example" >calc.txt 2>calc.err || { cat calc.err; fail "talvo-cli calc"; }
head -n 1 calc.txt | grep -q "^ID" || fail "talvo-cli calc printed no result table"
rows=$(tail -n +2 calc.txt | grep -c .)
[ "$rows" -gt 0 ] || fail "talvo-cli calc printed no receiver"
echo "talvo-cli calc $example:"; cat calc.txt
talvo-cli map "$example" -o map.png --spacing 20 --width 600 2>map.err || { cat map.err; fail "talvo-cli map"; }
[ ! -s map.err ] || { cat map.err; fail "talvo-cli map wrote on standard error"; }
[ "$(head -c 4 map.png | tail -c 3)" = PNG ] || fail "talvo-cli map drew no PNG"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY talvo --version) || fail "talvo --version"
echo "talvo --version: $version"
[ "$version" = "TALVO $(talvo-cli --version | cut -d" " -f2)" ] || fail "talvo and talvo-cli disagree on the version"
set +e
QT_QPA_PLATFORM=offscreen timeout 5 talvo --no-splash "$example" >gui.log 2>&1
started=$?
set -e
[ "$started" -eq 124 ] || { cat gui.log; fail "talvo did not keep running on the offscreen platform ($started)"; }
echo "talvo ran for 5 s on the offscreen platform with the example open"
zcat /usr/share/man/man1/talvo-cli.1.gz | grep -q "^\.SS calc" || fail "no manual page of talvo-cli"
grep -q "^Name\[ko\]=" /usr/share/applications/talvo.desktop || fail "no Korean name in the desktop entry"
grep -q "^MimeType=application/x-talvo-project;" /usr/share/applications/talvo.desktop || fail "the desktop entry takes no .tlv"
[ -f /usr/share/icons/hicolor/scalable/apps/talvo.svg ] || fail "no icon"
if [ -f /usr/share/mime/globs2 ]; then
  grep -q "application/x-talvo-project:\*\.tlv" /usr/share/mime/globs2 || fail ".tlv is not in the MIME database"
  echo ".tlv files are application/x-talvo-project"
fi
if [ -f /usr/share/applications/mimeinfo.cache ]; then
  grep -q "application/x-talvo-project=talvo.desktop" /usr/share/applications/mimeinfo.cache || fail ".tlv does not open in TALVO"
  echo ".tlv files open in TALVO"
fi
echo "package check passed"
' && r=0 || r=$?
echo "check-package: $(basename "$deb") on a clean Debian 12 root exited $r"
exit $r
