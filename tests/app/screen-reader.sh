#!/bin/bash
# What a blind user hears: Quorvel driven by key presses only, under the real
# screen reader Orca, on Xvfb with openbox, a private session bus, the
# accessibility bus and speech-dispatcher speaking into a text file. Orca's
# spoken text is read from its debug file ("SPEECH OUTPUT" lines).
#
#   screen-reader.sh QUORVEL_PROGRAM [TRANSCRIPT_DIR]
#
# Inside the private session this script runs itself again with --session.
set -u
program=$1

if [[ ${2:-} != --session ]]; then
  for tool in Xvfb orca openbox xdotool dbus-run-session speech-dispatcher; do
    command -v "$tool" >/dev/null || { echo "screen-reader: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  done
  work=$(mktemp -d)
  trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
  export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run
  mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_CONFIG_HOME/Dravenor" "$work/orca" "$work/sd" \
    "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  # A speech module that writes what it is given to speak, and a silent sound
  # device, which speech-dispatcher insists on opening.
  cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
LogDir "$work/sd"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "text" "sd_generic" "text.conf"
DefaultModule text
EOF
  cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/text.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> $work/spoken.txt"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "text"
EOF
  # Orca's defaults, but for positions in groups, which a user turns on to
  # hear "1 of 3".
  cat >"$work/orca/user-settings.conf" <<'EOF'
{"general": {"enablePositionSpeaking": true, "firstStart": false},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {},
                          "enablePositionSpeaking": true}},
 "pronunciations": {}, "keybindings": {}}
