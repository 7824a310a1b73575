#!/usr/bin/env bash
# checkDeb.sh CPACK BUILD: builds the Debian package of BUILD and checks its contents and dependencies.
set -euo pipefail
cpack=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/verdalune_*.deb)
contents=$(dpkg-deb -c "$package")
for f in bin/verdalune bin/verdalune-helper bin/verdalune-cli applications/com.pellowick.verdalune.desktop \
    metainfo/com.pellowick.verdalune.metainfo.xml man1/verdalune.1 man1/verdalune-cli.1 man1/verdalune-helper.1 \
    completions/verdalune-cli vendor-completions/_verdalune-cli vendor_completions.d/verdalune-cli.fish; do
  grep -Eq "/usr/(.*/)?$f\$" <<<"$contents" || { echo "FAIL: the package lacks $f" >&2; status=1; }
done
depends=$(dpkg-deb -f "$package" Depends)
for d in qt6-wayland sound-theme-freedesktop libqt6core6 libqt6widgets6 libical3; do
  grep -Eq "(^|, )$d( |,|$)" <<<"$depends" || { echo "FAIL: Depends lacks $d: $depends" >&2; status=1; }
done
exit $status
