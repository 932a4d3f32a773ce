#!/usr/bin/env bash
# Runs a Windows program under Wine with the loader of its own bitness, in a
# Wine prefix kept for the build tree.
#   wine.sh i686|x86_64 WINEPREFIX PROGRAM.exe [ARGUMENTS...]
# Calls the loaders directly: once Wine's 32-bit half is installed, the
# `wine` wrapper goes through the 32-bit loader even for a 64-bit program.
# Exits 77 (a skip for CTest) for a 32-bit program on a machine that runs no
# 32-bit programs.
set -euo pipefail
arch=$1
export WINEPREFIX=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)

case $arch in
  x86_64)
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    export WINEARCH=win64 ;;
  i686)
    if ! bash "$here/../../scripts/runs-32-bit.sh"; then
      echo "skipped: this machine runs no 32-bit programs (its kernel's 32-bit emulation is off)"
      exit 77
    fi
    if [[ ! -x /usr/lib/wine/wine ]]; then
      echo "skipped: Wine's 32-bit half (wine32:i386) is not installed"
      exit 77
    fi
    export WINELOADER=/usr/lib/wine/wine WINEARCH=win32 ;;
  *) echo "unknown architecture: $arch" >&2; exit 2 ;;
esac
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts

# A prefix holds 700 MB of DLLs in system32 (and, where Wine has its 32-bit
# half, 500 MB more in syswow64) that Wine never writes again, so the
# prefixes of a build tree share them, as hard links, with one made by
# wineboot; everything else (the registry first of all, which Wine rewrites
# in place) is copied. Tests run in parallel: the first one makes the
# prefix, the others wait.
template="$(dirname "$WINEPREFIX")/wineprefix-template"
(
  flock 9
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    if [[ ! -f "$template/system.reg" ]]; then
      WINEPREFIX=$template "$WINELOADER" wineboot --init >/dev/null 2>&1 || true
      WINEPREFIX=$template "${WINESERVER:-wineserver}" -w
    fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    tar -C "$template" --exclude=./drive_c/windows/system32 \
      --exclude=./drive_c/windows/syswow64 -cf - . | tar -C "$WINEPREFIX" -xf -
    for dlls in system32 syswow64; do
      if [[ -d "$template/drive_c/windows/$dlls" ]]; then
        cp -al "$template/drive_c/windows/$dlls" "$WINEPREFIX/drive_c/windows/"
      fi
    done
  fi
) 9>"$(dirname "$WINEPREFIX")/wineprefix.lock"

status=0
"$WINELOADER" "$@" || status=$?
exit $status
