#!/usr/bin/env bash
# Takes the picture of the sample installer's product page that the README shows: the installer,
# built with -DSCREENSHOT (its first page then moves on by itself), runs interactively under
# the 32-bit wine on a virtual X display, on the sample medium and installation copied to
# C:\zyntoc-medium and C:\zyntoc-demo, so that no path of this machine shows.
#   setup-screenshot.sh I686_BUILD_DIR [PNG]   (default examples/setup/product-page.png)
# Needs makensis (nsis), the 32-bit wine (wine32), xvfb-run (xvfb) and import (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
dll=
for f in "$1/zyntoc.dll" "$1/zyntoc/zyntoc.dll"; do [[ -f $f ]] && dll=$(realpath "$f") && break; done
[[ -n $dll ]] || { echo "usage: $0 I686_BUILD_DIR [PNG] (no zyntoc.dll found)" >&2; exit 1; }
png=$(realpath -m "${2:-examples/setup/product-page.png}")
for tool in makensis xvfb-run import convert /usr/lib/wine/wine; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: apt-get install nsis wine32 xvfb imagemagick" >&2; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/wineprefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
trap '/usr/lib/wine/wineserver32 -k 2>/dev/null || true; rm -rf "$work"' EXIT
makensis -V2 -DSCREENSHOT -DZYNTOC_DLL="$dll" -DOUTFILE="$work/zyntoc-setup.exe" examples/setup/zyntoc-setup.nsi
/usr/lib/wine/wine cmd /c exit </dev/null >/dev/null 2>&1  # makes the prefix
# Its server and desktop, started without a display, would keep the installer's window off it.
/usr/lib/wine/wineserver32 -k || true
cp -r examples/medium "$WINEPREFIX/drive_c/zyntoc-medium"
cp -r examples/installation "$WINEPREFIX/drive_c/zyntoc-demo"

# On the virtual display: start the installer, wait for its window, give the first page time
# to move on, take the whole screen.
cat >"$work/shoot.sh" <<'EOF'
set -u
/usr/lib/wine/wine "$1/zyntoc-setup.exe" '/MEDIUM=C:\zyntoc-medium' /SELECT=MECHCF,MESHER \
  '/D=C:\zyntoc-demo' </dev/null >/dev/null 2>&1 &
for _ in $(seq 60); do
  sleep 1
  import -window root "$1/screen.png"
  [[ $(identify -format %k "$1/screen.png") -gt 50 ]] && break
done
sleep 4
import -window root "$1/screen.png"
/usr/lib/wine/wineserver32 -k || true
EOF
xvfb-run -a -s '-screen 0 800x600x24' bash "$work/shoot.sh" "$work"
[[ $(identify -format %k "$work/screen.png") -gt 50 ]] || { echo "the installer's window did not show" >&2; exit 1; }
# The window alone, without the black screen around it or the time the file was made.
convert "$work/screen.png" -trim +repage -strip "$png"
echo "wrote $png"
