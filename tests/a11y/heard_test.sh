#!/usr/bin/env bash
# What a person who cannot see the window hears: the Orca screen reader,
# headless (Xvfb, a private D-Bus session and accessibility bus,
# speech-dispatcher writing each utterance to a file), with the window
# driven from the keyboard alone through the steps of heard.tsv. After each
# step the test waits for Orca to say that step's phrase, one whole
# utterance as Orca's debug log records it ("SPEECH OUTPUT:" lines), and
# then takes the next step.
#   heard_test.sh qt PROGRAM OUTDIR
#   heard_test.sh web URL OUTDIR        (the page, in chromium)
# Exits 77, with one line saying why, where it cannot run.
set -euo pipefail
front=$1 target=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
table=$here/heard.tsv
skip() { echo "Skipped: $*"; exit 77; }

column=$(grep -v '^#' "$table" | head -1 | tr '\t' '\n' | grep -nx -- "$front" | cut -d: -f1)
if grep -v '^#' "$table" | cut -f"$column" | grep -qx pending; then
  skip "$(grep -m1 "^# $front: " "$table" | cut -c3-)"
fi
tools=(Xvfb openbox xdotool dbus-daemon dbus-send speech-dispatcher /usr/libexec/at-spi-bus-launcher /usr/bin/orca)
[[ $front == web ]] && tools+=(chromium)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
/usr/bin/python3 -c 'import gi, speechd' 2>/dev/null || skip "Debian's python3 has no gi or speechd"
locale -a | grep -qix 'es_ES.utf-\?8' || skip "there is no es_ES.UTF-8 locale"

rm -rf "$out"
mkdir -p "$out/run" "$out/home/.config/speech-dispatcher/modules" "$out/prefs"
chmod 700 "$out/run"
export HOME=$out/home XDG_RUNTIME_DIR=$out/run XDG_CONFIG_HOME=$out/home/.config
export XDG_CACHE_HOME=$out/home/.cache XDG_DATA_HOME=$out/home/.local/share
export LANG=es_ES.UTF-8 LANGUAGE=es
unset LC_ALL SPEECHD_ADDRESS AT_SPI_BUS_ADDRESS
pids=()
stop() {  # what this test started, children first; Orca's log is complete then
  local pid
  for pid in $(cat "$out/run/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) \
      $(printf '%s\n' "${pids[@]}" | tac); do
    kill $(pgrep -P "$pid") "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap 'stop 2>/dev/null' EXIT
# Polls `condition` (a command) every tenth of a second, for at most SECONDS.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do ((SECONDS < deadline)) || return 1; sleep 0.1; done
}

# Without an audio device speech-dispatcher blocks Orca after its second
# sentence: no sound at all, and a "synthesizer" that writes the text.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AddModule "text" "sd_generic" "text.conf"
DefaultModule text
LanguageDefaultModule "es" "text"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/text.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $out/spoken.txt"
GenericLanguage "es" "es" "utf-8"
AddVoice "es" "MALE1" "es"
DefaultVoice "es"
CONF

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
pids+=($!)
wait_for 30 test -s "$out/display" || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(cat "$out/display")
# A window manager, as a desktop has: it gives the window the focus back
# when the error report closes.
openbox --sm-disable >"$out/openbox.log" 2>&1 &
pids+=($!)
wait_for 30 xdotool get_num_desktops >/dev/null 2>&1 || { echo "openbox did not start"; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=unix:path=$out/run/bus
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" 2>"$out/dbus.log" &
pids+=($!)
wait_for 30 test -S "$out/run/bus" || { echo "no D-Bus session"; exit 1; }
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
pids+=($!)
wait_for 30 dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
  org.a11y.Bus.GetAddress >/dev/null 2>&1 || { echo "no accessibility bus"; exit 1; }

if [[ $front == qt ]]; then
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$target" >"$out/program.log" 2>&1 &
else  # as root chromium needs --no-sandbox, and --test-type keeps its warning out of the tab order
  chromium --no-sandbox --test-type --force-renderer-accessibility --no-first-run \
    --user-data-dir="$out/chromium" --disable-gpu --app="$target" >"$out/program.log" 2>&1 &
fi
pids+=($!)
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "${pids[-1]}" | head -1)

/usr/bin/python3 "$here/orca_launch.py" -u "$out/prefs" --debug-file="$out/orca.log" \
  >"$out/orca.out" 2>&1 &
pids+=($!)
said() {  # what Orca has said, one utterance a line, without its final stop
  sed -E ':a;N;$!ba;s/\n {18}/ /g' "$out/orca.log" 2>/dev/null | grep -a 'SPEECH OUTPUT:' |
    sed -E "s/^.*SPEECH OUTPUT: '(.*)' ?(voice=[a-z]+)?\{.*$/\1/" | tr -s ' ' |
    sed -E 's/^ //; s/\.? ?$//'
}

heard=0 failed=0 announced=0
said_since() { said | tail -n +$((heard + 1)) | grep -nxF -m1 -- "$1"; }
while IFS=$'\t' read -r -u 4 keys expected; do
  case $keys in
    -) ;;  # what Orca says next, after the row above
    focus) xdotool windowactivate --sync "$window" ;;
    type:*) xdotool type --delay 120 -- "${keys#type:}" ;;
    *) xdotool key --delay 120 $keys ;;
  esac
  if wait_for 60 said_since "$expected" >/dev/null; then
    step=$(said_since "$expected" | cut -d: -f1)
    echo "ok - $keys: $(said | sed -n "$((heard + 1)),$((heard + step))p" | paste -sd '|')"
    heard=$((heard + step))
  else
    echo "not ok - $keys: \"$expected\" not said; Orca said:"
    said | tail -n +$((heard + 1)) | sed 's/^/    /'
    failed=1
    break
  fi
  [[ $expected == notificación* ]] && announced=$((announced + 1))
done 4< <(grep -v '^#' "$table" | tail -n +2 | cut -f1,"$column")

# Nothing else is announced: not while typing, not after the error.
notifications=$(said | grep -c '^notificación' || true)
if [[ $failed == 0 && $notifications != "$announced" ]]; then
  echo "not ok - $notifications announcements, $announced expected"; failed=1
fi
stop 2>/dev/null
said >"$out/said.txt"
exit $failed
