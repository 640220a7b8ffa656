#!/usr/bin/env bash
# The Debian package: built from the build folder with CPack, its contents and
# dependencies checked, then each validator run on it. A validator that is not
# installed skips its test (exit 77) with a message naming the missing package.
#
# Usage: package_test.sh build|lintian|appstream|desktop BUILD_DIR OUTPUT_DIR
set -euo pipefail

mode="$1"
build="$(cd "$2" && pwd)"
out="$3"
deb="$out/quillmate_8.1_amd64.deb"
tree="$out/tree"

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $1 is not installed (Debian package $2): the package was not checked by it"; exit 77; }
need_deb() { [ -f "$deb" ] && [ -d "$tree" ] || fail "no package in $out (the package_build test makes it)"; }

case "$mode" in
build)
    rm -rf "$out"
    mkdir -p "$out"
    (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack failed"; }
    [ -f "$deb" ] || fail "cpack made no $deb"
    dpkg-deb -x "$deb" "$tree"

    # What a Debian package of a program carries.
    for f in usr/bin/quillmate usr/share/applications/quillmate.desktop \
             usr/share/metainfo/org.quillmate.quillmate.metainfo.xml \
             usr/share/icons/hicolor/scalable/apps/quillmate.svg usr/share/mime/packages/quillmate.xml \
             usr/share/man/man1/quillmate.1.gz usr/share/doc/quillmate/copyright \
             usr/share/doc/quillmate/changelog.gz; do
        [ -f "$tree/$f" ] || fail "missing /$f"
    done
    [ ! -e "$tree/usr/share/man/man1/quillmate.1" ] || fail "an uncompressed manual page is installed"
    gzip -t "$tree/usr/share/man/man1/quillmate.1.gz" || fail "the manual page is not valid gzip"
    zcat "$tree/usr/share/man/man1/quillmate.1.gz" | head -n1 | grep -q '^\.TH QUILLMATE 1' \
        || fail "the manual page does not start with its title"
    zcat "$tree/usr/share/doc/quillmate/changelog.gz" | head -n1 | grep -q '^quillmate (8\.1) ' \
        || fail "the changelog's first entry is not version 8.1"
    head -n1 "$tree/usr/share/doc/quillmate/copyright" \
        | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        || fail "the copyright file is not in Debian's machine-readable format"
    grep -q '^License: Expat$' "$tree/usr/share/doc/quillmate/copyright" || fail "no licence in the copyright file"

    # Dependencies: versioned ones from the linked libraries (libgcc-s1 among
    # them), and the run-time needs no library link shows.
    depends="$(dpkg-deb -f "$deb" Depends)"
    echo "Depends: $depends"
    for dep in 'libc6 (>= ' 'libgcc-s1 (>= ' 'libstdc++6 (>= ' 'libqt6core6 (>= ' 'libqt6gui6 (>= ' \
               'libqt6widgets6 (>= ' 'libqt6printsupport6 (>= ' 'qt6-qpa-plugins' 'fonts-liberation'; do
        grep -qF "$dep" <<<"$depends" || fail "Depends lacks $dep"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = "8.1" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
    # The packaged program runs: a batch mode needs no display.
    [ "$("$tree/usr/bin/quillmate" --evaluate "12.5+2*40")" = "92.5" ] || fail "the packaged program does not evaluate"
    echo "PASS: package $deb"
    ;;
lintian)
    command -v lintian >/dev/null || skip lintian lintian
    need_deb
    # Errors fail the test; warnings and notes are shown for the reader.
    lintian --fail-on error --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true
    lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"
    echo "PASS: lintian finds no error"
    ;;
appstream)
    command -v appstreamcli >/dev/null || skip appstreamcli appstream
    need_deb
    appstreamcli validate --no-net "$tree/usr/share/metainfo/org.quillmate.quillmate.metainfo.xml" \
        || fail "appstreamcli rejects the metainfo file"
    echo "PASS: AppStream metadata valid"
    ;;
desktop)
    command -v desktop-file-validate >/dev/null || skip desktop-file-validate desktop-file-utils
    need_deb
    result="$(desktop-file-validate "$tree/usr/share/applications/quillmate.desktop" 2>&1)" \
        || fail "desktop-file-validate: $result"
    [ -z "$result" ] || fail "desktop-file-validate: $result"
    echo "PASS: desktop entry valid"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
