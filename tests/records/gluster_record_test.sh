#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# One record for a whole lab on a real distributed file system: a GlusterFS
# volume served by this host, mounted by FUSE twice, each mount in its own
# mount and UTS namespace (two "machines", pc1 and pc2), at the lab keeper's
# record directory. Round after round, for a fixed time, both machines race five saves each, by
# pupil accounts outside the keeper's group through a set-group-id copy of
# the keeper, one of them killed at a random moment; the round's best score
# must be the record, with its name.
#
#   gluster_record_test.sh LAB-KEEPER [SECONDS] [-oMOUNT-OPTIONS] [VOLUME-OPTION=VALUE ...]
#
# Rounds start for SECONDS (30 by default) and each one started is played to
# its end; a busy machine plays fewer. The verdict counts lost and mixed pairs
# only: a save answered busy or with an error is shown but does not fail.
#
# LAB-KEEPER keeps its privilege for /tmp/trovapunti-lab/records. Without
# options the volume gets the ones the README asks for, and so does each
# machine's mount ("-o" alone mounts with Gluster's defaults). Everything runs
# inside new network, mount, UTS and PID namespaces: the server listens only
# on that namespace's loopback, /tmp is the test's own, and whatever the test
# started ends with it. Exits 77 (skipped) when FUSE or GlusterFS is missing.
set -euo pipefail

skip() {
    echo "skipped: $*"
    exit 77
}

if [[ ${1:-} != --inside ]]; then
    [[ -n ${1:-} ]] || {
        echo "usage: gluster_record_test.sh LAB-KEEPER [SECONDS] [-oMOUNT-OPTIONS] [OPTION=VALUE ...]" >&2
        exit 2
    }
    [[ $(id -u) -eq 0 ]] || skip "needs root to serve and mount a GlusterFS volume"
    command -v glusterd >/dev/null && command -v mount.glusterfs >/dev/null ||
        skip "glusterfs-server and glusterfs-client are not installed"
    [[ -c /dev/fuse ]] || skip "no /dev/fuse"
    unshare --net true 2>/dev/null || skip "no network namespaces here"
    exec timeout --kill-after=10 100 unshare --net --mount --uts --pid --fork --mount-proc \
        --propagation private "$0" --inside "$@"
