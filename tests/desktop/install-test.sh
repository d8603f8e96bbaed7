#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the result as a desktop would see it:
# the programs, the data folder, the launcher entry, the AppStream file, the icons and the
# manual page are in place and valid, and the installed program answers its options without
# a display and starts from its own data folder.
# Usage: install-test.sh BUILD-FOLDER SOURCE-FOLDER VERSION
set -u
build=$1
source=$2
version=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
root=$dir/usr
app=org.example.htmlquinkle
failed=0

fail() {
    echo "install-test: $*"
    failed=1
}

if ! cmake --install "$build" --prefix "$root" >"$dir/install.log" 2>&1; then
    cat "$dir/install.log"
    echo "install-test: cmake --install failed"
    exit 1
fi

for file in bin/htmquinkle bin/quinkle-scheme bin/quinkle-find \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/icons/hicolor/scalable/apps/htmquinkle.svg share/man/man1/htmquinkle.1.gz; do
    [[ -f $root/$file ]] || fail "$file is not installed"
done
for program in bin/htmquinkle bin/quinkle-scheme bin/quinkle-find; do
    [[ -x $root/$program ]] || fail "$program is not executable"
done

# Every shipped data file, and nothing else.
diff <(cd "$source/data" && find . -type f | sort) \
    <(cd "$root/share/htmquinkle" 2>/dev/null && find . -type f | sort) >"$dir/data.diff" ||
    fail "the data folder differs from data/: $(cat "$dir/data.diff")"

# Each theme size holds a PNG of that size (the width and height stand at bytes 16..23).
for size in 16 22 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/htmquinkle.png
    expected=$(printf '%08x%08x' "$size" "$size")
    actual=$(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n')
    [[ $actual == "$expected" ]] || fail "$png is not a ${size}x$size picture ($actual)"
done

desktop=$root/share/applications/$app.desktop
desktop-file-validate "$desktop" >"$dir/validate.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$dir/validate.log")"
grep -qx 'Exec=htmquinkle %f' "$desktop" || fail "the launcher does not start htmquinkle %f"
grep -qx 'Icon=htmquinkle' "$desktop" || fail "the launcher's icon is not htmquinkle"
for type in text/html application/xhtml+xml text/plain text/rtf; do
    grep -q "^MimeType=.*$type;" "$desktop" || fail "the launcher does not declare $type"
done
appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" >"$dir/as.log" 2>&1 ||
    fail "appstreamcli: $(cat "$dir/as.log")"
grep -q "<release version=\"$version\"" "$root/share/metainfo/$app.metainfo.xml" ||
    fail "the AppStream file does not name release $version"

zcat "$root/share/man/man1/htmquinkle.1.gz" >"$dir/htmquinkle.1"
groff -man -z -ww "$dir/htmquinkle.1" >"$dir/groff.log" 2>&1
[[ ! -s $dir/groff.log ]] || fail "groff warns about the manual page: $(cat "$dir/groff.log")"
grep -q "HTML Quinkle $version" "$dir/htmquinkle.1" ||
    fail "the manual page does not name the version"

# The options need no display.
program=$root/bin/htmquinkle
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${headless[@]}" "$program" --version 2>&1)
status=$?
[[ $status -eq 0 && $out == *"$version"* ]] ||
    fail "--version: exit $status, \"$out\" (expected the version $version)"
out=$("${headless[@]}" "$program" --help 2>&1)
status=$?
[[ $status -eq 0 && $out == Usage:* ]] || fail "--help: exit $status, \"$out\""
out=$("${headless[@]}" "$program" --frobnicate page.htm 2>&1)
status=$?
[[ $status -eq 2 && $out == *"unknown option '--frobnicate'"* ]] ||
    fail "an unknown option: exit $status, \"$out\" (expected 2 and a message)"

# Started from where it is installed, the program takes the shipped files from there: a file
# that only the installed data folder holds reaches the user's program folder.
echo installed >"$root/share/htmquinkle/only-installed.txt"
mkdir -p "$dir/run" "$dir/cfg"
printf '<p>installed</p>' >"$dir/page.htm"
QT_QPA_PLATFORM=offscreen QUINKLE_EXIT_AFTER_PAINT=1 QUINKLE_HOME="$dir/home" \
    QUINKLE_CONFIG_DIR="$dir/cfg" XDG_RUNTIME_DIR="$dir/run" \
    timeout 120 "$program" "$dir/page.htm" >"$dir/run.log" 2>&1 ||
    fail "the installed program did not start and end: $(cat "$dir/run.log")"
[[ -f $dir/home/only-installed.txt ]] ||
    fail "the installed program did not take its files from $root/share/htmquinkle"

if [[ $failed -eq 0 ]]; then
    echo "install-test: the installed tree is complete and valid"
fi
exit $failed
