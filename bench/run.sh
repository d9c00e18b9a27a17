#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the benchmarks side by side with the bare Qt program on one private X
# server and prints one table: figure | game | bare Qt | ratio or limit |
# goal | met. Installs what it needs, builds its own Release tree in
# build-bench/ (with its own record directory, so the machine's record is
# never touched), and takes some 5 minutes with the defaults.
#
#   bench/run.sh [--runs N] [--idle-s S] [--countdown-ticks T]
#                [--questions Q] [--timed-questions L] [--ticks K]
#
#   --runs             start-up runs of each program, alternating (15)
#   --idle-s           seconds of idle measured on each program (60)
#   --countdown-ticks  ticks of the countdown run, projected to 900 (60)
#   --questions        questions answered in one game (1000)
#   --timed-questions  of which timed one response at a time (100)
#   --ticks            clock ticks timed on the real window (300)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
idle_s=60
countdown_ticks=60
questions=1000
timed_questions=100
ticks=300
while (($#)); do
    case "$1" in
    --runs) runs=$2 ;;
    --idle-s) idle_s=$2 ;;
    --countdown-ticks) countdown_ticks=$2 ;;
    --questions) questions=$2 ;;
    --timed-questions) timed_questions=$2 ;;
    --ticks) ticks=$2 ;;
    *)
        sed -n '2,/^set -euo/p' "$0" | grep '^#' >&2
        exit 2
        ;;
    esac
    shift 2
done

scripts/install-deps.sh
# Needed only by the benchmarks: the X server and the X development files.
missing=()
for package in xvfb libx11-dev libxdamage-dev libxtst-dev; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    as_root=()
    [[ $(id -u) -ne 0 ]] && as_root=(sudo)
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "${missing[@]}"
fi

build=$PWD/build-bench
# The Release build the default preset makes.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTROVAPUNTI_BENCH=ON \
    -DTROVAPUNTI_RECORD_DIR="$build/records" >/dev/null
nice -n 10 cmake --build "$build" -j "$(nproc)" --target trovapunti bare_name_box x_probe \
    tick_repaint_bench countdown_timer_bench >&2
rm -rf "$build/records"

game=$build/src/game/trovapunti
bare=$build/bench/bare_name_box
probe=$build/bench/x_probe
out=$(mktemp -d)
log=$out/programs.log

