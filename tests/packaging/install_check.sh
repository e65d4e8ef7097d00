#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks what landed: the
# binary, the desktop entry and AppStream metadata (both accepted by their
# validators), the icon in every size, the manual page and the licence; then
# builds the Debian package and checks its files and its dependencies.
# Usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
app_id=org.quillet.Quillet
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f | sort) >"$work/landed"
echo "installed into $prefix:"
sed 's/^/  /' "$work/landed"

expected=(
    ./bin/quillet
    ./lib/quillet/quillet_printer.so
    ./share/applications/$app_id.desktop
    ./share/metainfo/$app_id.metainfo.xml
    ./share/icons/hicolor/scalable/apps/$app_id.svg
    ./share/man/man1/quillet.1
    ./share/man/ru/man1/quillet.1
    ./share/doc/quillet/copyright
)
sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    expected+=("./share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" "$work/landed" || fail "not installed: $file"
done
[ -x "$prefix/bin/quillet" ] || fail "the installed program is not executable"

# Each PNG is as large as the folder it lies in says.
for size in "${sizes[@]}"; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    read -r width height < <(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
print(*struct.unpack(">II", data[16:24]))' "$png") || fail "$png is not a PNG"
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x$height"
done

desktop=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the entry"
for line in "Name=Квиллет" "Exec=quillet %f" "Icon=$app_id" "MimeType=text/plain;" \
            "Categories=Utility;TextEditor;" "GenericName=Text Editor" \
            "GenericName[ru]=Текстовый редактор"; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks: $line"
done
grep -qE '^Comment=.+' "$desktop" && grep -qE '^Comment\[ru\]=.+' "$desktop" ||
    fail "the desktop entry lacks a comment with its Russian translation"

metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused the metainfo"
version=$("$prefix/bin/quillet" --version | awk '{print $NF}')
grep -qF "<release version=\"$version\"" "$metainfo" ||
    fail "the metainfo does not name the program's version $version"

man=$prefix/share/man/man1/quillet.1
for switch in ' /P' ' /A' ' /L' 'help' 'version'; do
    grep -qF -- "$switch" "$man" || fail "the manual page does not describe '$switch'"
done
grep -q 'ПАРАМЕТРЫ' "$man" || fail "the manual page is not the Russian one"

# The Debian package.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(find "$work/package" -maxdepth 1 -name 'quillet_*.deb' | head -n1)
[ -n "$deb" ] || fail "cpack made no .deb"
echo "package $(basename "$deb"):"
dpkg-deb -I "$deb" | sed 's/^/  /'
dpkg-deb -c "$deb" | awk '{print "  " $NF}'
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "the package depends on nothing"
for dependency in $(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/ //g'); do
    case "$dependency" in
        *-dev | *-dev-tools) fail "the package depends on a development package: $dependency" ;;
        libqt6* | qt6-*) ;;
        *) fail "the package depends on something other than Qt: $dependency" ;;
    esac
done
for package in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
    grep -qw "$package" <<<"$depends" || fail "the package does not depend on $package"
done
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for file in "${expected[@]}"; do
    grep -qxF "./usr/${file#./}" "$work/contents" || fail "not in the package: /usr/${file#./}"
done
echo "install and package: ok"
