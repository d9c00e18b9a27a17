#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the built Debian package without installing it on this machine.

Usage: check_package.py lintian|contents|maintainer-scripts OUT_DIR [RECORD_KEEPER]

OUT_DIR holds the .deb that build-package.sh made. RECORD_KEEPER is 1 when
the build has the record keeper program, so the package must carry it.
"""

import glob
import os
import re
import stat
import struct
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


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG")
    return struct.unpack(">II", header[16:24])


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

    for name, (mode, owner) in entries.items():
        if name == RECORD_KEEPER:
            check((mode, owner) == ("-rwxr-sr-x", "root/games"),
                  f"{name} is {mode} {owner}, not -rwxr-sr-x root/games")
        elif mode.startswith("d") or name in (GAME, SET_UP_SCRIPT):
            check((mode, owner) == ("drwxr-xr-x" if mode.startswith("d") else "-rwxr-xr-x",
                                    "root/root"), f"{name} is {mode} {owner}")
        else:
            check((mode, owner) == ("-rw-r--r--", "root/root"), f"{name} is {mode} {owner}")

    fields = {}
    for line in run("dpkg-deb", "--field", deb).splitlines():
        if ":" in line and not line.startswith(" "):
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    check(fields.get("Section") == "games", f"section {fields.get('Section')}")
    with tempfile.TemporaryDirectory() as root:
        run("dpkg-deb", "--extract", deb, root)
        check(not re.search(r"\((RPATH|RUNPATH)\)", run("readelf", "--dynamic",
                                                       os.path.join(root, GAME))),
              "the installed game carries an RPATH or RUNPATH")
        for size in ICON_SIZES:
            path = f"{root}/usr/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"
            check(png_size(path) == (size, size), f"{path} is not {size}x{size}")
        with open(f"{root}/usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg") as svg:
            check("<svg" in svg.read(), "the scalable icon is not an SVG")
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

    with tempfile.TemporaryDirectory() as control:
        run("dpkg-deb", "--control", deb, control)
        for script in ("postinst", "postrm"):
            path = os.path.join(control, script)
            check(os.path.exists(path) and os.stat(path).st_mode & stat.S_IXUSR,
                  f"maintainer script {script} missing or not executable")


# Each case: how to leave /var/games before the script runs, the script and
# its argument, and what must hold afterwards. They run in a private mount
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

# First installation: nothing there, not even /var/games.
sh "$control/postinst" configure
expect "fresh install" "$(state $dir)" "root:games 2770 directory"
expect "fresh record files" "$(state $dir/crt.txt)" "root:games 660 regular empty file"

# An upgrade from the layout open to every account (2775, files 0664 owned by
# the pupils who saved them): the directory closes, the files become
# root's, the record stays, and a descriptor a pupil kept open from before
# no longer reaches it.
rm -rf $dir; mkdir -m 2775 $dir; chown root:games $dir
printf '21\r\n' >$dir/crt.txt; printf 'Ada\r\n' >$dir/ncrt.txt; : >$dir/trovapunti.lock
chown nobody:games $dir/crt.txt $dir/ncrt.txt $dir/trovapunti.lock
chmod 0664 $dir/crt.txt $dir/ncrt.txt $dir/trovapunti.lock
exec 3<>$dir/crt.txt
sh "$control/postinst" configure
printf '99\r\n' >&3; exec 3>&-
expect "upgraded directory" "$(state $dir)" "root:games 2770 directory"
expect "upgraded score" "$(state $dir/crt.txt)" "root:games 660 regular file"
expect "upgraded holder" "$(state $dir/ncrt.txt)" "root:games 660 regular file"
expect "upgraded lock" "$(state $dir/trovapunti.lock)" "root:games 660 regular empty file"
expect "upgraded score kept" "$(cat $dir/crt.txt)" "$(printf '21\r')"
expect "upgraded holder kept" "$(cat $dir/ncrt.txt)" "$(printf 'Ada\r')"

# A directory a hand copy or an old install left wrong, with its records.
rm -rf $dir; mkdir -m 0700 $dir; chown nobody:root $dir
printf '12\r\n' >$dir/crt.txt; chmod 0600 $dir/crt.txt
printf 'Zoë\r\n' >$dir/ncrt.txt; chown nobody:nogroup $dir/ncrt.txt; chmod 0640 $dir/ncrt.txt
echo 4242 >$dir/trovapunti.lock; chmod 0600 $dir/trovapunti.lock
sh "$control/postinst" configure
expect "repaired directory" "$(state $dir)" "root:games 2770 directory"
expect "repaired score" "$(state $dir/crt.txt)" "root:games 660 regular file"
expect "repaired holder" "$(state $dir/ncrt.txt)" "root:games 660 regular file"
expect "repaired lock" "$(state $dir/trovapunti.lock)" "root:games 660 regular empty file"
expect "score kept" "$(cat $dir/crt.txt)" "$(printf '12\r')"

# Upgrade and removal keep the records; a second configure changes nothing.
sh "$control/postrm" upgrade
sh "$control/postinst" configure
sh "$control/postrm" remove
expect "kept on removal" "$(cat $dir/ncrt.txt)" "$(printf 'Zoë\r')"
expect "kept on removal" "$(state $dir)" "root:games 2770 directory"

# Purge deletes the records.
sh "$control/postrm" purge
expect "purged" "$(test -e $dir && echo present || echo absent)" "absent"

# A file where the directory belongs is moved aside, not lost.
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