# A private X server, stopped on exit.
mkdir -m 700 "$out/runtime"
exec 5>"$out/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb=$!
exec 5>&-
cleanup() {
    local status=$?
    if ((status)); then
        echo "bench/run.sh failed; the last lines of the programs' and the X server's logs:" >&2
        tail -n 20 "$log" "$out/xvfb.log" >&2 2>/dev/null || true
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -rf "$out"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [[ -s $out/display ]] && break
    sleep 0.05
done
export DISPLAY=:$(head -n1 "$out/display")
export XDG_RUNTIME_DIR=$out/runtime
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
echo "X server on $DISPLAY; logs of the programs in $log while running" >&2

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# One warm-up of each (font caches, page cache), then alternating runs.
"$probe" startup -- "$bare" >/dev/null 2>>"$log"
"$probe" startup --greet -- "$game" >/dev/null 2>>"$log"
for i in $(seq "$runs"); do
    if ((i % 2)); then
        "$probe" startup --greet -- "$game" >"$out/game.$i" 2>>"$log"
        "$probe" startup -- "$bare" >"$out/bare.$i" 2>>"$log"
    else
        "$probe" startup -- "$bare" >"$out/bare.$i" 2>>"$log"
        "$probe" startup --greet -- "$game" >"$out/game.$i" 2>>"$log"
    fi
    echo -n "." >&2
done
echo >&2

echo "Playing $questions questions, then ${idle_s} s idle..." >&2
"$probe" play --questions "$questions" --timed-questions "$timed_questions" \
    --idle-s "$idle_s" -- "$game" >"$out/play" 2>>"$log"
echo "Timing $ticks clock ticks on the real window..." >&2
"$build/bench/tick_repaint_bench" "$ticks" >"$out/tick" 2>>"$log"
echo "Bare program idle at its box for ${idle_s} s, countdown for $countdown_ticks ticks..." >&2
"$build/bench/countdown_timer_bench" "$countdown_ticks" >"$out/countdown" 2>>"$log" &
countdown=$!
"$probe" startup --idle-s "$idle_s" -- "$bare" >"$out/bare-idle" 2>>"$log"
wait "$countdown"

# The median of one figure over the runs of one program.
median() {
    local key=$1
    shift
    awk -v k="$key" '$1 == k { print $2 }' "$@" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR == 0) { print "nan"; exit }
              print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
value() { awk -v k="$2" '$1 == k { print $2; exit }' "$1"; }

rows=()
# figure | game | bare | ratio or limit | goal | met
row() { rows+=("$1|$2|$3|$4|$5|$6"); }
verdict() { awk -v c="$1" 'BEGIN { print (c ? "met" : "MISSED") }'; }
fmt() { awk -v v="$1" -v f="$2" 'BEGIN { printf f, v }'; }

g=("$out"/game.*)
b=("$out"/bare.*)
gm=$(median box_mapped_ms "${g[@]}")
bm=$(median box_mapped_ms "${b[@]}")
ratio=$(awk -v a="$gm" -v b="$bm" 'BEGIN { printf "%.2fx", a / b }')
row "Start to name box mapped (ms)" "$(fmt "$gm" %.1f)" "$(fmt "$bm" %.1f)" "$ratio" "<= 1.15x" \
    "$(verdict "$(awk -v a="$gm" -v b="$bm" 'BEGIN { print a <= 1.15 * b }')")"
gp=$(median box_painted_ms "${g[@]}")
bp=$(median box_painted_ms "${b[@]}")
row "Start to name box painted (ms)" "$(fmt "$gp" %.1f)" "$(fmt "$bp" %.1f)" \
    "$(awk -v a="$gp" -v b="$bp" 'BEGIN { printf "%.2fx", a / b }')" "(info)" "-"
gc=$(median box_cpu_ms "${g[@]}")
bc=$(median box_cpu_ms "${b[@]}")
row "CPU to name box (ms, all threads)" "$(fmt "$gc" %.1f)" "$(fmt "$bc" %.1f)" \
    "$(awk -v a="$gc" -v b="$bc" 'BEGIN { printf "%.2fx", a / b }')" "(info)" "-"
gr=$(median box_rss_kib "${g[@]}")
br=$(median box_rss_kib "${b[@]}")
row "Resident memory at name box (MiB)" "$(awk -v v="$gr" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v v="$br" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v a="$gr" -v b="$br" 'BEGIN { printf "%.2fx", a / b }')" "<= 1.10x" \
    "$(verdict "$(awk -v a="$gr" -v b="$br" 'BEGIN { print a <= 1.10 * b }')")"
ga=$(median box_rss_anon_kib "${g[@]}")
ba=$(median box_rss_anon_kib "${b[@]}")
row "  of which anonymous (MiB)" "$(awk -v v="$ga" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v v="$ba" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v a="$ga" -v b="$ba" 'BEGIN { printf "%.2fx", a / b }')" "(info)" "-"
gd=$(median main_dot_ms "${g[@]}")
gmap=$(median main_mapped_ms "${g[@]}")
row "Greeting closed to main window mapped (ms)" "$(fmt "$gmap" %.1f)" "-" "(info)" "-" "-"
row "Greeting closed to red dot painted (ms)" "$(fmt "$gd" %.1f)" "-" "limit 20" "< 20 ms" \
    "$(verdict "$(awk -v a="$gd" 'BEGIN { print a < 20 }')")"

p=$out/play
latency_row() {
    local label=$1 file=$2 key=$3
    local p50 p99
    p50=$(value "$file" "${key}_p50_ms")
    p99=$(value "$file" "${key}_p99_ms")
    row "$label p50 / p99 (ms)" "$(fmt "$p50" %.2f) / $(fmt "$p99" %.2f)" "-" "limit 4 / 16" \
        "< 4 / < 16" "$(verdict "$(awk -v a="$p50" -v b="$p99" 'BEGIN { print a < 4 && b < 16 }')")"
}
latency_row "Key typed into an answer box" "$p" key
latency_row "Judgement (message and counts)" "$p" judgement
latency_row "Next question" "$p" next
latency_row "One clock tick" "$out/tick" tick
others=$(value "$out/tick" tick_with_other_rects)
idle_other=$(value "$p" idle_other_rects_per_s)
row "Ticks repainting more than the clock label" "$others of $ticks" "-" "limit 0" "0" \
    "$(verdict "$((others == 0))")"
row "Idle repaints besides the clock (rects/s)" "$(fmt "$idle_other" %.2f)" "-" "(info)" "-" "-"
gi=$(value "$p" idle_cpu_pct)
bi=$(value "$out/bare-idle" idle_cpu_pct)
row "Idle CPU, ${idle_s} s (% of one core)" "$(fmt "$gi" %.3f)" "$(fmt "$bi" %.3f)" "limit 0.05" \
    "< 0.05 %" "$(verdict "$(awk -v a="$gi" 'BEGIN { print a < 0.05 }')")"
gw=$(value "$p" idle_switches_per_s)
bw=$(value "$out/bare-idle" idle_switches_per_s)
row "Idle wake-ups (context switches/s)" "$(fmt "$gw" %.1f)" "$(fmt "$bw" %.1f)" "(info)" "-" "-"
q10=$(value "$p" q10_rss_kib)
qn=$(value "$p" qlast_rss_kib)
row "Memory, main window after 10 questions (MiB)" "$(awk -v v="$q10" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v v="$br" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v a="$q10" -v b="$br" 'BEGIN { printf "%.2fx", a / b }')" "<= 1.25x" \
    "$(verdict "$(awk -v a="$q10" -v b="$br" 'BEGIN { print a <= 1.25 * b }')")"
row "Memory after $questions questions (MiB)" "$(awk -v v="$qn" 'BEGIN { printf "%.1f", v / 1024 }')" "-" \
    "$(awk -v a="$qn" -v b="$q10" 'BEGIN { printf "%+.2f%% vs 10", (a - b) / b * 100 }')" \
    "no growth (<= 1%)" "$(verdict "$(awk -v a="$qn" -v b="$q10" 'BEGIN { print a <= 1.01 * b }')")"
dev=$(value "$out/countdown" projected_deviation_pct)
proj=$(value "$out/countdown" projected_900_ticks_s)
row "900 ticks, projected from $countdown_ticks (s)" "$(fmt "$proj" %.3f)" "-" \
    "$(fmt "$dev" %+.4f)% of 900.9" "within 0.05 %" \
    "$(verdict "$(awk -v d="$dev" 'BEGIN { print (d < 0 ? -d : d) <= 0.05 }')")"

echo
echo "Trovapunti against a bare Qt name box, Xvfb, $runs alternating start-up runs (medians)"
echo "Load average of the machine: $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after."
{
    echo "Figure|Game|Bare Qt|Ratio or limit|Goal|Met"
    echo "---|---|---|---|---|---"
    printf '%s\n' "${rows[@]}"
} | awk -F'|' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5, $6 }'
