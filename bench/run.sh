#!/usr/bin/env bash
# Start-up to first frame, the organiser against a bare window of as many labels,
# alternated in one run; then the in-process action costs. Offscreen unless
# QT_QPA_PLATFORM says otherwise (xvfb-run -a env QT_QPA_PLATFORM=xcb bench/run.sh ...).
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR [PAIRS]}" && pwd)
pairs=${2:-20}
bin="$build/bin"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
log=$(mktemp)
trap 'rm -rf "$log" "$XDG_RUNTIME_DIR"' EXIT

measure() { # name program
    echo "$1 $("$bin/startup_run" "$2")" >>"$log"
}
cd "$bin"
for _ in 1 2; do measure warm ./first_frame_brivant; measure warm ./first_frame_bare; done
for _ in $(seq "$pairs"); do
    measure brivant ./first_frame_brivant
    measure bare ./first_frame_bare
done

echo "Start-up to first frame ($QT_QPA_PLATFORM), medians of $pairs runs each, alternated ($(nproc) cores, $(uname -m)):"
awk '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
$1 == "brivant" || $1 == "bare" {
    k = $1; n[k]++; wall[k, n[k]] = $2; cpu[k, n[k]] = $3; rss[k, n[k]] = $4 / 1024
}
END {
    for (k in n) {
        for (i = 1; i <= n[k]; i++) { w[i] = wall[k, i]; c[i] = cpu[k, i]; r[i] = rss[k, i] }
        W[k] = median(w, n[k]); C[k] = median(c, n[k]); R[k] = median(r, n[k])
    }
    split("wall CPU memory", what, " ")
    ratio[1] = W["brivant"] / W["bare"]; limit[1] = 1.15
    ratio[2] = C["brivant"] / C["bare"]; limit[2] = 1.5
    ratio[3] = R["brivant"] / R["bare"]; limit[3] = 1.10
    printf "| %-8s | %10s | %9s | %14s |\n", "window", "wall (ms)", "CPU (ms)", "peak RSS (MiB)"
    printf "|----------|-----------:|----------:|---------------:|\n"
    printf "| %-8s | %10.1f | %9.1f | %14.1f |\n", "Brivant", W["brivant"], C["brivant"], R["brivant"]
    printf "| %-8s | %10.1f | %9.1f | %14.1f |\n", "bare", W["bare"], C["bare"], R["bare"]
    printf "| %-8s | %10.2f | %9.2f | %14.2f |\n", "ratio", ratio[1], ratio[2], ratio[3]
    missed = ""
    for (i = 1; i <= 3; i++)
        if (ratio[i] > limit[i])
            missed = missed sprintf("%s%s %.3fx > %.2fx", missed == "" ? "" : ", ", what[i], ratio[i], limit[i])
    if (missed == "")
        print "start-up budget: met (wall <= 1.15x, CPU <= 1.5x, memory <= 1.10x)"
    else
        print "start-up budget: not met: " missed
}' "$log"

echo
echo "In-process costs (median of repetitions):"
./brivant_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.05 2>/dev/null | grep -E "^(Benchmark|-|BM_.*_median)"
