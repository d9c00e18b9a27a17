#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The set-up script against what pupils could leave in a record directory of
# the older layout, against games saving while it runs and against a second
# copy of itself. Pupils are accounts outside the group games.
#
#   prepare_record_dir_test.sh SCRIPT KEEPER DIRECTORY
#
# KEEPER is a keeper built to keep its privilege for DIRECTORY.
set -uo pipefail

script=$1
built=$2
dir=$3
if [[ $(id -u) -ne 0 ]] || ! command -v setpriv >/dev/null || ! getent group games >/dev/null; then
    echo "SKIP: needs root, setpriv and the group games"
    exit 77
fi
# Beside the record directory: a hard link needs the same file system.
work=$(mktemp -d "$(dirname "$dir")/prepare-test.XXXXXX")
keeper=$work/trovapunti-record
cp "$built" "$keeper"
chmod 0755 "$work"
pupil=47601
rival=47602
as() { local who=$1; shift; setpriv --reuid="$who" --regid="$who" --clear-groups -- "$@"; }
failures=0
check() { # DESCRIPTION COMMAND...
    local what=$1; shift
    if ! "$@"; then
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}
cleanup() {
    jobs -p | xargs -r kill 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work" "$dir"
}
trap cleanup EXIT

# 1. A directory of the older layout (2775, files owned by their savers)
# where a pupil holds its files open, made a hard link to one, and planted
# a staged pair and an intent.
rm -rf "$dir"
mkdir -p "$dir"
chown root:games "$dir"
chmod 2775 "$dir"
printf '5\r\n' >"$dir/crt.txt"
printf 'Bea\r\n' >"$dir/ncrt.txt"
printf 'data;nome\r\n1;Bea\r\n' >"$dir/risultati.csv"
printf '32767\r\n' >"$dir/crt.txt.new"
printf 'Intrusa\r\n' >"$dir/ncrt.txt.new"
: >"$dir/trovapunti.intent"
: >"$dir/trovapunti.lock"
chown "$pupil:games" "$dir"/*
chmod 0664 "$dir"/*
go=$work/go
setpriv --reuid="$pupil" --regid="$pupil" --clear-groups -- sh -c '
    exec 3<>"$1/crt.txt" 4>>"$1/risultati.csv" 5<>"$1/trovapunti.lock"
    while [ ! -e "$2" ]; do sleep 0.05; done
    printf "32767\r\n" >&3
    printf "forged\r\n" >&4
    flock -x 5 2>/dev/null; exec sleep 30' sh "$dir" "$go" &
holder=$!
sleep 0.5
check "the set-up of an old directory succeeds" "$script" "$dir" "$keeper"
touch "$go"
sleep 0.5
check "the directory is root:games 2770" test "$(stat -c '%u:%G %a' "$dir")" = "0:games 2770"
check "the planted pair was not rolled into place" test "$(cat "$dir/crt.txt")" = $'5\r'
check "nor its name" test "$(cat "$dir/ncrt.txt")" = $'Bea\r'
check "no staged file or intent stays" test ! -e "$dir/crt.txt.new" -a ! -e "$dir/trovapunti.intent"
check "the log is as it was" test "$(cat "$dir/risultati.csv")" = $'data;nome\r\n1;Bea\r'
for f in crt.txt ncrt.txt risultati.csv trovapunti.lock; do
    check "$f is a fresh root:games 0660 file" test "$(stat -c '%u:%G %a %h' "$dir/$f")" = "0:games 660 1"
done
check "the keeper is root:games 2755" test "$(stat -c '%u:%G %a' "$keeper")" = "0:games 2755"
check "a pupil saves through the keeper" test "$(as "$rival" "$keeper" save "$dir" 7 Rivale)" = saved
check "and reads it back" test "$(as "$pupil" "$keeper" read "$dir" | head -1)" = "record 3 8"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null

# 2. Run again on a directory that is right, it changes nothing: the keeper
# keeps its mark (no chown that would clear the set-group-id bit) and the
# lock file stays the same file.
before=$(stat -c '%Z %i' "$keeper" "$dir/trovapunti.lock" "$dir/crt.txt")
sleep 1.1
check "a second set-up succeeds" "$script" "$dir" "$keeper"
check "and changes nothing already right" test "$(stat -c '%Z %i' "$keeper" "$dir/trovapunti.lock" "$dir/crt.txt")" = "$before"

# 3. Games saving while two copies of the set-up run over and over: every
# copy succeeds and the pair is always one whole save.
saves() { # ACCOUNT STEP
    local score=$((10 + $2))
    while [[ ! -e $work/stop ]]; do
        as "$1" "$keeper" save "$dir" "$score" "nome$score" >/dev/null
        score=$((score + 2))
    done
}
saves "$pupil" 0 &
saves "$rival" 1 &
rounds=0
failed=0
mixed=0
end=$((SECONDS + 8))
while ((SECONDS < end)); do
    "$script" "$dir" "$keeper" >/dev/null 2>&1 &
    first=$!
    "$script" "$dir" "$keeper" >/dev/null 2>&1 || failed=$((failed + 1))
    wait "$first" || failed=$((failed + 1))
    pair=$(as "$pupil" "$keeper" read "$dir" | tail -n +2 | tr -d '\r' | tr '\n' ' ')
    read -r score name <<<"$pair"
    [[ $name == "nome$score" ]] || mixed=$((mixed + 1))
    rounds=$((rounds + 1))
done
touch "$work/stop"
wait
echo "[drill] $rounds rounds of two set-ups against two pupils saving: $failed set-ups failed, $mixed mixed pairs"
check "every set-up succeeds while games save" test "$failed" -eq 0
check "no pair is ever mixed" test "$mixed" -eq 0

# 4. A link, a second name or a FIFO in place of a file the set-up manages:
# refused, and nothing outside the directory is touched.
outside=$work/outside
printf 'fuori\r\n' >"$outside"
chmod 0666 "$outside" # so that only the keeper's own checks stop it
refused=0
for kind in symlink hardlink fifo; do
    rm -f "$dir/risultati.csv"
    case $kind in
        symlink) ln -s "$outside" "$dir/risultati.csv" ;;
        hardlink) ln "$outside" "$dir/risultati.csv" ;;
        fifo) mkfifo -m 0660 "$dir/risultati.csv" && chgrp games "$dir/risultati.csv" ;;
    esac
    if timeout 20 "$script" "$dir" "$keeper" >/dev/null 2>&1; then
        echo "FAIL: the set-up accepted a $kind as risultati.csv"
        failures=$((failures + 1))
    else
        refused=$((refused + 1))
    fi
    check "the keeper's log refuses a $kind" \
        test "$(as "$pupil" "$keeper" log "$dir" 1 1 no x 2>/dev/null)" = "error risultati.csv not-regular"
    check "the file outside is untouched after a $kind" \
        test "$(stat -c '%u:%g %a' "$outside"):$(cat "$outside")" = "0:0 666:fuori"$'\r'
done
rm -f "$dir/risultati.csv"
echo "[drill] a symbolic link, a hard link and a FIFO as risultati.csv: $refused of 3 refused by the set-up"

if ((failures > 0)); then
    echo "$failures checks failed"
    exit 1
fi
echo "all checks passed"
