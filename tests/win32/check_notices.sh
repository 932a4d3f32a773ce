#!/usr/bin/env bash
# Every library linked into the Windows executable, as its link map lists
# them, has its notice in the notices file, and the installer installs
# that file, the LGPL and the program's own licence beside the executable.
#   check_notices.sh LINK.map THIRD-PARTY-NOTICES.txt INSTALLER.msi
set -euo pipefail
map=$1
notices=$2
msi=$3
status=0

while read -r archive; do
  case $archive in
    */libquadmath.a) notice="1. libquadmath" ;;
    */libpthread.a | */libwinpthread.a) notice="2. winpthreads" ;;
    /usr/lib/gcc/*/libgcc.a | /usr/lib/gcc/*/libgcc_eh.a | /usr/lib/gcc/*/libstdc++.a | \
      /usr/lib/gcc/*/libssp.a) notice="4. GCC's run-time libraries" ;;
    /usr/*-w64-mingw32/lib/*.a | /usr/lib/gcc/*-w64-mingw32/*/../../../../*-w64-mingw32/lib/*.a)
      notice="3. The mingw-w64 run time" ;;
    /*) notice="" ;;  # a library nobody has written a notice for
    *) continue ;;    # the program's own, in its build tree
  esac
  if [[ -z "$notice" ]] || ! grep -qF "$notice" "$notices"; then
    echo "linked in without its notice: $archive"
    status=1
  fi
done < <(grep -oE '(^|[ (])[^ ()]+\.a\(' "$map" | sed -E 's/^[ (]//; s/\($//' | sort -u)

files=$(msiinfo export "$msi" File | cut -f3)
for file in TasaEfectiva.exe LICENSE.txt THIRD-PARTY-NOTICES.txt COPYING.LGPL-2.1.txt; do
  grep -qx "$file" <<<"$files" || { echo "the installer lacks $file"; status=1; }
done
[[ $status -eq 0 ]] && echo "every library linked in has its notice, and the installer carries them"
exit $status
