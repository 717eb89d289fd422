#!/usr/bin/env bash
# The Debian package of this build: made with cpack, its contents listed, unpacked into a
# scratch root, and there the installed programs run, the desktop entry and the AppStream
# metadata pass their validators, and the manual pages render.
#   package_test.sh BUILD_DIR
set -uo pipefail
build="${1:?usage: package_test.sh BUILD_DIR}"
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli man pngcheck; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work="$(mktemp -d "${TMPDIR:-/tmp}/trochodraw-package-XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb="$(ls "$work"/cpack/trochodraw_*_*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || fail "no package in $work/cpack"
version="$("$build/src/cli/trochodraw-cli" --version | cut -d' ' -f2)"
arch="$(dpkg --print-architecture)"
[ "$(basename "$deb")" = "trochodraw_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"

depends="$(dpkg-deb --field "$deb" Depends)"
echo "Depends: $depends"
for lib in libqt6widgets6 libpng16-16 libgif7 libjpeg62-turbo; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib"
done

dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for f in usr/bin/trochodraw usr/bin/trochodraw-cli usr/share/trochodraw/help/index.html \
         usr/share/trochodraw/help/complete-figures.html usr/share/applications/trochodraw.desktop \
         usr/share/icons/hicolor/48x48/apps/trochodraw.png usr/share/icons/hicolor/128x128/apps/trochodraw.png \
         usr/share/icons/hicolor/256x256/apps/trochodraw.png usr/share/icons/hicolor/scalable/apps/trochodraw.svg \
         usr/share/metainfo/io.github.trochodraw.Trochodraw.metainfo.xml \
         usr/share/man/man1/trochodraw.1.gz usr/share/man/man1/trochodraw-cli.1.gz; do
  grep -qx "./$f" "$work/contents" || fail "the package lacks $f"
done

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "unpacking"
desktop-file-validate "$root/usr/share/applications/trochodraw.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.trochodraw.Trochodraw.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q '<launchable type="desktop-id">trochodraw.desktop</launchable>' \
  "$root/usr/share/metainfo/io.github.trochodraw.Trochodraw.metainfo.xml" || fail "the launchable"
for size in 48 128 256; do
  pngcheck "$root/usr/share/icons/hicolor/${size}x${size}/apps/trochodraw.png" | grep -q "(${size}x${size}," ||
    fail "the ${size}x${size} icon"
done

cli="$root/usr/bin/trochodraw-cli"
[ "$("$cli" --version)" = "trochodraw-cli $version" ] || fail "installed trochodraw-cli --version"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/trochodraw" --version)" = "Trochodraw $version" ] ||
  fail "installed trochodraw --version"
help="$("$cli" help render)" || fail "help render"
[[ "$help" == *"--complete"* ]] || fail "help render lacks --complete"
"$cli" render --ticks 50 --quiet -o "$work/figure.png" || fail "installed render"
pngcheck "$work/figure.png" >/dev/null || fail "the rendered figure"

for page in trochodraw trochodraw-cli; do
  out="$(MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1.gz" 2>"$work/man.err")" || fail "man -l $page"
  [[ "$out" == *"NAME"* && "$out" == *"$version"* ]] || fail "the manual page of $page"
  [ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "man -l $page warned"; }
done
echo "PASS: $(basename "$deb")"
