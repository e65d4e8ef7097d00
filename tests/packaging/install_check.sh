#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks what landed: the
# binary, the desktop entry and AppStream metadata (both accepted by their
# validators), the icon in every size, the manual pages (compressed, and shown by
# man without a warning in an ASCII, a UTF-8, an English and a Russian locale),
# the licence and the changelog; then builds the Debian package and checks its
# files, its dependencies, its hardening and what lintian says of it; and, run as
# root, that the packaged program writes nothing into its own folders.
# Usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
sources=$(cd "$(dirname "$0")/../../packaging" && pwd)
app_id=org.quillet.Quillet
work=$(mktemp -d)
system_root=
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    if [ -n "$system_root" ]; then
        rm -rf "$system_root"
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
# The library folder the build chose (lib, or Debian's multiarch lib/<triplet>).
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f | sort) >"$work/landed"
echo "installed into $prefix:"
sed 's/^/  /' "$work/landed"

expected=(
    ./bin/quillet
    ./$libdir/quillet/quillet_printer.so
    ./share/applications/$app_id.desktop
    ./share/metainfo/$app_id.metainfo.xml
    ./share/icons/hicolor/scalable/apps/$app_id.svg
    ./share/man/man1/quillet.1.gz
    ./share/man/ru/man1/quillet.1.gz
    ./share/doc/quillet/copyright
    ./share/doc/quillet/changelog.Debian.gz
    ./share/lintian/overrides/quillet
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

# The manual pages: English for every locale, Russian under ru; each compressed
# exactly as gzip -9n compresses its source, so a rebuild gives the same bytes.
man_en=$prefix/share/man/man1/quillet.1.gz
man_ru=$prefix/share/man/ru/man1/quillet.1.gz
gzip -9n -c "$sources/quillet.1" | cmp -s - "$man_en" ||
    fail "$man_en is not quillet.1 under gzip -9n"
gzip -9n -c "$sources/quillet.ru.1" | cmp -s - "$man_ru" ||
    fail "$man_ru is not quillet.ru.1 under gzip -9n"
for page in "$man_en" "$man_ru"; do
    for switch in ' /P' ' /A' ' /L' 'help' 'version' 'QDebug.log' 'XDG_STATE_HOME'; do
        zgrep -qF -- "$switch" "$page" || fail "$page does not describe '$switch'"
    done
done
zgrep -q '^\.SH OPTIONS' "$man_en" || fail "the default manual page is not the English one"
if LC_ALL=C zgrep -q '[^ -~]' "$man_en"; then
    fail "the English manual page is not plain ASCII"
fi
zgrep -q '^\.SH ПАРАМЕТРЫ' "$man_ru" || fail "the ru manual page is not the Russian one"

# Each page through man in each locale, with every warning of groff on. A locale
# the machine lacks is built from the locales package's sources into a private
# folder; without those it is skipped, saying so.
machine_locales=$(locale -a)
locale_env() { # locale: prints the variables that select it, or fails
    local name=$1 normalized
    normalized=$(sed 's/UTF-8$/utf8/' <<<"$name")
    if grep -qxF -e "$name" -e "$normalized" <<<"$machine_locales"; then
        echo "LC_ALL=$name"
    elif [ -d "/usr/share/i18n/locales" ] && [ -f "/usr/share/i18n/locales/${name%%.*}" ] &&
        command -v localedef >/dev/null; then
        mkdir -p "$work/locales"
        [ -d "$work/locales/$name" ] ||
            localedef -i "${name%%.*}" -f "${name#*.}" "$work/locales/$name" >/dev/null 2>&1 ||
            return 1
        echo "LOCPATH=$work/locales LC_ALL=$name"
    else
        return 1
    fi
}
for locale_name in C C.UTF-8 en_US.UTF-8 ru_RU.UTF-8; do
    if ! variables=$(locale_env "$locale_name"); then
        echo "skipped: the manual pages under $locale_name (no such locale nor its sources)"
        continue
    fi
    for page in "$man_en" "$man_ru"; do
        env $variables MANROFFSEQ='' MANWIDTH=80 man --warnings=w -l "$page" \
            >"$work/page.txt" 2>"$work/warnings.txt" ||
            fail "man failed on $page under $locale_name"
        if [ -s "$work/warnings.txt" ]; then
            head -n 20 "$work/warnings.txt" >&2
            fail "man warns on $page under $locale_name"
        fi
        case "$page:$locale_name" in
            "$man_en":*) heading=OPTIONS ;;
            *:C) heading=PARAMETRY ;; # the Latin stand-ins of an ASCII terminal
            *) heading=ПАРАМЕТРЫ ;;
        esac
        grep -qx "$heading" "$work/page.txt" ||
            fail "$page under $locale_name does not show the heading $heading"
    done
    echo "manual pages under $locale_name: no warnings"
done

