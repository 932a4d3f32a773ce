#!/usr/bin/env bash
# Checks a Windows executable's import table: it may load only DLLs that
# every Windows has, and no function newer than Windows 7 SP1. And its
# hardening: ASLR (with high entropy for 64 bits), DEP, and the stack
# protector, which the link map shows linked in.
#   check_imports.sh OBJDUMP PROGRAM.exe LINK.map
set -euo pipefail
objdump=$1
exe=$2
map=$3

imports=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = tolower($3); print dll; next }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }')

status=0
# COM and Active Accessibility (ole32, oleaut32, oleacc) are part of every
# Windows since long before 7.
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll advapi32.dll "
system_dlls+="ole32.dll oleaut32.dll oleacc.dll "
for dll in $(awk 'NF == 1' <<<"$imports"); do
  if [[ "$system_dlls" != *" $dll "* ]]; then
    echo "imports $dll, which is not part of Windows"
    status=1
  fi
done

# Functions that Windows 7 lacks and that a program like this one, or the
# run time linked into it, might reach for: the per-monitor DPI functions
# (Windows 10 1607 and 8.1), UI Automation's notification event (Windows 10
# 1709) and the Windows 8 additions that newer MinGW run times use.
newer_than_windows_7=(
  GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi AdjustWindowRectExForDpi
  SystemParametersInfoForDpi SetThreadDpiAwarenessContext
  SetProcessDpiAwarenessContext EnableNonClientDpiScaling GetDpiForMonitor
  SetProcessDpiAwareness GetSystemTimePreciseAsFileTime CreateFile2
  GetCurrentThreadStackLimits WaitOnAddress WakeByAddressSingle
  WakeByAddressAll SetThreadDescription GetThreadDescription
  UiaRaiseNotificationEvent)
for function in "${newer_than_windows_7[@]}"; do
  if grep -qw -- "$function" <<<"$(awk 'NF == 2 { print $2 }' <<<"$imports")"; then
    echo "imports $function, which Windows 7 does not have"
    status=1
  fi
done

headers=$("$objdump" -p "$exe")
wanted="DYNAMIC_BASE NX_COMPAT"
grep -q "^Magic.*020b" <<<"$headers" && wanted+=" HIGH_ENTROPY_VA"  # PE32+
for flag in $wanted; do
  grep -qw "$flag" <<<"$headers" || { echo "not built with $flag"; status=1; }
done
grep -q 'libssp\.a(' "$map" || { echo "built without the stack protector"; status=1; }
[[ $status -eq 0 ]] && echo "$(wc -l <<<"$imports") imports, all from Windows 7 system DLLs; $wanted and the stack protector"
exit $status
