#!/bin/sh
# Portable sources stay free of <windows.h>: only *_win.cpp / *_win.h may include it.
root=${1:-$(dirname "$0")/..}
bad=$(grep -rlE --include='*.cpp' --include='*.h' '#include[[:space:]]*<(windows|windowsx|commctrl|commdlg|shellapi)\.h>' "$root/src" \
      | grep -vE '_win\.(cpp|h)$' || true)
if [ -n "$bad" ]; then
    echo "Win32 headers in portable files:"; echo "$bad"; exit 1
fi
echo "portable sources: no Win32 headers"
