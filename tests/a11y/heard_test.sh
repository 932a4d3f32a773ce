#!/usr/bin/env bash
# What a person who cannot see the window hears: the window driven from the
# keyboard alone through the steps of heard.tsv, with the Orca screen
# reader running (scripts/orca-session.sh). After each step the test waits
# for Orca to say that step's phrase, one whole utterance of Orca's log,
# and then takes the next.
#   heard_test.sh qt PROGRAM OUTDIR
#   heard_test.sh web SITE OUTDIR       (the page, served, in chromium)
set -euo pipefail
front=$1 target=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
table=$here/heard.tsv
column=$(grep -v '^#' "$table" | head -1 | tr '\t' '\n' | grep -nx -- "$front" | cut -d: -f1)
if grep -v '^#' "$table" | cut -f"$column" | grep -qx pending; then
  echo "Skipped: $(grep -m1 "^# $front: " "$table" | cut -c3-)"
  exit 77
fi
if [[ $front == web ]] && ! command -v chromium >/dev/null; then
  echo "Skipped: chromium is not installed"
  exit 77
fi
if [[ -z ${ORCA_LOG:-} ]]; then
  exec bash "$here/../../scripts/orca-session.sh" "$out" bash "$0" "$@"
fi

if [[ $front == qt ]]; then
  # Qt's accessibility bridge keeps a copy of each key event until the
  # screen reader has answered for it, and one still unanswered when
  # Alt+F4 closes the window is never freed: a leak of Qt's alone, here.
  if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]+) ]]; then
    { cat "${BASH_REMATCH[1]}"; echo 'leak:libQt6Gui.so'; } >"$out/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/${BASH_REMATCH[1]}/$out/lsan.supp}
  fi
  "$target" >"$out/program.log" 2>&1 &
else  # the page served as it asks to be, on a port of the system's choosing
  node "$here/../../scripts/web/serve.mjs" "$target" 0 >"$out/server.log" 2>&1 &
  server=$!
  trap 'kill $server 2>/dev/null || true' EXIT
  for ((tenths = 0; tenths < 300; ++tenths)); do
    url=$(sed -n 's/^Tasa Efectiva: //p' "$out/server.log" 2>/dev/null) && [[ -n $url ]] && break
    sleep 0.1
  done
  [[ -n $url ]] || { echo "not ok - the page's server did not start"; exit 1; }
  # As root chromium needs --no-sandbox, and --test-type keeps a warning
  # out of the tab order; its offer to translate a Spanish page is no part of it
  mkdir -p "$out/chromium/Default"
  echo '{"translate": {"enabled": false}}' >"$out/chromium/Default/Preferences"
  chromium --no-sandbox --test-type --force-renderer-accessibility --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$out/chromium" --disable-gpu --app="$url" >"$out/program.log" 2>&1 &
fi
program=$!
trap 'kill $program ${server:-} 2>/dev/null || true' EXIT

said() {  # what Orca has said, one utterance a line, without its final stop
  sed -E ':a;N;$!ba;s/\n {18}/ /g; s/\xc2\xa0/ /g' "$ORCA_LOG" | grep -a 'SPEECH OUTPUT:' |
    sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?(voice=[a-z]+)?\{.*$/\1/" | tr -s ' ' |
    sed -E 's/^ //; s/\.? ?$//'
}
said_since() { said | tail -n +$((heard + 1)) | grep -nxF -m1 -- "$expected"; }
heard=0 announcements=()
while IFS=$'\t' read -r -u 4 keys window expected; do
  [[ $front == qt ]] && expected=$window
  case $keys in
    -) ;;  # what Orca says next, after the row above
    focus)  # once the program's window is up (chromium makes and drops others first)
      for ((tenths = 0; tenths < 600; ++tenths)); do
        window=$(xdotool search --onlyvisible --pid $program 2>/dev/null | tail -1) || true
        [[ -n $window ]] && xdotool windowactivate --sync "$window" 2>/dev/null && break
        sleep 0.1
      done ;;
    type:*) xdotool type --delay 120 -- "${keys#type:}" ;;
    *) xdotool key --delay 120 $keys ;;
  esac
  for ((tenths = 0; tenths < 600; ++tenths)); do said_since >/dev/null && break; sleep 0.1; done
  if ! step=$(said_since | cut -d: -f1); then
    echo "not ok - $keys: \"$expected\" not said; Orca said:"
    said | tail -n +$((heard + 1)) | sed 's/^/    /'
    exit 1
  fi
  echo "ok - $keys: $(said | sed -n "$((heard + 1)),$((heard + step))p" | paste -sd '|')"
  heard=$((heard + step))
  # The window's announcements are its notifications.
  [[ $window == notificación* ]] && announcements+=("$expected")
done 4< <(grep -v '^#' "$table" | tail -n +2 | cut -f1,2,"$column")

# Nothing else is announced: not while a person types, not after an error
# (the window's notifications, the page's phrases).
if [[ $front == qt ]]; then
  announced=$(said | grep -c '^notificación' || true)
else
  announced=$(said | grep -cxF -f <(printf '%s\n' "${announcements[@]}") || true)
fi
[[ $announced == "${#announcements[@]}" ]] ||
  { echo "not ok - $announced announcements, ${#announcements[@]} expected"; exit 1; }
# Alt+F4 closes the window, which ends the program.
xdotool key alt+F4
timeout 60 tail --pid=$program -f /dev/null || { echo "not ok - Alt+F4 did not end it"; exit 1; }
wait $program || { echo "not ok - it ended with status $?"; exit 1; }
echo "ok - Alt+F4 ends it"
