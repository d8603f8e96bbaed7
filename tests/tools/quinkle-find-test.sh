#!/bin/sh
# quinkle-find reads files, pipes and standard input as the editor loads them, reports the
# editor's offsets, and names the real reason when it cannot read.
# Usage: quinkle-find-test.sh PATH-OF-quinkle-find
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

printf 'x\r\nfoo\r\nbar' >"$dir/crlf.txt"
printf 'x\nfoo\nbar' >"$dir/lf.txt"
printf 'x\rfoo\rbar' >"$dir/cr.txt"
for style in crlf lf cr; do
    file="$dir/$style.txt"
    check "^foo, $style" "2 3" "$("$tool" -e '^foo' "$file")"
    check "x\\nfoo, $style" "0 5" "$("$tool" -e 'x\nfoo' "$file")"
    check "o\$, $style" "4 1" "$("$tool" -e 'o$' "$file")"
    check "plain bar, $style" "6 3" "$("$tool" bar "$file")"
done
check "pipe" "2 3" "$(printf 'x\r\nfoo' | "$tool" -e '^foo' /dev/stdin)"
check "standard input" "2 3" "$(printf 'x\nfoo' | "$tool" -e '^foo' -)"

out=$("$tool" foo "$dir/missing.txt" 2>&1)
check "missing file" "quinkle-find: cannot read $dir/missing.txt: No such file or directory 2" \
    "$out $?"
out=$("$tool" foo "$dir" 2>&1)
check "folder" "quinkle-find: cannot read $dir: Is a directory 2" "$out $?"
"$tool" --help | grep -q "the editor's offsets" || {
    echo "--help does not say which offsets are printed"
    failed=1
}
exit $failed
