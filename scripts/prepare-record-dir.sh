#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets up the record directory shared by every player of the machine and
# repairs it whatever state it is in: owner root, group games, mode 2770, so
# that only the group (the record keeper, and teachers an administrator adds)
# can enter it and new files inherit the group; record files and lock file
# root:games 0660, the records kept; the teachers' results log root:games
# 0660.
# With the record keeper's path, also marks the keeper root:games 2755 (unless
# the administrator overrides it with dpkg-statoverride) and has it create
# what is missing and clear what a killed save left.
#
#   prepare-record-dir.sh DIRECTORY [KEEPER]
#
# Used by ./play.sh, by a direct install and by the package's maintainer
# scripts, so the set-up lives in this one place. Nobody is added to any group.
set -euo pipefail

record_dir=${1:?usage: prepare-record-dir.sh DIRECTORY [KEEPER]}
keeper=${2:-}

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
fi

if ! getent group games >/dev/null; then
    "${as_root[@]}" groupadd --system games
fi

if [[ -L "$record_dir" ]]; then
    # The keeper never follows a link: a shared directory is mounted at the
    # path itself.
    echo "error: $record_dir is a symbolic link; mount the shared directory there instead" >&2
    exit 1
fi
if [[ -e "$record_dir" && ! -d "$record_dir" ]]; then
    echo "warning: $record_dir is not a directory; moved aside to $record_dir.old" >&2
    "${as_root[@]}" mv -f "$record_dir" "$record_dir.old"
fi
if [[ ! -d "$record_dir" ]]; then
    echo "Creating the record directory $record_dir"
fi
"${as_root[@]}" mkdir -p "$record_dir"
"${as_root[@]}" chown root:games "$record_dir"
"${as_root[@]}" chmod 2770 "$record_dir"

# Each file not yet root:games 0660 is replaced by a fresh, flushed
# root:games copy of its first 4096 bytes (all the game ever reads), so that a descriptor an account opened while the
# directory was open to all (an older layout) reaches only the old file. The
# files are opened without following links, so a link put in a file's place
# can never hand root's work to another file. Anything that is not a regular
# file is left for a person to look at.
"${as_root[@]}" perl -MFcntl -MIO::Handle -e '
    my ($dir, @names) = @ARGV;
    my $gid = getgrnam("games");
    for my $name (@names) {
        my $path = "$dir/$name";
        next unless -e $path || -l $path;
        my ($old, $new, $bytes);
        if (!sysopen($old, $path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK) || !-f $old) {
            warn "warning: $path is not a regular file; left as it is\n";
            next;
        }
        # Already in place: left alone, so that a game saving meanwhile is
        # never overwritten by a copy taken before its save.
        my (undef, undef, $mode, undef, $uid, $fgid) = stat($old);
        next if $uid == 0 && $fgid == $gid && ($mode & 07777) == 0660;
        if ($name =~ /^risultati/) {
            # The results log never lay in an open directory: made root:games
            # in place, whatever its size.
            chown(0, $gid, $old) and chmod(0660, $old)
                or die "error: cannot repair $path: $!\n";
            next;
        }
        defined(sysread($old, $bytes, 4096)) or die "error: cannot read $path: $!\n";
        unlink("$path.repair");
        sysopen($new, "$path.repair", O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600)
            and chown(0, $gid, $new) and chmod(0660, $new)
            and syswrite($new, $bytes) == length($bytes) and $new->sync and close($new)
            and rename("$path.repair", $path)
            or die "error: cannot repair $path: $!\n";
    }
' "$record_dir" crt.txt ncrt.txt trovapunti.lock risultati.csv risultati.1.csv

if [[ -n "$keeper" ]]; then
    if [[ -L "$keeper" || ! -f "$keeper" ]]; then
        echo "error: the record keeper $keeper is not a regular file" >&2
        exit 1
    fi
    if ! command -v dpkg-statoverride >/dev/null || [[ -z $(dpkg-statoverride --list "$keeper") ]]; then
        # chown clears the set-group-id bit, so it comes first.
        "${as_root[@]}" chown root:games "$keeper"
        "${as_root[@]}" chmod 2755 "$keeper"
    fi
    if findmnt -n -o OPTIONS -T "$keeper" 2>/dev/null | tr ',' '\n' | grep -qx nosuid; then
        echo "warning: $keeper is on a file system mounted nosuid; records cannot be saved from it" >&2
    fi
    if ! answer=$("${as_root[@]}" "$keeper" create "$record_dir"); then
        echo "error: the record keeper could not set up $record_dir: $answer" >&2
        exit 1
    fi
fi
