#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages the build, the tests and the game need, only
# when some are missing. Runs apt through sudo when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-private-dev qt6-base-dev-tools libgl-dev libqt6gui6 qt6-qpa-plugins
    libgtest-dev libgmock-dev googletest
    fonts-liberation2 fontconfig qt6-translations-l10n clang-format
    qt6-svg-dev librsvg2-bin # the pictures, and the theme icons drawn from them
    # The Debian package and its checks.
    debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream reuse python3
    # The end-to-end tests: a real X server, a window manager, a keyboard tool,
    # screenshots (xwd), window properties (xprop) and a faster clock for whole
    # games (faketime).
    xvfb openbox xdotool x11-apps x11-utils faketime
    # A Wayland session beside it: a headless compositor and Qt's Wayland
    # platform, which the game must pass over for XWayland.
    mutter qt6-wayland
    # The lab-wide record test: a GlusterFS volume mounted by FUSE.
    glusterfs-server glusterfs-client iproute2
    # What a screen reader hears: a D-Bus session, the accessibility bus and a
    # listener on it.
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    # What a pupil hears through a real screen reader: Orca, speaking through
    # speech-dispatcher (its log holds every message) with espeak-ng into
    # nothing (libao's null output, no sound device).
    orca speech-dispatcher espeak-ng python3-speechd libao4
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
fi

echo "Installing missing packages: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
