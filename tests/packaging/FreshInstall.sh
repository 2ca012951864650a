#!/bin/bash
# The package's life on a fresh Debian 12, run as root from the repository's top folder (for
# example through fresh-check.sh): make it with the README's command, install it with apt,
# start weftpage from PATH on a private X display, close it through the window manager,
# then remove the package. Fails at the first thing that is not as it should be.
set -euo pipefail
step() { echo "=== $*"; }

step "./vuro.sh package"
./vuro.sh package
deb=$(ls build/vuro_*.deb)
cp "$deb" /tmp/
deb=/tmp/$(basename "$deb")

step "apt-get install $deb"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" >/tmp/install.log || { tail -30 /tmp/install.log; exit 1; }
dpkg -L vuro | sort >/tmp/vuro.files
apt-get install -y -q --no-install-recommends xvfb xauth x11-utils xdotool openbox >/dev/null
command -v weftpage

step "weftpage on a private display"
home=$(mktemp -d)
cat >/tmp/run.sh <<'RUN'
set -eu
openbox >/tmp/openbox.log 2>&1 &
sleep 2
weftpage >/tmp/weftpage.log 2>&1 &
pid=$!
for i in $(seq 60); do
    window=$(xdotool search --name '^無題 - Vuro$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 1
done
[ -n "$window" ] || { echo "no editor window"; cat /tmp/weftpage.log; exit 1; }
xwininfo -id "$window" | grep -E 'Width|Height'
xprop -id "$window" WM_CLASS
xprop -id "$window" WM_CLASS | grep -q '"Vuro"$'
sleep 2
# The program's own way out: ファイル(F), then ｱﾌﾟﾘｹｰｼｮﾝの終了(X).
xdotool windowactivate --sync "$window" || xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 1
xdotool key x
for i in $(seq 30); do kill -0 $pid 2>/dev/null || break; sleep 1; done
if kill -0 $pid 2>/dev/null; then echo "weftpage did not end from its menu"; cat /tmp/openbox.log; kill $pid; exit 1; fi
wait $pid
RUN
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_STATE_HOME=$home/.local/state \
    LANG=C.UTF-8 xvfb-run -a bash /tmp/run.sh

step "data files in the per-user folder, none in the program folder"
find "$home" -type f | sort
test -f "$home/.local/share/Brellmoor/Vuro/vurofkey.dat"
test -f "$home/.config/Brellmoor/Vuro.conf"
find /usr/lib/vuro -type f | sort >/tmp/after-run
grep '^/usr/lib/vuro/' /tmp/vuro.files | while read -r f; do [ -d "$f" ] || echo "$f"; done | sort >/tmp/packaged
diff -u /tmp/packaged /tmp/after-run

step "apt-get remove vuro"
apt-get remove -y -q vuro >/dev/null
left=0
while read -r f; do
    if [ -e "$f" ] || [ -L "$f" ]; then
        # Folders the package shares with others (/usr/share/icons/…) may stay.
        [ -d "$f" ] && [ ! -L "$f" ] && continue
        echo "left behind: $f"; left=1
    fi
done </tmp/vuro.files
[ $left -eq 0 ]
test ! -e /usr/lib/vuro
step "fresh install, start and removal all passed"
