#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that are missing, without recommends:
#
#   install-deps.sh play   what building and playing need: debian/control's
#                          Build-Depends and the package's own Depends
#   install-deps.sh test   the same, and what the test suite needs
#
# The package's relations are read from debian/control, so the game built
# from the tree needs exactly what the package does. Runs apt through sudo
# when not root. Works on Debian 12 and 13.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-play}

# The relation FIELD of the stanza whose first field is STANZA, folded onto
# one line, without substitution variables such as ${shlibs:Depends}.
control_field() {
    local stanza=$1 field=$2
    awk -v stanza="$stanza" -v field="$field" '
        /^[^ \t#]/ { current = $0; sub(/:.*/, "", current) }
        /^(Source|Package):/ { chosen = ($0 ~ "^" stanza ":") }
        chosen && current == field { sub("^" field ":", ""); print }
    ' debian/control | tr '\n' ' ' | sed -E 's/\$\{[^}]*\}//g; s/[[:space:]]+/ /g; s/( ?,)+/,/g; s/^[ ,]+|[ ,]+$//g'
}

relations=(
    "$(control_field Source Build-Depends)"
    "$(control_field Package Depends)"
    # The presets' generator and the compiler (Build-Essential).
    "build-essential, ninja-build"
)

if [[ $mode == test ]]; then
    relations+=(
        # The tests: GoogleTest, the format check, Qt's private headers for
        # the accessibility test, the window's own fonts.
        "libgtest-dev, libgmock-dev, googletest, clang-format, qt6-base-private-dev, fontconfig"
        # The licence check reads which files git tracks.
        "git"
        # The Debian package and its checks.
        "dpkg-dev, fakeroot, lintian, desktop-file-utils, appstream, reuse, python3"
        # Debian's tools for the package: a fresh system for piuparts, and a
        # second build compared byte for byte (diffoscope tells where they
        # differ) in another host name.
        "piuparts, diffoscope-minimal, hostname"
        # The end-to-end tests: a real X server, a window manager, a keyboard
        # tool, screenshots (xwd), window properties (xprop) and a faster clock
        # for whole games (faketime).
        "xvfb, openbox, xdotool, x11-apps, x11-utils, faketime"
        # A Wayland session beside it: a headless compositor and Qt's Wayland
        # platform.
        "mutter, qt6-wayland"
        # The lab-wide record test: a GlusterFS volume mounted by FUSE.
        "glusterfs-server, glusterfs-client, iproute2"
        # What a screen reader hears: a D-Bus session, the accessibility bus
        # and a listener on it.
        "dbus-daemon, dbus-bin, at-spi2-core, python3-pyatspi"
        # The results log as teachers open it: LibreOffice Calc and Gnumeric's
        # ssconvert, run headless by the records tests.
        "libreoffice-calc, gnumeric"
        # What a pupil hears through a real screen reader: Orca, speaking
        # through speech-dispatcher (its log holds every message) with
        # espeak-ng into nothing (libao's null output, no sound device).
        "orca, speech-dispatcher, espeak-ng, python3-speechd, libao4"
    )
    # The native Wayland test (Qt 6.8 on, so Debian 13 on) asks GNOME Shell,
    # as its compositor, through D-Bus (GObject introspection for Python)
    # where the game's windows open.
    if (($(. /etc/os-release && echo "${VERSION_ID:-99}" | cut -d. -f1) >= 13)); then
        relations+=("gnome-shell, python3-gi")
    fi
elif [[ $mode != play ]]; then
    echo "usage: install-deps.sh [play|test]" >&2
    exit 2
fi

wanted=$(printf '%s, ' "${relations[@]}")
wanted=${wanted%, }

# dpkg-checkbuilddeps (dpkg-dev) tells whether any relation is unmet; a
# machine without it is missing things anyway.
if command -v dpkg-checkbuilddeps >/dev/null &&
    dpkg-checkbuilddeps -d "$wanted" /dev/null 2>/dev/null; then
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
fi

echo "Installing what is missing for: $mode"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get satisfy -y -q --no-install-recommends "$wanted"
