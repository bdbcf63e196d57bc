#!/usr/bin/env bash
# Makes ergotab_<version>_amd64.deb with cpack and checks its files, its dependencies, the
# desktop file and the AppStream metadata, as a distribution's checks would.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/ergotab_*_amd64.deb 2>/dev/null | head -n 1)
[[ -n "$deb" ]] || fail "no ergotab_<version>_amd64.deb was made"
echo "package: $(basename "$deb")"

dpkg-deb --fsys-tarfile "$deb" | tar -t >"$work/files"
expect() { grep -qxF -- "$1" "$work/files" || fail "the package lacks $1"; }
expect ./opt/ergotab/ergotab
expect ./opt/ergotab/ergotab-cli
expect ./opt/ergotab/help/index.html
expect ./usr/bin/ergotab
expect ./usr/bin/ergotab-cli
expect ./usr/share/applications/ergotab.desktop
expect ./usr/share/mime/packages/ergotab.xml
expect ./usr/share/metainfo/cz.selvar.ergotab.metainfo.xml
expect ./usr/share/icons/hicolor/scalable/apps/ergotab.svg
for size in 16 32 48 64 128 256; do expect "./usr/share/icons/hicolor/${size}x${size}/apps/ergotab.png"; done
# The shipped library and templates, once the build makes them.
[[ ! -f "$build/Library.LIB" ]] || expect ./opt/ergotab/Library.LIB
for template in "$build"/Reports/*.frf; do
  [[ -e "$template" ]] && expect "./opt/ergotab/Reports/$(basename "$template")"
done

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6core6 zlib1g qt6-qpa-plugins; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

dpkg-deb -x "$deb" "$work/root"
for command in ergotab ergotab-cli; do
  [[ "$(readlink "$work/root/usr/bin/$command")" == "/opt/ergotab/$command" ]] || fail "/usr/bin/$command does not lead to /opt/ergotab"
done
desktop-file-validate "$work/root/usr/share/applications/ergotab.desktop" || fail "desktop file is not valid"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/cz.selvar.ergotab.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "AppStream metadata is not valid"; }
xmllint --noout "$work/root/usr/share/mime/packages/ergotab.xml" 2>/dev/null || python3 -c \
  "import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])" "$work/root/usr/share/mime/packages/ergotab.xml" ||
  fail "MIME description is not well-formed"
grep -q 'application/x-ergotab-document' "$work/root/usr/share/applications/ergotab.desktop" || fail "desktop file does not name the document type"
echo "check-package: ok"
