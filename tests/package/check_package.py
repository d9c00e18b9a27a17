#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks what Debian's tools cannot of the built package, without installing it
on this machine.

Usage: check_package.py lintian|contents|maintainer-scripts OUT_DIR [RECORD_KEEPER]

OUT_DIR holds the .deb that build-package.sh made. RECORD_KEEPER is 1 when
the build has the record keeper program, so the package must carry it.
"""

import glob
import os
import re
import subprocess
import sys
import tempfile

APP_ID = "it.trovapunti.Trovapunti"
ICON_SIZES = (16, 22, 32, 48, 64, 128, 256)
GAME = "usr/games/trovapunti"
RECORD_KEEPER = "usr/libexec/trovapunti/trovapunti-record"
SET_UP_SCRIPT = "usr/libexec/trovapunti/prepare-record-dir.sh"
RECORD_DIR = "/var/games/trovapunti"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*command, **options):
    return subprocess.run(command, check=True, capture_output=True, text=True, **options).stdout


def find_deb(out_dir):
    debs = glob.glob(os.path.join(out_dir, "trovapunti_*.deb"))
    if len(debs) != 1:
        sys.exit(f"expected one trovapunti .deb in {out_dir}, found {debs}")
    return debs[0]


def lintian(deb):
    result = subprocess.run(
        ["lintian", "--fail-on", "error,warning", "--display-info", deb],
        capture_output=True, text=True)
    print(result.stdout, end="")
    # Errors and warnings would fail the run; the listing shows any that slip
    # past an override too.
    tags = [line for line in result.stdout.splitlines() if re.match(r"^[EW]: ", line)]
    check(result.returncode == 0, f"lintian exited with {result.returncode}: {result.stderr}")
    check(not tags, f"lintian errors or warnings: {tags}")


def contents(deb, record_keeper_expected):
    listing = run("dpkg-deb", "--contents", deb)
    entries = {}
    for line in listing.splitlines():
        mode, owner, _size, _date, _time, name = line.split(None, 5)
        name = name.split(" -> ")[0].removeprefix("./").rstrip("/")
        if name:
            entries[name] = (mode, owner)

    files = {name for name, (mode, _) in entries.items() if not mode.startswith("d")}
    expected = {
        GAME,
        f"usr/share/applications/{APP_ID}.desktop",
        f"usr/share/metainfo/{APP_ID}.metainfo.xml",
        f"usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
        "usr/share/man/man6/trovapunti.6.gz",
        "usr/share/doc/trovapunti/changelog.gz",
        "usr/share/doc/trovapunti/copyright",
        "usr/share/lintian/overrides/trovapunti",
        SET_UP_SCRIPT,
    }
    expected |= {f"usr/share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in ICON_SIZES}
    if record_keeper_expected:
        expected.add(RECORD_KEEPER)
    check(files == expected,
          f"unexpected files {sorted(files - expected)}, missing files {sorted(expected - files)}")
    check(not any(name.startswith("var/") for name in entries),
          "the record directory belongs to the maintainer scripts, not to the package's files")

    # Lintian checks ordinary modes; it cannot know that the keeper needs its
    # group and set-group-id bit.
    check(entries.get(RECORD_KEEPER, ("-rwxr-sr-x", "root/games")) == ("-rwxr-sr-x", "root/games"),
          f"{RECORD_KEEPER} is {entries.get(RECORD_KEEPER)}, not -rwxr-sr-x root/games")

    with tempfile.TemporaryDirectory() as root:
        run("dpkg-deb", "--extract", deb, root)
        desktop = f"{root}/usr/share/applications/{APP_ID}.desktop"
        with open(desktop) as entry:
            text = entry.read()
        check(f"Exec=/{GAME}\n" in text, "the menu entry does not start /" + GAME)
        check(f"Icon={APP_ID}\n" in text, "the menu entry does not show the theme icon")
        result = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
        check(result.returncode == 0 and "error" not in result.stdout,
              f"desktop-file-validate: {result.stdout}{result.stderr}")
        # The tree check also ties the metadata to its menu entry and icon.
        # No homepage is named (the project has none): the one warning
        # AppStream 1.0 gives for that is the only finding allowed.
        result = subprocess.run(["appstreamcli", "validate-tree", "--no-net", root],
                                capture_output=True, text=True)
        findings = [line for line in result.stdout.splitlines() if re.match(r"^\s*[EW]: ", line)]
        check(all(line.endswith(": url-homepage-missing") for line in findings) and
              (result.returncode == 0 or findings),
              f"appstreamcli validate-tree: {result.stdout}{result.stderr}")
        page = run("zcat", f"{root}/usr/share/man/man6/trovapunti.6.gz")
        check(RECORD_DIR in page and "/" + RECORD_KEEPER in page,
              "the manual page does not name the record directory and its keeper")


# What piuparts cannot see: a file where the record directory belongs, and a
# record directory mounted from a share. The scripts run in a private mount
# namespace with an empty /var, so the machine's own record is never touched.
SCENARIOS = r"""
set -eu
control=$1
# The package's own programs where the maintainer scripts look for them.
mount -t tmpfs trovapunti-libexec /usr/libexec
cp -a "$2/usr/libexec/trovapunti" /usr/libexec/
mount -t tmpfs trovapunti-test /var
dir=/var/games/trovapunti
state() { stat -c '%U:%G %a %F' "$1"; }
expect() { if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', want '$3'"; fi; }

# A file where the directory belongs is moved aside, not lost.
mkdir /var/games
echo stray >$dir
sh "$control/postinst" configure 2>/dev/null
expect "file moved aside" "$(cat $dir.old)" "stray"
expect "directory after a stray file" "$(state $dir)" "root:games 2770 directory"

# A directory mounted from a network share keeps its record on purge.
mount -t tmpfs trovapunti-share $dir
printf '30\r\n' >$dir/crt.txt
sh "$control/postrm" purge 2>/dev/null
expect "shared record kept" "$(cat $dir/crt.txt)" "$(printf '30\r')"
umount $dir
echo done
"""


def maintainer_scripts(deb):
    if os.geteuid() != 0:
        print("the maintainer scripts run as root in a private mount namespace: skipped")
        sys.exit(77)
    with tempfile.TemporaryDirectory() as control, tempfile.TemporaryDirectory() as root:
        run("dpkg-deb", "--control", deb, control)
        run("dpkg-deb", "--extract", deb, root)
        result = subprocess.run(
            ["unshare", "--mount", "--propagation", "private", "sh", "-c", SCENARIOS, "sh",
             control, root], capture_output=True, text=True)
    print(result.stdout, result.stderr, sep="", end="")
    check(result.returncode == 0, f"scenarios exited with {result.returncode}")
    check(result.stdout.rstrip().endswith("done"), "the scenarios did not run to the end")
    failures.extend(line for line in result.stdout.splitlines() if line.startswith("FAIL"))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    action, out_dir = sys.argv[1], sys.argv[2]
    deb = find_deb(out_dir)
    if action == "lintian":
        lintian(deb)
    elif action == "contents":
        contents(deb, len(sys.argv) > 3 and sys.argv[3] == "1")
    elif action == "maintainer-scripts":
        maintainer_scripts(deb)
    else:
        sys.exit(__doc__)
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
