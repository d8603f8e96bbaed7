#!/bin/sh
# quinkle-rtf writes the page of a rich-text file or of standard input to standard output,
# tells missing fonts or colours on standard error, and exits 2 naming the reason when it
# cannot read.
# Usage: quinkle-rtf-test.sh PATH-OF-quinkle-rtf
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

check() {  # what, expected, actual
    if [ "$2" != "$3" ]; then
        printf '%s: expected "%s", got "%s"\n' "$1" "$2" "$3"
        failed=1
    fi
}

printf '{\\rtf1{\\info{\\title The Title}}{\\colortbl;\\red1\\green2\\blue3;}A {\\b bold} word\\par}' \
    >"$dir/doc.rtf"
page=$("$tool" "$dir/doc.rtf" | tr -d '\r')
check "body" "<P>A <B>bold</B> word</P>" "$(printf '%s\n' "$page" | grep '^<P>')"
check "title" "<title>The Title</title>" "$(printf '%s\n' "$page" | grep '<title>')"
check "last line" "</html>" "$(printf '%s\n' "$page" | tail -n 1)"
check "standard input" "<P>x</P>" "$(printf '{\\rtf1 x}' | "$tool" - | tr -d '\r' | grep '^<P>')"

printf '{\\rtf1\\cf5 x}' >"$dir/colour.rtf"
err=$("$tool" "$dir/colour.rtf" 2>&1 >/dev/null)
check "missing colour" \
    "quinkle-rtf: Colour 5 is not in the colour table: the default colour is used. 0" "$err $?"

out=$("$tool" "$dir/missing.rtf" 2>&1)
check "missing file" "quinkle-rtf: cannot read $dir/missing.rtf: No such file or directory 2" \
    "$out $?"
out=$("$tool" "$dir" 2>&1)
check "folder" "quinkle-rtf: cannot read $dir: Is a directory 2" "$out $?"
"$tool" >/dev/null 2>&1
check "no file" "2" "$?"
exit $failed
