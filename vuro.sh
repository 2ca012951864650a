#!/usr/bin/env bash
# Sets up, builds, and then starts the editor or runs every test.
#   ./vuro.sh start [file]   install what is missing, build, start weftpage
#   ./vuro.sh test           install what is missing, build, run all tests and the fuzz targets
#   ./vuro.sh package        install what is missing, build, make build/vuro_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")"

# Everything a build, the tests and a normal run need, as Debian 12 packages.
PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-wayland libgtest-dev libx11-dev
          fonts-noto-cjk xdg-utils qt6-translations-l10n
          # the icon files of the desktop theme, and the Debian package's making and test
          qt6-svg-dev dpkg-dev file desktop-file-utils appstream
          # the fuzz targets: clang with libFuzzer and the sanitizers
          clang libclang-rt-14-dev
          # the desktop tests: a private X display, a window manager, real key, mouse and clipboard
          xvfb openbox xdotool xclip x11-utils imagemagick python3
          # Japanese input: fcitx5 with the anthy engine and its Qt 6 module, without which no Qt 6
          # program takes input from fcitx5; the input-method tests run it on a bus of their own
          fcitx5 fcitx5-anthy fcitx5-frontend-qt6 dbus-x11)

# Qt 6 reaches an input method framework only through a Qt 6 module of it: fcitx5's is in PACKAGES
# and ibus's comes with Qt itself; a desktop running the older fcitx needs that one's own.
input_method_modules() {
    if dpkg-query -W -f='${Status}' fcitx-bin 2>/dev/null | grep -q "install ok installed"; then
        echo fcitx-frontend-qt6
    fi
}

setup() {
    local missing=() p
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "vuro: installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build
}

case "${1:-}" in
start)
    shift
    setup $(input_method_modules)
    build
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
        echo "vuro: there is no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
        echo "vuro: start it from a desktop session, or run it under Xvfb: xvfb-run ./vuro.sh start" >&2
        exit 1
    fi
    # A session that names its input method only for X programs (XMODIFIERS) gets it in Qt too.
    if [ -z "${QT_IM_MODULE:-}" ]; then
        case "${XMODIFIERS:-}" in
        *@im=fcitx*) export QT_IM_MODULE=fcitx ;;
        *@im=ibus*) export QT_IM_MODULE=ibus ;;
        esac
    fi
    exec build/bin/weftpage "$@"
    ;;
test)
    setup
    build
    status=0
    (cd build && ctest --output-on-failure -j "$(nproc)") || status=$?
    # The parsers of outside bytes under the sanitizers, a few seconds each (build/fuzz).
    tests/fuzz/RunFuzz.sh build/fuzz || status=1
    exit $status
    ;;
package)
    setup lintian
    build
    rm -f build/vuro_*.deb
    (cd build && cpack -G DEB)
    deb=$(ls build/vuro_*.deb)
    lintian --fail-on error "$deb"
    echo "vuro: made $deb; install it with: sudo apt-get install ./$deb"
    ;;
*)
    echo "usage: $0 start [file] | test | package" >&2
    exit 2
    ;;
esac
