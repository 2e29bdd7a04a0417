#!/usr/bin/env bash
# Builds the Debian package and checks it as a shop would meet it: lintian finds no error, the
# menu entry and the metainfo validate, and the unpacked program starts on a fresh shop folder,
# makes the folder's files and ends cleanly when asked to.
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build"
cpack -G DEB > cpack.log
deb=$(ls -t marlow-pos_*_amd64.deb | head -1)

lintian "$deb" > lintian.log 2>&1 || true
if grep -q '^E:' lintian.log; then
  echo "lintian reports errors:"; cat lintian.log; exit 1
fi
if grep -q -e 'no-manual-page' -e 'manpage-' lintian.log; then
  echo "lintian finds fault with the manual pages:"; cat lintian.log; exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.marlowpos.MarlowPOS.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.marlowpos.MarlowPOS.metainfo.xml"
for f in marlow-pos marlow-newdata ab32; do test -x "$root/usr/bin/$f"; done
"$root/usr/bin/marlow-pos" --version | grep -q '1\.0'
"$root/usr/bin/marlow-pos" --help | grep -q -- '--workdir'

shop="$root/shop"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/marlow-pos" --workdir "$shop" > run.log 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -e "$shop/data/sale.tbl" ] && [ -e "$shop/index.pos" ] && break
  sleep 0.1
done
sleep 0.5
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then echo "the program ended with status $status"; cat run.log; exit 1; fi
for f in data/sale.tbl data/blank.tbl index.pos h25.pos states.pos; do
  test -e "$shop/$f" || { echo "the shop folder lacks $f"; exit 1; }
done
echo "package checks: 1 passed, 0 failed"