EOF
  exec 3<> <(:)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  read -r -t 20 display <&3 || { echo "screen-reader: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$display WORK=$work
  # Orca runs once per user and finds itself by process name: in a process
  # namespace of its own, it neither meets nor ends another user's Orca, or
  # another run of this test.
  as_root=()
  [[ $(id -u) -eq 0 ]] || as_root=(--user --map-root-user)
  unshare "${as_root[@]}" --pid --fork --mount-proc \
    dbus-run-session -- "$0" "$program" --session 2>"$work/session.err"
  status=$?
  [[ -n ${TRANSCRIPT_DIR:-} ]] && cp "$work"/transcript-* "$work"/orca.out "$TRANSCRIPT_DIR"/ 2>/dev/null
  [[ $status -eq 0 ]] || grep -v "^SpiRegistry" "$work/session.err" >&2
  exit $status
fi

# ------------------------------------------------------------ in the session
log=$WORK/orca.out
failures=0
openbox --sm-disable >/dev/null 2>&1 &

spoken_lines() { grep -a -c 'SPEECH OUTPUT' "$log" 2>/dev/null || echo 0; }

# Waits until Orca has said nothing new for a while: what a key made it say
# is then all in the log, however slow the machine.
settle() {
  local last=-1 now quiet=0 i
  for ((i = 0; i < 100 && quiet < ${1:-3}; i++)); do
    sleep 0.15
    now=$(stat -c %s "$log" 2>/dev/null || echo 0)
    if [[ $now == "$last" ]]; then quiet=$((quiet + 1)); else quiet=0; fi
    last=$now
  done
}

start_orca() {
  local try i
  for try in 1 2; do
    rm -f "$log"
    # Orca writes its debug file in blocks, but line by line to a terminal:
    # `script` gives it one and copies each line to the log as it comes.
    script -qfec "orca -u '$WORK/orca' --debug-file=/dev/tty" "$log" </dev/null >/dev/null 2>&1 &
    orca_pid=$!
    for ((i = 0; i < 100; i++)); do
      grep -aq "SPEECH OUTPUT: 'Screen reader on.'" "$log" 2>/dev/null && { settle; return 0; }
      sleep 0.2
    done
    kill "$orca_pid" 2>/dev/null; wait "$orca_pid" 2>/dev/null
  done
  echo "screen-reader: Orca did not start" >&2
  return 1
}

heard() { grep -a 'SPEECH OUTPUT' "$log" | tr -d '\r' | sed -E "s/^[^']*SPEECH OUTPUT: '//; s/' ?\[?\{'established.*$//"; }

# Key presses, one at a time, each once Orca has had its say; "ctrl+a 4 7",
# keys typed at once.
press() {
  heard_from=$(spoken_lines)
  printf '%s\t%s\n' "$heard_from" "$*" >>"$WORK/keys-$language"
  local key keys
  for key in "$@"; do
    read -ra keys <<<"$key"
    xdotool key --clearmodifiers "${keys[@]}"
    settle
  done
}

# Something Orca says after the last keys, in one utterance or over several:
# waited for, since a new window may take Orca a while, and a loaded machine
# longer still.
expect() {
  local what=$1 pattern=$2 i
  for ((i = 0; i < 150; i++)); do
    heard | tail -n +$((heard_from + 1)) | tr '\n' ' ' | grep -aqE -- "$pattern" && return 0
    sleep 0.2
  done
  echo "NOT HEARD ($language): $what: /$pattern/ after the keys; Orca said:" >&2
  heard | tail -n +$((heard_from + 1)) | sed 's/^/    /' >&2
  failures=$((failures + 1))
}

# Something Orca must not say after the last keys, checked once it has had
# its say.
unheard() {
  if heard | tail -n +$((heard_from + 1)) | tr '\n' ' ' | grep -aqE -- "$2"; then
    echo "HEARD ($language): $1: /$2/ after the keys" >&2
    failures=$((failures + 1))
  fi
}

# What was heard, each stretch under the keys that came before it.
write_transcript() {
  heard | awk -v keys="$WORK/keys-$language" -v first="$1" '
    BEGIN { while ((getline line < keys) > 0) { split(line, f, "\t"); at[f[1]] = at[f[1]] ">> " f[2] "\n" } }
    NR > first { if ((NR - 1) in at) printf "%s", at[NR - 1]; print }' >"$WORK/transcript-$language.txt"
}

run_quorvel() {
  language=$1
  : >"$WORK/keys-$language"
  printf '[General]\nLanguage=%s\n' "$2" >"$XDG_CONFIG_HOME/Dravenor/Quorvel.conf"
  local i
  started_at=$(spoken_lines)
  from=$started_at
  "$program" >"$WORK/quorvel-$language.log" 2>&1 &
  quorvel_pid=$!
  for ((i = 0; i < 100; i++)); do
    grep -a 'SPEECH OUTPUT' "$log" | tail -n +$((from + 1)) | grep -aq 'Quorvel frame' && break
    sleep 0.2
  done
  settle
}

stop_quorvel() {
  settle 7
  write_transcript "$started_at"
  kill "$quorvel_pid" 2>/dev/null
  wait "$quorvel_pid" 2>/dev/null
}

start_orca || exit 1

# French: a man's French suit 48 and shoe 41, converted by Return in the
# shoe list, then the panel, the open list and the options dialog.
run_quorvel fr 0
press space Tab Down Down
expect "country chosen" "francais"
press Tab
expect "garment option, one of three" "Costume ou robe"
expect "garment option, one of three" "1 of 3"
press space Tab 4 8 Tab Tab
expect "the shoe option alone" "Chaussures"
expect "the shoe option alone" "1 of 1"
press Tab 4 1 Return
expect "the result, announced" "Royaume-Uni 38"
expect "the result, announced" "France 48"
expect "the result, announced" "chaussures: .*France 41"
# A suit size that is no size: what the note says, and no dash heard as a
# size; then a suit and a shoe size between two rows: the ranges and the note.
press shift+Tab shift+Tab shift+Tab "ctrl+a m Return"
expect "no equivalent, the note" "notification France m, Allemagne m, Italie m; chaussures: .*; Costume : pas d'équivalent"
unheard "no equivalent, a dash as a size" "Royaume-Uni [^,]?[,;]"
press "ctrl+a 4 7" Tab Tab Tab "ctrl+a 4 1 period 5 Return"
expect "between two rows, the ranges" "Royaume-Uni 36.38, Japon S.M, France 47"
expect "between two rows, the note" "Costume : entre 46 et 48; Chaussures : entre 41 et 42"
press alt+Down
expect "the open list" "[Ll]ist with [0-9]+ items"
press Escape Tab Tab
expect "the panel reached by Tab" "Japon .*chaussures: "
press Tab space
expect "the language in force, as a button" "Français.*selected radio button"
expect "the language in force, one of five" "[0-9] of 5"
press Right
expect "the next flag, chosen by arrow, one of five" "Deutsch\. selected radio button 4 of 5"
press Tab Tab Tab Tab Tab Tab
expect "the language options, one of five" "Français\. not selected radio button 3 of 5"
press Left
expect "the previous language option, chosen by arrow" "日本語\. selected radio button 2 of 5"
press Escape
stop_quorvel

# Japanese: the same conversion, heard in Japanese.
run_quorvel ja 2
press space Tab Down Down Tab space Tab 4 8 Tab Tab Tab 4 1 Return
expect "the result, announced in Japanese" "フランス 48"
expect "the result, announced in Japanese" "靴: .*フランス 41"
press shift+Tab shift+Tab shift+Tab "ctrl+a m Return"
expect "no equivalent, in Japanese" "スーツ：該当なし"
press "ctrl+a 4 7" Tab Tab Tab "ctrl+a 4 1 period 5 Return"
expect "between two rows, in Japanese" "イギリス 36.38.*スーツ：46と48の間; 靴：41と42の間"
stop_quorvel

# The size chart, opened by Ctrl+T after a conversion: the keyboard starts
# on the size converted, heard as the user's.
run_quorvel chart 0
press space Tab Down Down Tab space Tab 4 8 Tab Tab Tab 4 1 Return
expect "the result, announced" "France 41"
press ctrl+t
expect "the chart's opening cell, the user's size" "France 41, votre taille"
press Down
expect "the next row, named by the French size" "Japon 29, comme France 42"
press Escape
stop_quorvel

kill "$orca_pid" 2>/dev/null
if [[ $failures -ne 0 ]]; then
  echo "screen-reader: $failures things not heard; transcripts, then what Quorvel printed:" >&2
  cat "$WORK"/transcript-*.txt "$WORK"/quorvel-*.log >&2
  exit 1
fi
echo "screen-reader: every step heard"
