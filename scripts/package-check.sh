#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as a user and
# Debian's tools would: lintian, desktop-file-validate, appstreamcli, the
# manual pages and the bash completion; then installs it with apt-get, runs
# the installed programs (the window on Xvfb until it is painted) and removes
# it again (through sudo when not run as root). Any failure ends the script
# non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
[[ $(id -u) -eq 0 ]] || apt=(sudo "${apt[@]}")
fail() { echo "package-check: $*" >&2; exit 1; }
step() { echo "-- $* ($SECONDS s)"; }

deb=$(scripts/package.sh | tail -n1)
version=$(dpkg-deb -f "$deb" Version)
work=$(mktemp -d)
installed=no
cleanup() {
  if [[ $installed == yes ]]; then
    "${apt[@]}" remove -y -qq quorvel >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

step "lintian"
report=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "$report"; fail "lintian: errors or warnings"; }
grep -v '^running with root privileges' <<<"$report" || true

step "contents"
root=$work/root
dpkg-deb -x "$deb" "$root"
id=example.dravenor.Quorvel
for f in usr/bin/quorvel usr/bin/quorvel-convert usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
         usr/share/man/man1/quorvel.1.gz usr/share/man/man1/quorvel-convert.1.gz \
         usr/share/bash-completion/completions/quorvel-convert \
         usr/share/doc/quorvel/copyright usr/share/doc/quorvel/changelog.gz; do
  [[ -f $root/$f ]] || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6svg6* ]] || fail "Depends lacks the SVG image plugin's package"
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the Qt libraries"
[[ $(dpkg-deb -f "$deb" Recommends) == qt6-wayland ]] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"

step "desktop-file-validate, appstreamcli"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstream=$(appstreamcli validate-tree --no-net "$root" 2>&1) || { echo "$appstream"; fail "appstreamcli failed"; }
if grep -Eq '^ *[WE]:' <<<"$appstream"; then echo "$appstream"; fail "appstreamcli warns"; fi

step "manual pages"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
  grep -q "Quorvel $version" <(zcat "$page") || fail "$(basename "$page") does not name version $version"
done

step "bash completion"
# Every word it offers must be one that quorvel-convert accepts.
complete_words() {  # the completions after the given words and a prefix
  bash -c 'source "$1"; shift; COMP_WORDS=(quorvel-convert "$@"); COMP_CWORD=$#; _quorvel_convert
           printf "%s\n" "${COMPREPLY[@]}"' _ "$root/usr/share/bash-completion/completions/quorvel-convert" "$@"
}
convert=$root/usr/bin/quorvel-convert
options=$(complete_words --)
usage=$("$convert" --help)
[[ $(wc -l <<<"$options") -eq 16 ]] || fail "completion offers: $options"
for o in $options; do grep -q -- "$o\b" <<<"$usage" || fail "completion offers unknown option $o"; done
for c in $(complete_words --country ''); do "$convert" --country "$c" --sex man --lists >/dev/null; done
for s in $(complete_words --sex ''); do "$convert" --country fr --sex "$s" --lists >/dev/null; done
for g in $(complete_words --garment ''); do "$convert" --country fr --sex man --garment "$g" >/dev/null; done
[[ $(complete_words --country '' | wc -l) -eq 7 && $(complete_words --garment '' | wc -l) -eq 4 ]] ||
  fail "completion does not offer every country and garment"

step "apt-get install --no-install-recommends"
# What it brings onto a system that has nothing yet: the faces the texts need
# (a Japanese one, the first of the alternatives), but not what is only
# recommended.
: >"$work/nothing-installed"
plan=$(apt-get -s -o Dir::State::status="$work/nothing-installed" --no-install-recommends install "$deb" 2>&1 |
       sed -n 's/^Inst \([^ ]*\) .*/\1/p')
for needed in quorvel libqt6svg6 fonts-ipafont-gothic fonts-liberation2; do
  grep -qx "$needed" <<<"$plan" || fail "an install without recommends lacks $needed"
done
! grep -qx qt6-wayland <<<"$plan" || fail "qt6-wayland is more than recommended"
# Once more after an update, should the package lists be too old for what
# the package needs.
install=("${apt[@]}" install --no-install-recommends -y -qq)
"${install[@]}" "$deb" >/dev/null || { "${apt[@]}" update -qq && "${install[@]}" "$deb" >/dev/null; }
installed=yes
[[ $(dpkg-query -W -f='${Status} ${Version}' quorvel) == "install ok installed $version" ]] ||
  fail "quorvel $version is not installed"

step "installed quorvel-convert"
answer=$(/usr/bin/quorvel-convert --country uk --sex man --garment suit --size 40 --shoe 8.5 --tsv)
[[ $answer == $'garment\t40\tL\t50\t40\t50\t50\t90\nshoes\t8.5\t28\t41\t9\t41\t41\t8' ]] ||
  fail "quorvel-convert answered: $answer"
[[ $(/usr/bin/quorvel-convert --version) == "quorvel-convert $version" ]] || fail "quorvel-convert --version"

step "installed quorvel: command line"
# --help and --version need no display; whatever Qt does not take is a usage
# error (Qt needs a display to tell: the off-screen one here).
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/quorvel --version) == "quorvel $version" ]] || fail "quorvel --version"
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/quorvel -h) == "usage: quorvel "* ]] || fail "quorvel -h"
for args in "--frobnicate" "-style fusion extra"; do
  status=0
  err=$(QT_QPA_PLATFORM=offscreen /usr/bin/quorvel $args 2>&1 >/dev/null) || status=$?
  [[ $status -eq 2 && $err == *usage:* ]] || fail "quorvel $args: status $status, $err"
done
# Qt's options are Qt's: the window opens off-screen and runs until ended.
status=0
timeout 4 /usr/bin/quorvel --platform offscreen -qwindowicon x.png -widgetcount >/dev/null 2>&1 || status=$?
[[ $status -eq 124 ]] || fail "quorvel with Qt's options ended with status $status"

step "installed quorvel: window on Xvfb"
# Waits for a mapped window named Quorvel whose disc is painted (blue at the
# top of the disc), then ends the program.
cat >"$work/window.sh" <<'EOF'
set -euo pipefail
/usr/bin/quorvel & pid=$!
while ((SECONDS < 30)); do
  window=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n1) || true
  if [[ -n $window ]]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    pixel=$(import -window root -crop "1x1+$((X + 215))+$((Y + 8))" -depth 8 txt:- | grep -o -m1 '([0-9,]*)' | head -n1 | tr -d '()')
    IFS=, read -r r g b _ <<<"$pixel"
    if ((b > r + 40 && b > g + 30)); then
      xwininfo -root -tree | grep -q '"Quorvel": ("quorvel" "Quorvel")  432x431'
      kill "$pid"; wait "$pid" || true
      echo painted
      exit 0
    fi
  fi
  sleep 0.1
done
kill "$pid" || true
exit 1
EOF
[[ $(xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/window.sh") == painted ]] || fail "no painted Quorvel window"

step "apt-get remove"
"${apt[@]}" remove -y -qq quorvel >/dev/null
installed=no
[[ ! -e /usr/bin/quorvel && ! -e /usr/share/applications/$id.desktop ]] || fail "files left after removal"
step "package checks passed"
