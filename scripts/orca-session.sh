#!/usr/bin/env bash
# Runs a command on a desktop of its own with the Orca screen reader, headless:
# Xvfb, a window manager, a private D-Bus session and accessibility bus, and
# speech-dispatcher with no sound, writing each utterance to
# OUTDIR/spoken.txt. What Orca decides to say is in its debug log,
# OUTDIR/orca.log ("SPEECH OUTPUT:" lines), written line by line; the
# command finds it as $ORCA_LOG. Ends what it started, and exits with the
# command's status; 77, with one line saying why, where it cannot run.
#   orca-session.sh OUTDIR COMMAND [ARGUMENTS...]
# For instance, to hear the window's first moments:
#   orca-session.sh /tmp/orca bash -c 'build/release/window/qt/tasa-efectiva & sleep 5'
set -euo pipefail
out=$(realpath -m "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb openbox xdotool dbus-daemon dbus-send speech-dispatcher \
    /usr/libexec/at-spi-bus-launcher /usr/bin/orca; do
  command -v "$tool" >/dev/null || { echo "Skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import gi, speechd' 2>/dev/null ||
  { echo "Skipped: Debian's python3 has no gi or speechd"; exit 77; }
locale -a | grep -qix 'es_ES.utf-\?8' || { echo "Skipped: there is no es_ES.UTF-8 locale"; exit 77; }

rm -rf "$out"
mkdir -p "$out/run" "$out/home/.config/speech-dispatcher/modules" "$out/prefs"
chmod 700 "$out/run"
export HOME=$out/home XDG_RUNTIME_DIR=$out/run XDG_CONFIG_HOME=$out/home/.config
export XDG_CACHE_HOME=$out/home/.cache XDG_DATA_HOME=$out/home/.local/share
export LANG=es_ES.UTF-8 LANGUAGE=es ORCA_LOG=$out/orca.log
unset LC_ALL SPEECHD_ADDRESS AT_SPI_BUS_ADDRESS
pids=()
stop() {  # what this started, the last first, each with its children
  local pid
  for pid in $(cat "$out/run/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) \
      $(printf '%s\n' "${pids[@]}" | tac); do
    kill $(pgrep -P "$pid") "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap 'stop 2>/dev/null' EXIT
wait_for() {  # SECONDS COMMAND...: polls COMMAND every tenth of a second
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do ((SECONDS < deadline)) || return 1; sleep 0.1; done
}
started() { pids+=($!); wait_for 60 "${@:2}" || { echo "$1 did not start"; exit 1; }; }

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
started Xvfb test -s "$out/display"
export DISPLAY=:$(cat "$out/display")
# A desktop's window manager gives a window the focus back when a dialog
# over it closes.
openbox --sm-disable >"$out/openbox.log" 2>&1 &
started openbox xdotool get_num_desktops
export DBUS_SESSION_BUS_ADDRESS=unix:path=$out/run/bus
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$out/dbus.log" 2>&1 &
started D-Bus test -S "$out/run/bus"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
started "The accessibility bus" dbus-send --session --dest=org.a11y.Bus --print-reply \
  /org/a11y/bus org.a11y.Bus.GetAddress
# Orca's own settings but one: it does not read a page aloud as it loads.
# Orca 43 then keeps the page in browse mode while a person tabs into a
# box, and the digits typed there become its navigation keys.
cat >"$out/prefs/user-settings.conf" <<CONF
{"general": {"sayAllOnLoad": false}, "profiles": {"default": {"profile": ["Default", "default"]}},
 "pronunciations": {}, "keybindings": {}}
CONF
/usr/bin/python3 "$here/orca_launch.py" -u "$out/prefs" --debug-file="$ORCA_LOG" \
  >"$out/orca.out" 2>&1 &
started Orca grep -q 'SPEECH OUTPUT' "$ORCA_LOG"

# Qt turns its accessibility on where the desktop's settings ask for it;
# this desktop has none.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0
"$@" || status=$?
exit $status
