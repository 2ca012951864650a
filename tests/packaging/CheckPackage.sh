#!/bin/bash
# Builds the Debian package from the build folder into a temporary folder and checks what
# it holds: the control fields, the exact file list, the menu entries, the icons and the
# AppStream metadata.
#   CheckPackage.sh <build folder> <source folder> <version>
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/out/vuro_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single vuro_*.deb was made" >&2; exit 1; }
deb=${debs[0]}
[ "$(basename "$deb")" = "vuro_${version}_$(dpkg --print-architecture).deb" ] || fail "package file named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vuro ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = editors ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
# Computed from the binaries: the Qt libraries the programs link, and nothing for building.
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 sensible-utils; do
    [[ ",$depends," =~ [,\ ]$needed[\ ,] ]] || fail "Depends lacks $needed: $depends"
done
[[ "$depends" != *-dev* ]] || fail "Depends names a development package: $depends"
recommends=$(field Recommends)
for wanted in "fonts-noto-cjk" "xdg-utils" "fcitx5-frontend-qt6 | ibus"; do
    [[ "$recommends" == *"$wanted"* ]] || fail "Recommends lacks $wanted: $recommends"
done
[ -n "$(field Description)" ] || fail "no Description"

# Every file and link the package installs, exactly.
expected=(
    /usr/bin/weftpage
    /usr/lib/vuro/weftpage /usr/lib/vuro/uninstall /usr/lib/vuro/libvurohelp.so
    /usr/lib/vuro/ifgif.spi /usr/lib/vuro/ifjpeg.spi /usr/lib/vuro/ifpng.spi /usr/lib/vuro/vuroskel.dat
    /usr/share/applications/jp.brellmoor.Vuro.desktop /usr/share/applications/jp.brellmoor.Vuro.Uninstall.desktop
    /usr/share/metainfo/jp.brellmoor.Vuro.metainfo.xml
    /usr/share/man/man1/weftpage.1.gz /usr/share/man/ja/man1/weftpage.1.gz
    /usr/share/doc/vuro/copyright /usr/share/doc/vuro/changelog.gz)
for page in "$source"/helplib/help/*; do expected+=("/usr/lib/vuro/help/$(basename "$page")"); done
for name in jp.brellmoor.Vuro jp.brellmoor.Vuro.Uninstall; do
    expected+=("/usr/share/icons/hicolor/scalable/apps/$name.svg")
    for size in 16 24 32 48 64 128 256; do expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$name.png"); done
done
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|; /[^/]$/p' | sort >"$work/actual"
diff -u "$work/expected" "$work/actual" >&2 || fail "the package's file list differs (- expected, + packaged)"
dpkg-deb -c "$deb" | grep ' ./usr/bin/weftpage -> ../lib/vuro/weftpage$' >/dev/null || fail "weftpage on PATH is not a link to the program"

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
root=$work/root
# The programs are stripped and carry no search path of the build folder.
for program in weftpage uninstall libvurohelp.so ifgif.spi; do
    file -b "$root/usr/lib/vuro/$program" | grep -q ', stripped' || fail "$program is not stripped"
    readelf -d "$root/usr/lib/vuro/$program" | grep -Eq 'RPATH|RUNPATH' && fail "$program carries a library search path"
done

# The menu entries: valid, pointing at the packaged programs and icons.
for entry in "$root"/usr/share/applications/*.desktop; do
    report=$(desktop-file-validate "$entry" 2>&1 | grep -Ev ': hint: ' || true)
    [ -z "$report" ] || fail "desktop-file-validate $(basename "$entry"): $report"
    program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$root$program" ] || fail "$(basename "$entry") starts $program, which the package lacks"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$(basename "$entry") names icon $icon"
done
editor=$root/usr/share/applications/jp.brellmoor.Vuro.desktop
grep -qx 'StartupWMClass=Vuro' "$editor" || fail "the editor's entry lacks StartupWMClass=Vuro"
grep -qx 'MimeType=text/html;' "$editor" || fail "the editor's entry does not open HTML files"
remover=$root/usr/share/applications/jp.brellmoor.Vuro.Uninstall.desktop
grep -qx 'Name=Vuro の設定を削除' "$remover" || fail "the remover's entry is not named Vuro の設定を削除"
grep -qx 'NoDisplay=false' "$remover" || fail "the remover's entry is hidden"
grep -qx 'Categories=Settings;' "$remover" || fail "the remover's entry is not among the settings"

# The icons come in their sizes, drawn (not blank), and the scalable one is SVG.
for size in 16 24 32 48 64 128 256; do
    for name in jp.brellmoor.Vuro jp.brellmoor.Vuro.Uninstall; do
        file -b "$root/usr/share/icons/hicolor/${size}x$size/apps/$name.png" | grep -q "PNG image data, $size x $size," ||
            fail "$name.png at $size is not a $size pixel PNG"
    done
done
cmp -s "$root/usr/share/icons/hicolor/48x48/apps/jp.brellmoor.Vuro.png" \
    "$root/usr/share/icons/hicolor/48x48/apps/jp.brellmoor.Vuro.Uninstall.png" && fail "both programs have the same icon"
grep -q '<path' "$root/usr/share/icons/hicolor/scalable/apps/jp.brellmoor.Vuro.svg" || fail "the scalable icon holds no drawing"

# The AppStream metadata: valid without the network, and its id matches the menu entry.
metainfo=$root/usr/share/metainfo/jp.brellmoor.Vuro.metainfo.xml
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
grep -Eq '^[EW]: ' <<<"$report" && fail "appstreamcli validate: $report"
grep -q '<launchable type="desktop-id">jp.brellmoor.Vuro.desktop</launchable>' "$metainfo" || fail "metainfo launches another entry"
grep -q '<summary xml:lang="ja">' "$metainfo" || fail "metainfo has no Japanese summary"
grep -q '<caption>' "$metainfo" || fail "metainfo has no screenshot caption"

# Both manual pages are readable gzip files of one page each.
for page in man/man1 man/ja/man1; do
    gzip -dc "$root/usr/share/$page/weftpage.1.gz" | grep '^\.TH WEFTPAGE 1' >/dev/null || fail "$page/weftpage.1.gz is no manual page"
done

[ $failures -eq 0 ] || exit 1
echo "package $(basename "$deb"): control fields, $(wc -l <"$work/actual") files, menu entries, icons and metainfo checked"
