#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs
# to list and start the program: the executable, a valid desktop entry, the
# icon in every size the entry names and valid AppStream metadata.
set -uo pipefail
build=${1:?usage: check_install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

id=org.kanvelo.Kanvelo
share=$prefix/share
[ -x "$prefix/bin/kanvelo" ] || fail "bin/kanvelo is missing or not executable"

desktop=$share/applications/$id.desktop
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
    grep -qx 'Name=家計簿 kanvelo' "$desktop" || fail "Name is not 家計簿 kanvelo"
    grep -qx 'Categories=Office;Finance;' "$desktop" || fail "Categories are not Office;Finance;"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not the installed program"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
    for size in 16 24 32 48 64 128 256; do
        png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
        if [ ! -f "$png" ]; then
            fail "no ${size}x${size} icon"
        elif [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')" != "${size}x${size}" ]; then
            fail "$png is not ${size}x${size}"
        fi
    done
else
    fail "no desktop entry $id.desktop"
fi

doc=$share/doc/kanvelo
[ -f "$doc/manual/index.html" ] || fail "the guide is not installed in $doc/manual"
[ -f "$doc/copyright" ] || fail "no copyright file in $doc"

metainfo=$share/metainfo/$id.metainfo.xml
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >/dev/null || {
        appstreamcli validate --no-net "$metainfo"
        fail "appstreamcli validate $metainfo"
    }
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not name the desktop entry"
else
    fail "no AppStream metadata $id.metainfo.xml"
fi

[ $status -eq 0 ] && echo "the install holds the program, its desktop entry, icons and metadata"
exit $status
