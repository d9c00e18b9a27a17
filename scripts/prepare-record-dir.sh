#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets up the record directory shared by every player of the machine and
# repairs it whatever state it is in: owner root, group games, mode 2770, so
# that only the group (the record keeper, and teachers an administrator adds)
# can enter it and new files inherit the group; its files of the group, 0660.
#
# A directory that is already closed (root:games, shut to others) holds only
# what the keeper wrote: a wrong group or mode is put right in place, nothing
# else is touched, and a save cut short is left for the keeper to finish
# under its lock. Any other directory (an older layout open to all, or a
# new one) is first shut to everybody, the keeper included; staged files and
# an intent in it are thrown away, never rolled into place; every file is
# replaced by a fresh root:games 0660 copy, so that a descriptor or a hard
# link an account made while it was open reaches only the old file; then it
# is opened to the group. A link, a second name (hard link) or a special file
# in place of a file it manages is refused: left as it is, and the script
# exits non-zero. Two copies never run at once (flock on the directory).
# Missing parents are made root's, mode 0755.
#
# With the record keeper's path, also marks the keeper root:games 2755 unless
# it is already so (or the administrator overrides it with
# dpkg-statoverride), and has it create what is missing and finish what a
# killed save left.
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
    # Missing parents (a machine without /var/games) are root's, open to read.
    "${as_root[@]}" sh -c 'umask 022 && mkdir -p "$1" && mkdir -m 0700 "$2" || test -d "$2"' \
        sh "$(dirname "$record_dir")" "$record_dir"
fi

# The rest runs as root, one copy at a time (flock on the directory itself,
# which the keeper never uses; the keeper's own lock is a record lock).
"${as_root[@]}" flock "$record_dir" perl -MFcntl -MIO::Handle -e '
    my ($dir, @files) = @ARGV;
    my @debris = ("crt.txt.new", "ncrt.txt.new", "trovapunti.intent");
    my $gid = getgrnam("games");
    defined $gid or die "error: no group games\n";
    my @st = lstat($dir) or die "error: cannot look at $dir: $!\n";
    -d _ or die "error: $dir is not a directory\n";
    # Closed: root:games and shut to others. Only then can nothing in it have
    # been planted, linked or held open by an account outside the group.
    my $closed = $st[4] == 0 && $st[5] == $gid && ($st[2] & 07) == 0;
    my $bad = 0;
    my $plain = sub {
        my ($path) = @_;
        my @f = lstat($path) or return 1;
        return 1 if -f _ && $f[3] == 1;
        warn "error: $path is not a plain file of its own (a link, a second name or a special file); left as it is\n";
        $bad = 1;
        return 0;
    };

    if ($closed) {
        # The normal state: files a game saved belong to its player, of the
        # group, 0660. Only a wrong group or mode is put right, in place:
        # no account outside the group can hold or reach these files, and a
        # save running meanwhile is neither overwritten nor raced. A save cut
        # short is for the keeper to finish under its lock.
        for my $name (@files) {
            my $path = "$dir/$name";
            next unless -e $path || -l $path;
            next unless $plain->($path);
            my $fh;
            sysopen($fh, $path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK) or next;
            my @f = stat($fh);
            next unless -f $fh && $f[3] == 1;
            next if $f[5] == $gid && ($f[2] & 07777) == 0660;
            (chown($f[4], $gid, $fh) && chmod(0660, $fh))
                or die "error: cannot repair $path: $!\n";
        }
        exit($bad);
    }

    # An open directory (an older layout, or a fresh one): first shut it to
    # everybody, the keeper included, so nothing can change while it is
    # repaired; then trust nothing in it.
    (chown(0, 0, $dir) && chmod(0700, $dir)) or die "error: cannot close $dir: $!\n";
    # Staged files and an intent here were not written by this set-up:
    # they are thrown away, never rolled into place.
    for my $name (@debris, map { "$_.repair" } @files) {
        unlink("$dir/$name") or $!{ENOENT}
            or die "error: cannot remove $dir/$name: $!; $dir is left shut\n";
    }
    # Every file is replaced by a fresh root:games 0660 copy, so that a
    # descriptor or a hard link an account made while the directory was
    # open reaches only the old file. The record files are copied up to
    # 4096 bytes (all the game reads), the results logs whole, the lock
    # empty.
    for my $name (@files) {
        my $path = "$dir/$name";
        next unless -e $path || -l $path;
        next unless $plain->($path);
        my ($old, $new, $bytes) = (undef, undef, "");
        sysopen($old, $path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK) && -f $old
            or die "error: cannot read $path: $!\n";
        if ($name ne "trovapunti.lock") {
            my $limit = $name =~ /^risultati/ ? (-s $old) : 4096;
            defined(sysread($old, $bytes, $limit)) or die "error: cannot read $path: $!\n";
        }
        sysopen($new, "$path.repair", O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600)
            and chown(0, $gid, $new) and chmod(0660, $new)
            and syswrite($new, $bytes) == length($bytes) and $new->sync and close($new)
            and rename("$path.repair", $path)
            or die "error: cannot repair $path: $!; $dir is left shut\n";
    }
    (chown(0, $gid, $dir) && chmod(02770, $dir)) or die "error: cannot set up $dir: $!\n";
    exit($bad);
' "$record_dir" crt.txt ncrt.txt trovapunti.lock risultati.csv risultati.1.csv

if [[ -n "$keeper" ]]; then
    if [[ -L "$keeper" || ! -f "$keeper" ]]; then
        echo "error: the record keeper $keeper is not a regular file" >&2
        exit 1
    fi
    if [[ $(stat -c '%u:%G %a' "$keeper") != "0:games 2755" ]] &&
        { ! command -v dpkg-statoverride >/dev/null ||
            [[ -z $(dpkg-statoverride --list "$keeper") ]]; }; then
        # chown clears the set-group-id bit, so it comes first; a keeper
        # already marked is left alone, so games starting now never find it
        # without its bit.
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
