#!/bin/sh
# Source rules the compiler cannot check:
# 1. Portable sources stay free of Win32 headers: only *_win.cpp / *_win.h may include them.
# 2. The folders of src/ form layers, and a folder includes only from layers below it
#    (or from itself), so no two folders ever depend on each other.
root=${1:-$(dirname "$0")/..}
status=0

bad=$(grep -rlE --include='*.cpp' --include='*.h' '#include[[:space:]]*<(windows|windowsx|commctrl|commdlg|shellapi)\.h>' "$root/src" \
      | grep -vE '_win\.(cpp|h)$' || true)
if [ -n "$bad" ]; then
    echo "Win32 headers in portable files:"; echo "$bad"; status=1
else
    echo "portable sources: no Win32 headers"
fi

# Layer of each folder: text and pictures at the bottom; plane geometry on the number
# rules, and the Win32 window layer (ui) beside it; the host channel above them (its waits
# keep the windows live), the profile dialogs and the calculator above, then the contour
# (its segments, the table, its files and the preview), the toolbar on top.
layers="text:0 resources:0 geometry:1 ui:1 channel:2 profiles:3 calculator:3 contour:4 toolbar:5"
rank() {
    for pair in $layers; do
        [ "${pair%%:*}" = "$1" ] && { echo "${pair#*:}"; return; }
    done
    echo ""
}

violations=$(cd "$root/src" && grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' . |
    sed -E 's#^\./([^/]+)/([^:]*):([0-9]+):[[:space:]]*\#[[:space:]]*include[[:space:]]*"([^"/]+)/.*#\1 \4 \1/\2:\3#' |
    while read -r from to where; do
        [ "$from" = "$to" ] && continue
        rf=$(rank "$from"); rt=$(rank "$to")
        if [ -z "$rf" ] || [ -z "$rt" ]; then
            echo "$where: folder without a layer ($from includes $to)"
        elif [ "$rt" -ge "$rf" ]; then
            echo "$where: $from (layer $rf) includes $to (layer $rt)"
        fi
    done)
if [ -n "$violations" ]; then
    echo "Includes against the layer order ($layers):"; echo "$violations"; status=1
else
    echo "layers: every include points down ($layers)"
fi
exit $status
