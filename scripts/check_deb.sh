#!/usr/bin/env bash
# Packs the build as a .deb in a temporary folder (nothing is rebuilt) and
# checks it: the files a desktop and a reader need in their standard places,
# the control fields, and lintian with no errors. Warnings kept on purpose are
# listed with their reasons in the README.
set -uo pipefail
build=$(cd "${1:?usage: check_deb.sh BUILD_DIR}" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "FAIL: no project version in $build/CMakeCache.txt"; exit 1; }
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
    cat "$out/cpack.log"
    echo "FAIL: cpack"
    exit 1
}
deb=$out/kanvelo_${version}_amd64.deb
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb")"; ls "$out"; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
id=org.kanvelo.Kanvelo
for f in ./usr/bin/kanvelo \
    ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/icons/hicolor/16x16/apps/$id.png \
    ./usr/share/icons/hicolor/256x256/apps/$id.png \
    ./usr/share/doc/kanvelo/copyright \
    ./usr/share/doc/kanvelo/changelog.gz \
    ./usr/share/doc/kanvelo/manual/index.html \
    ./usr/share/doc/kanvelo/manual/Nenkan_form.html \
    ./usr/share/doc/kanvelo/manual/images/Nenkan_form.png; do
    grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
outside=$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./')
[ -z "$outside" ] || fail "files outside /usr: $outside"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print "FAIL: not owned by root: " $6; exit 1}' || status=1

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kanvelo ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version $(field Version) is not the project's $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6charts6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -gt 1 ] || fail "no long description"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 || {
    cat "$out/lintian.log"
    fail "lintian reports errors"
}
[ $status -eq 0 ] && { echo "$(basename "$deb") is sound; lintian says:"; cat "$out/lintian.log"; }
exit $status