# The Debian package.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(find "$work/package" -maxdepth 1 -name 'quillet_*.deb' | head -n1)
[ -n "$deb" ] || fail "cpack made no .deb"
echo "package $(basename "$deb"):"
dpkg-deb -I "$deb" | sed 's/^/  /'
dpkg-deb -c "$deb" | awk '{print "  " $NF}'
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "the package depends on nothing"
for dependency in $(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/ //g'); do
    case "$dependency" in
        *-dev | *-dev-tools) fail "the package depends on a development package: $dependency" ;;
        # The X libraries: the clipboard's own connection and the keyboard map.
        libc6 | libstdc++6 | libgcc-s1 | libqt6* | qt6-* | libxcb1 | libxkbcommon*) ;;
        *) fail "the package depends on something other than Qt, X and the runtimes: $dependency" ;;
    esac
done
for package in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins \
    qt6-translations-l10n; do
    grep -qw "$package" <<<"$depends" || fail "the package does not depend on $package"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ "$maintainer" =~ ^[^\<\ ][^\<]*\ \<[^\>]+@[^\>]+\>$ ]] ||
    fail "the maintainer is not 'Name <address>': $maintainer"
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
for file in "${expected[@]}"; do
    grep -qxF "./usr/${file#./}" "$work/contents" || fail "not in the package: /usr/${file#./}"
done
dpkg-deb -x "$deb" "$work/root"
zcat "$work/root/usr/share/doc/quillet/changelog.Debian.gz" >"$work/changelog"
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version) ||
    fail "the changelog does not parse"
package_version=$(dpkg-deb -f "$deb" Version)
[ "$changelog_version" = "$package_version" ] ||
    fail "the changelog's latest entry is $changelog_version, the package $package_version"

# Debian's hardening, read from the packaged (stripped) files.
# (readelf's output goes to files first: grep -q stopping early would make it
# fail on a closed pipe.)
for file in usr/bin/quillet "usr/$libdir/quillet/quillet_printer.so"; do
    elf=$work/root/$file
    readelf -lW "$elf" >"$work/segments"
    readelf -dW "$elf" >"$work/dynamic"
    readelf --dyn-syms -W "$elf" >"$work/symbols"
    grep -q GNU_RELRO "$work/segments" || fail "$file: no read-only relocations (-z relro)"
    grep -qE 'BIND_NOW|FLAGS.*NOW' "$work/dynamic" || fail "$file: not bound at start (-z now)"
    grep -q '__stack_chk_fail' "$work/symbols" || fail "$file: no stack protector"
done
readelf -dW "$work/root/usr/bin/quillet" >"$work/dynamic"
grep -qE 'FLAGS_1.*PIE' "$work/dynamic" || fail "the program is not position-independent"
# The checked string and memory functions replace a call only where the
# compiler knows the buffer's size, and no call in the program is such a call
# today; so the setting is read from the build's compile commands.
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
case "$build_type" in
    Release | RelWithDebInfo | MinSizeRel)
        unchecked=$(python3 - "$build/compile_commands.json" <<'EOF'
import json, sys
commands = json.load(open(sys.argv[1]))
sources = [c for c in commands if "/src/" in c["file"]]
unchecked = [c["file"] for c in sources
             if "-D_FORTIFY_SOURCE=2" not in c.get("command", " ".join(c.get("arguments", [])))]
print("\n".join(unchecked) if sources else "no source of src/ among the compile commands")
EOF
)
        [ -z "$unchecked" ] || fail "compiled without -D_FORTIFY_SOURCE=2: $unchecked"
        ;;
    *) echo "skipped: _FORTIFY_SOURCE in a $build_type build (it needs optimisation)" ;;
esac
echo "package hardening: ok"

if command -v lintian >/dev/null; then
    lintian --display-info --pedantic "$deb" >"$work/lintian.txt" 2>&1 || true
    echo "lintian:"
    sed 's/^/  /' "$work/lintian.txt"
    ! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"
else
    echo "skipped: lintian (not installed)"
fi

# Run as root, the packaged program can write anywhere: it must still leave its
# own folders as they were. It is unpacked below /opt, a system folder, and
# started in a first run, which writes an error report as it reads the empty
# settings; the report must land in the private state folder.
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the run as root (the test runs as $(id -un))"
else
    system_root=$(mktemp -d /opt/quillet-check.XXXXXX)
    dpkg-deb -x "$deb" "$system_root"
    (cd "$system_root" && find . | sort) >"$work/before"
    home=$work/home
    mkdir -p "$home/config" "$home/state" "$home/cache" "$home/data" "$home/runtime"
    chmod 700 "$home/runtime"
    report=$home/state/Quillet/QDebug.log
    (cd "$home" && exec env HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_STATE_HOME="$home/state" XDG_CACHE_HOME="$home/cache" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
        "$system_root/usr/bin/quillet") \
        >"$work/run.txt" 2>&1 &
    pid=$!
    for _ in $(seq 150); do
        [ -s "$report" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
    (cd "$system_root" && find . | sort) >"$work/after"
    if ! cmp -s "$work/before" "$work/after"; then
        diff "$work/before" "$work/after" >&2 || true
        fail "the program, run as root, wrote into its installed folders"
    fi
    [ -s "$report" ] || fail "the program wrote no error report to $report: $(cat "$work/run.txt")"
    echo "run as root from $system_root: the report is in the state folder, none beside the program"
fi
echo "install and package: ok"
