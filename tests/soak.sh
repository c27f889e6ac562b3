#!/usr/bin/env bash
# Soak: every channel window open for four cards and metering, while the admin tool changes an output
# route every 100 ms, for N minutes (default 10). Samples the program's open handles, resident memory
# and CPU share every 10 s and says at the end whether they stayed flat. Not part of CI.
# Usage: tests/soak.sh [minutes] [build folder]   (default build/, built with scripts/build)
set -u
minutes=${1:-10}
bin=${2:-$(cd "$(dirname "$0")/.." && pwd)/build}/bin
for program in all_windows_host kova2-card; do
    [ -x "$bin/$program" ] || { echo "no $bin/$program: build first (scripts/build)"; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
export KOVA2_HOME=$(mktemp -d)
host_pid=
cleanup() { [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$KOVA2_HOME"; }
trap cleanup EXIT

"$bin/kova2-card" cards 4 >/dev/null
for card in 1 2 3 4; do "$bin/kova2-card" playback "$card" on >/dev/null; done
"$bin/all_windows_host" >"$KOVA2_HOME/host.log" 2>&1 &
host_pid=$!
for _ in $(seq 100); do grep -q "all windows open" "$KOVA2_HOME/host.log" && break; sleep 0.1; done
grep -q "all windows open" "$KOVA2_HOME/host.log" || { echo "the windows did not open"; cat "$KOVA2_HOME/host.log"; exit 1; }

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$host_pid/stat"; }
handles() { ls "/proc/$host_pid/fd" | wc -l; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$host_pid/status"; }

# Routes: every card's two outputs through the four sources in turn.
change_routes() {
    local step=0 card output source
    while :; do
        card=$((step % 4 + 1)); source=$((step / 8 % 4))
        output=analog; [ $((step / 4 % 2)) -eq 1 ] && output=digital
        "$bin/kova2-card" route "$card" "$output" "$source" >/dev/null 2>&1
        step=$((step + 1))
        sleep 0.1
    done
}
change_routes &
changer_pid=$!

samples=()
printf "%8s %8s %10s %8s\n" seconds handles "RSS KiB" "CPU %"
start=$SECONDS; last_cpu=$(cpu_ticks); last_time=$(date +%s.%N)
while [ $((SECONDS - start)) -lt $((minutes * 60)) ]; do
    sleep 10
    kill -0 "$host_pid" 2>/dev/null || { echo "the program ended"; kill "$changer_pid"; exit 1; }
    now_cpu=$(cpu_ticks); now_time=$(date +%s.%N)
    share=$(awk -v c=$((now_cpu - last_cpu)) -v t="$ticks" -v a="$last_time" -v b="$now_time" \
        'BEGIN {printf "%.2f", 100 * c / t / (b - a)}')
    last_cpu=$now_cpu; last_time=$now_time
    sample="$((SECONDS - start)) $(handles) $(rss_kib) $share"
    samples+=("$sample")
    printf "%8s %8s %10s %8s\n" $sample
done
kill "$changer_pid" 2>/dev/null

# Flat: the handles of the last sample no more than the first's, memory grown by less than 2 MiB, the
# CPU share of the last third no more than half again that of the first third.
printf "%s\n" "${samples[@]}" | awk '
    { n++; h[n] = $2; r[n] = $3; c[n] = $4 }
    END {
        if (n < 3) { print "too few samples to judge"; exit 1 }
        third = int(n / 3); for (i = 1; i <= third; i++) { first += c[i]; late += c[n - third + i] }
        first /= third; late /= third
        ok = 1
        printf "handles: %d -> %d %s\n", h[1], h[n], (h[n] <= h[1] ? "flat" : "GROWING"); if (h[n] > h[1]) ok = 0
        printf "RSS: %d -> %d KiB %s\n", r[1], r[n], (r[n] - r[1] < 2048 ? "flat" : "GROWING"); if (r[n] - r[1] >= 2048) ok = 0
        printf "CPU: %.2f %% -> %.2f %% %s\n", first, late, (late <= 1.5 * first + 0.2 ? "flat" : "GROWING")
        if (late > 1.5 * first + 0.2) ok = 0
        print (ok ? "flat" : "NOT flat"); exit !ok
    }'
