#!/bin/sh
# What a user or a distribution gets, checked as a distribution would check it:
#   install_test.sh install BUILD_DIR APP_ID VERSION   `cmake --install` into a fresh prefix
#   install_test.sh package BUILD_DIR APP_ID VERSION   the Debian package from `cpack -G DEB`
# The package must pass lintian without errors and depend on the libraries the programs
# link. Either way the tree holds both programs, the desktop entry and metainfo (valid,
# and pointing at each other and at the icon), every icon size, both manual pages (no
# groff warnings) and the licence; the programs answer --help and --version without a
# display and without touching a file, and tallix-eval evaluates.
set -u
mode=$1 build=$2 id=$3 version=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
prefix=$root/usr
status=0
fail() { echo "FAIL: $*"; status=1; }

if [ "$mode" = install ]; then
    cmake --install "$build" --prefix "$prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
else
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
    deb=$(ls "$tmp"/package/tallix_"$version"_*.deb) || exit 1
    lintian --fail-on error "$deb" >"$tmp/lintian" 2>&1 || fail "lintian found errors"
    grep -v 'running with root privileges' "$tmp/lintian"
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 libqt6network6 libc6 qt6-qpa-plugins fonts-noto-cjk; do
        case "$depends" in *"$p"*) ;; *) fail "the package does not depend on $p: $depends" ;; esac
    done
    dpkg-deb -x "$deb" "$root"
fi

for f in bin/tallix bin/tallix-eval share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/tallix.1.gz share/man/man1/tallix-eval.1.gz \
    share/doc/tallix/copyright share/doc/tallix/changelog.gz; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done
grep -q '^<svg .*viewBox=' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
# The window's own icon, built into the program: 48, 32 and 16 pixels, each in 256
# colours and in 32-bit colour.
images=$(python3 -c '
import struct, sys
d = open(sys.argv[1], "rb").read()
for i in range(struct.unpack("<H", d[4:6])[0]):
    w, h, _, _, _, bpp, _, _ = struct.unpack("<BBBBHHII", d[6 + 16 * i:22 + 16 * i])
    print(f"{w}x{h}:{bpp}", end=" ")' "$build/data/icons/tallix.ico")
[ "$images" = "48x48:8 48x48:32 32x32:8 32x32:32 16x16:8 16x16:32 " ] || fail "the window icon holds $images"
grep -q 'MIT\|Expat' "$prefix/share/doc/tallix/copyright" || fail "no licence in the copyright file"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry's icon is not $id"
grep -q '^Keywords=.*计算器' "$prefix/share/applications/$id.desktop" || fail "no keywords"
# validate-tree also checks that the metainfo's desktop entry is there.
appstreamcli validate-tree --no-net "$root" || fail "metainfo"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "no release $version"

for page in "$prefix"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# --help and --version: GNU texts on standard output, status 0, no display needed, and
# nothing written anywhere, not even a data folder.
mkdir "$tmp/home"
for program in tallix tallix-eval; do
    for option in --help --version; do
        out=$(cd "$tmp" && env -i HOME="$tmp/home" PATH=/usr/bin:/bin "$prefix/bin/$program" "$option" 2>"$tmp/err")
        rc=$?
        [ $rc -eq 0 ] && [ ! -s "$tmp/err" ] || fail "$program $option: status $rc, $(cat "$tmp/err")"
        first=$(printf '%s\n' "$out" | head -n 1)
        case "$option:$program" in
            --help:*) want="Usage: $program " ;;
            --version:tallix) want="tallix $version" ;;
            --version:*) want="$program (tallix) $version" ;;
        esac
        case "$first" in "$want"*) ;; *) fail "$program $option begins '$first', not '$want'" ;; esac
    done
done
[ -z "$(ls -A "$tmp/home")" ] || fail "--help or --version wrote into the home folder: $(ls -A "$tmp/home")"
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "tallix tallix-eval " ] || fail "the bin folder gained $(ls "$prefix/bin")"

[ "$("$prefix/bin/tallix-eval" '1+1')" = 2 ] || fail "installed tallix-eval '1+1' does not print 2"

[ $status -eq 0 ] && echo "$mode test passed"
exit $status