fi
keeper_built=$2
play_seconds=${3:-30}
shift $(($# < 3 ? $# : 3))
# The kernel must not answer a name from its own cache: another machine may
# have renamed or removed it since.
mount_options=entry-timeout=0,attribute-timeout=0,negative-timeout=0
if [[ ${1:-} == -o* ]]; then
    mount_options=${1#-o}
    shift
fi
options=("$@")
if ((${#options[@]} == 0)); then
    options=(performance.stat-prefetch=off performance.open-behind=off)
fi

# GlusterFS takes no brick on 127.0.0.1 itself; another loopback address of
# this namespace serves as the server's.
server=127.0.0.2
ip link set lo up
ip addr add "$server/8" dev lo

# Held open across the mount below, which hides the build tree when it lies
# under /tmp.
exec 3<"$keeper_built"
mount -t tmpfs trovapunti-lab /tmp
work=/tmp/trovapunti-lab
record_dir=$work/records
mkdir -p "$work"/{state,log,run,brick} "$record_dir"
# The set-group-id copy, and the lab's group and pupils: ids nobody uses.
keeper=$work/trovapunti-record
cat <&3 >"$keeper"
exec 3<&-
id_free() { ! getent "$1" "$2" >/dev/null; }
group=47300
while ! id_free group $group; do ((++group)); done
pupil=47300
while ! id_free passwd $pupil || ! id_free passwd $((pupil + 1)); do ((++pupil)); done
chown root:$group "$keeper"
chmod 2755 "$keeper"
chmod 755 "$work"

# The server's state lives in the test's own directories, not the machine's.
cp -a /var/lib/glusterd/. "$work/state/" 2>/dev/null || true
# So does /run, where glusterd keeps its socket and pid file: a test running
# beside this one, in another worktree, has its own.
mkdir -p /var/lib/glusterd /var/log/glusterfs "$work/run/gluster"
mount --bind "$work/state" /var/lib/glusterd
mount --bind "$work/log" /var/log/glusterfs
mount --bind "$work/run" /run
hostname trovapunti-server

glusterd || skip "glusterd does not start here"
for _ in $(seq 50); do
    gluster --mode=script pool list >/dev/null 2>&1 && break
    sleep 0.2
done
gluster --mode=script volume create records "$server:$work/brick" force >/dev/null
for option in "${options[@]}"; do
    gluster --mode=script volume set records "${option%%=*}" "${option#*=}" >/dev/null
done
gluster --mode=script volume start records >/dev/null

# Waits until both machines have reached the named point.
barrier() {
    : >"$work/at.$1.$name"
    while [[ ! -e $work/at.$1.pc1 || ! -e $work/at.$1.pc2 ]]; do sleep 0.005; done
}

# One machine: mounts the volume and plays rounds until pc1 calls the last.
# Prints
# "ROUND SCORE ANSWER" per save ("killed" for the one killed) and, on pc1,
# "ROUND stored SCORE HOLDER" once the round is over.
machine() {
    name=$1
    hostname "$name"
    mount -t glusterfs ${mount_options:+-o "$mount_options"} "$server:/records" "$record_dir"
    if [[ $name == pc1 ]]; then
        chown root:$group "$record_dir"
        chmod 2770 "$record_dir"
        "$keeper" create "$record_dir" >/dev/null
    fi
    local round i score account
    for ((round = 0; ; ++round)); do
        # pc1 says before the barrier whether this round is played at all.
        if [[ $name == pc1 ]] && (($(date +%s) >= deadline)); then
            : >"$work/stop.$round"
        fi
        barrier "start.$round"
        [[ ! -e $work/stop.$round ]] || break
        local pids=() scores=()
        for i in 0 1 2 3 4; do
            # Distinct within the round, and above every earlier round.
            score=$((round * 100 + RANDOM % 9 * 10 + ${name#pc} * 5 + i))
            account=$((pupil + i % 2))
            scores+=("$score")
            setpriv --reuid=$account --regid=$account --clear-groups -- \
                "$keeper" save "$record_dir" "$score" "$name-$score" >"$work/$name.$i" &
            pids+=($!)
        done
        sleep "0.$(printf %03d $((RANDOM % 40)))"
        kill -KILL "${pids[4]}" 2>/dev/null || true
        for i in 0 1 2 3 4; do
            if wait "${pids[i]}" || [[ $i -ne 4 ]]; then
                echo "$round ${scores[i]} $(cat "$work/$name.$i")"
            else
                echo "$round ${scores[i]} killed"
            fi
        done
        barrier "end.$round"
        if [[ $name == pc1 ]]; then
            reply=$(setpriv --reuid=$pupil --regid=$pupil --clear-groups -- \
                "$keeper" read "$record_dir" | tr -d '\r' | tr '\n' ' ')
            echo "$round stored $reply"
        fi
    done
    umount "$record_dir"
}

started=$(date +%s%N)
deadline=$(($(date +%s) + play_seconds))
export -f machine barrier
export keeper deadline server work record_dir group pupil mount_options
for name in pc1 pc2; do
    unshare --mount --uts --propagation private bash -c 'machine "$1"' sh $name \
        >"$work/$name.log" 2>"$work/$name.err" &
done
wait
elapsed_ms=$((($(date +%s%N) - started) / 1000000))

# The verdict. A save answered "saved" whose score is above the round's
# record, or a record below the best save that ran to its end, is lost (a
# killed save may or may not have beaten them); a holder that is not the
# score's is mixed; "busy" is blocked.
cat "$work/pc1.log" "$work/pc2.log" | awk \
    -v options="${options[*]}, mount -o ${mount_options:-(defaults)}" \
    -v ms="$elapsed_ms" '
    $2 == "stored" { stored[$1] = $6 + 0; holder[$1] = $7; seen[$1] = 1; rounds++; next }
    $3 == "killed" { kills++; next }
    {
        saves++
        if ($3 == "saved") { saved++; if ($2 > savedBest[$1]) savedBest[$1] = $2 }
        else if ($3 == "not-beaten") {}
        else if ($0 ~ / busy$/) blocked++
        else { errors++; print "round " $1 ": " $2 " answered " substr($0, length($1 $2) + 3) }
        if ($2 > best[$1]) best[$1] = $2
    }
    END {
        for (r in seen) {
            if (savedBest[r] > stored[r] || best[r] > stored[r]) {
                lost++; print "round " r ": stored " stored[r] ", best " best[r]
            }
            if (holder[r] != "pc1-" stored[r] && holder[r] != "pc2-" stored[r]) {
                mixed++; print "round " r ": " stored[r] " held by " holder[r]
            }
        }
        printf "[gluster] %s: %d rounds x 2 machines, %d saves by pupils (%d saved), %d kills" \
            " in %d ms: %d lost, %d mixed, %d blocked, %d errors\n", options, rounds, saves,
            saved, kills, ms, lost, mixed, blocked, errors
        if (!rounds) print "no round was played to its end"
        exit (lost || mixed || !rounds)
    }'
