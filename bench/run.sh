#!/usr/bin/env bash
# Start-up to first frame, the organiser against a bare window of as many labels,
# alternated in one run; then the in-process action costs.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR [PAIRS]}" && pwd)
pairs=${2:-20}
bin="$build/bin"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
log=$(mktemp)
trap 'rm -rf "$log" "$XDG_RUNTIME_DIR"' EXIT

# Wall time from the shell's microsecond clock; CPU and peak memory from /usr/bin/time -v,
# whose CPU figures come in hundredths, so they are averaged rather than taken as medians.
measure() { # name program
    local out start end
    out=$(mktemp)
    start=$EPOCHREALTIME
    /usr/bin/time -v -o "$out" "$2" >/dev/null 2>&1
    end=$EPOCHREALTIME
    awk -v name="$1" -v wall="$(awk -v s="$start" -v e="$end" 'BEGIN { print (e - s) * 1000 }')" -F': ' '
        /User time/ { user = $2 } /System time/ { sys = $2 } /Maximum resident/ { rss = $2 }
        END { print name, wall, user, sys, rss }' "$out" >>"$log"
    rm -f "$out"
}
cd "$bin"
for _ in 1 2; do measure warm ./first_frame_brivant; measure warm ./first_frame_bare; done
for _ in $(seq "$pairs"); do
    measure brivant ./first_frame_brivant
    measure bare ./first_frame_bare
done

echo "Start-up to first frame, $pairs runs each alternated: median wall, mean CPU, median peak RSS ($(nproc) cores, $(uname -m)):"
awk '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
$1 == "brivant" || $1 == "bare" {
    k = $1; n[k]++; wall[k, n[k]] = $2; cpu[k] += ($3 + $4) * 1000; rss[k, n[k]] = $5 / 1024
}
END {
    for (k in n) {
        for (i = 1; i <= n[k]; i++) { w[i] = wall[k, i]; r[i] = rss[k, i] }
        W[k] = median(w, n[k]); C[k] = cpu[k] / n[k]; R[k] = median(r, n[k])
    }
    printf "| %-8s | %12s | %11s | %14s |\n", "window", "wall (ms)", "CPU (ms)", "peak RSS (MiB)"
    printf "|----------|-------------:|------------:|---------------:|\n"
    printf "| %-8s | %12.1f | %11.1f | %14.1f |\n", "Brivant", W["brivant"], C["brivant"], R["brivant"]
    printf "| %-8s | %12.1f | %11.1f | %14.1f |\n", "bare", W["bare"], C["bare"], R["bare"]
    printf "| %-8s | %12.2f | %11.2f | %14.2f |\n", "ratio", W["brivant"] / W["bare"], C["brivant"] / C["bare"], R["brivant"] / R["bare"]
    bad = (W["brivant"] > 1.25 * W["bare"]) || (R["brivant"] > 1.2 * R["bare"])
    print bad ? "start-up budget: MISSED (wall <= 1.25x, memory <= 1.2x)" : "start-up budget: met (wall <= 1.25x, memory <= 1.2x)"
}' "$log"

echo
echo "In-process costs (median of repetitions):"
./brivant_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.05 2>/dev/null | grep -E "^(Benchmark|-|BM_.*_median)"
