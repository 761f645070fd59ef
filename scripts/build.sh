#!/bin/sh
# Builds the whole tree twice: natively with the unit tests (build/native) and for
# 64-bit Windows with MinGW-w64 (build/win, Release). Then checks that the Windows
# programs import nothing but Windows' own DLLs, so they run on a bare Windows.
#   scripts/build.sh [--no-test]
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
NATIVE="$ROOT/build/native"
WIN="$ROOT/build/win"
RUN_TESTS=1
[ "${1:-}" = "--no-test" ] && RUN_TESTS=0

GENERATOR=""
command -v ninja >/dev/null 2>&1 && GENERATOR="-G Ninja"

# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$NATIVE" $GENERATOR -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$NATIVE"
if [ "$RUN_TESTS" = 1 ]; then
    ctest --test-dir "$NATIVE" --output-on-failure
fi

# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$WIN" $GENERATOR -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$WIN"

# DLLs every Windows 10 has; anything else (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll...) would mean a static-link setting went missing.
SYSTEM_DLLS="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll
advapi32.dll msvcrt.dll ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll imm32.dll
winmm.dll version.dll"

status=0
for exe in KeloMenu.exe KeloCalculator.EXE hostsim.exe; do
    path="$WIN/$exe"
    if [ ! -f "$path" ]; then
        echo "build: $path missing" >&2
        status=1
        continue
    fi
    echo "build: $path"
    for dll in $(x86_64-w64-mingw32-objdump -p "$path" | sed -n 's/^[[:space:]]*DLL Name: //p' \
                 | tr 'A-Z' 'a-z'); do
        case " $(echo $SYSTEM_DLLS) " in
            *" $dll "*) ;;
            *) case "$dll" in
                   api-ms-win-*) ;;
                   *) echo "build: $exe imports non-system DLL $dll" >&2; status=1 ;;
               esac ;;
        esac
    done
done
exit $status
