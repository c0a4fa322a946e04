#!/usr/bin/env bash
# Times the duplicates scan, the Large Files scan and the folder size as whole processes beside
# the tools users would pick instead, on generated trees, and checks that every duplicates tool
# finds the same groups (ours compares only files that share size and modification time with
# another; groups.py applies that rule to the peers' groups). Prints processor time (user+sys) and peak memory, and their ratios to the peers.
#
#   bench/compare.sh [build folder] [file counts...]     (defaults: build 25000 100000 200000)
#
# QUENDRIX_BENCH_RUNS sets the runs per duplicates tool (default 5, ours and the peer taking
# turns; medians are shown, and the time ratios are the medians of the turns' ratios), QUENDRIX_BENCH_WALK_RUNS those of the shorter
# Large Files and folder size comparisons (default 15),
# QUENDRIX_BENCH_DIR the folder for the trees (default: a new temporary folder, removed after).
# HYPERFINE=1 adds a hyperfine wall-time comparison of ours and jdupes per tree.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(25000 100000 200000)
runs=${QUENDRIX_BENCH_RUNS:-5}
walk_runs=${QUENDRIX_BENCH_WALK_RUNS:-15}

install_peers() {
    local missing=()
    for tool in jdupes fdupes rdfind rmlint hyperfine; do
        command -v "$tool" > /dev/null || missing+=("$tool")
    done
    [ -x /usr/bin/time ] || missing+=(time) # for timing by hand with /usr/bin/time -v
    [ ${#missing[@]} -gt 0 ] || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "installing from Debian's packages: ${missing[*]}"
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" > /dev/null ||
        echo "could not install every peer; comparing with those installed"
}

install_peers
cmake --build "$build" -j4 --target bench_scan > /dev/null
ours=$(cd "$build" && pwd)/bench/bench_scan

work=${QUENDRIX_BENCH_DIR:-}
if [ -z "$work" ]; then
    work=$(mktemp -d /tmp/quendrix-compare-XXXXXX)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"

# pair RUNS A B: runs the commands in the arrays cmd_A and cmd_B once each to warm the cache,
# then RUNS times each, taking turns so that a busy spell of the machine falls on both, with
# their output to $work/A.out and $work/B.out. Prints paired.py's summary: "A's medians | B's
# medians | ratios", each part "cpu_seconds peak_kb wall_seconds".
pair() {
    local runs=$1
    shift
    local -n a="cmd_$1" b="cmd_$2"
    "${a[@]}" > "$work/$1.out" 2> /dev/null
    "${b[@]}" > "$work/$2.out" 2> /dev/null
    : > "$work/$1.runs"
    : > "$work/$2.runs"
    for _ in $(seq "$runs"); do
        "$here/measure.py" "$work/$1.out" "${a[@]}" >> "$work/$1.runs"
        "$here/measure.py" "$work/$2.out" "${b[@]}" >> "$work/$2.runs"
    done
    "$here/paired.py" "$work/$1.runs" "$work/$2.runs"
}

status=0
report() { # LABEL SUMMARY (as pair prints it)
    local parts
    IFS='|' read -r -a parts <<< "$2"
    local o=(${parts[0]}) p=(${parts[1]}) r=(${parts[2]})
    printf "  %-27s cpu %6.3fs / %6.3fs = %s   peak %6d KB / %6d KB = %s   wall %6.3fs / %6.3fs = %s\n" \
        "$1" "${o[0]}" "${p[0]}" "${r[0]}" "${o[1]%.*}" "${p[1]%.*}" "${r[1]}" "${o[2]}" "${p[2]}" \
        "${r[2]}"
}

missed=()
# within LABEL SUMMARY FIELD LIMIT: notes a ratio (field 0 processor time, 1 peak memory, 2 wall
# time) above its target, for the summary at the end.
within() {
    local ratios=(${2##*|})
    awk -v r="${ratios[$3]}" -v l="$4" 'BEGIN { exit !(r + 0 > l + 0) }' &&
        missed+=("$1: ${ratios[$3]} > $4")
    return 0
}

agree() { # NAME FORMAT
    "$here/groups.py" "$2" "$work/$1.out" "$tree" > "$work/$1.groups"
    if cmp -s "$work/ours.groups" "$work/$1.groups"; then
        echo "  groups: $1 agrees ($(wc -l < "$work/$1.groups") groups)"
    else
        echo "  groups: $1 DIFFERS from ours:"
        diff "$work/ours.groups" "$work/$1.groups" | head -10
        status=1
    fi
}

echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for files in "${sizes[@]}"; do
    tree="$work/tree-$files"
    [ -d "$tree" ] || "$ours" generate "$tree" "$files" > /dev/null
    echo "tree of $files files ($runs turns with each duplicates tool, $walk_runs with each walk;" \
        "medians, ours / peer; time ratios are medians of the turns' ratios):"

    cmd_ours=("$ours" duplicates "$tree")
    cmd_jdupes=(jdupes -r -q "$tree")
    cmd_fdupes=(fdupes -r -q "$tree")
    cmd_rdfind=(rdfind -dryrun true -outputname "$work/rdfind-results.out" "$tree")
    cmd_rmlint=(env -C "$work" rmlint -T df -o fdupes:stdout "$tree")
    dup=""
    for peer in jdupes fdupes rdfind rmlint; do
        command -v "$peer" > /dev/null || continue
        both=$(pair "$runs" ours "$peer")
        [ -n "$dup" ] || dup=${both%%|*} # against the first peer, for the cost per file
        "$here/groups.py" paragraphs "$work/ours.out" "$tree" > "$work/ours.groups"
        report "duplicates vs $peer" "$both"
        if [ "$peer" = jdupes ] && [ "$files" -ge 100000 ]; then
            within "$files duplicates cpu" "$both" 0 0.8
            within "$files duplicates peak" "$both" 1 1.0
            within "$files duplicates wall" "$both" 2 0.5
        fi
        case $peer in
        rdfind) agree rdfind-results rdfind ;;
        *) agree "$peer" paragraphs ;;
        esac
    done

    cmd_large=("$ours" large "$tree")
    cmd_find=(find "$tree" -type f -size +1000k)
    both=$(pair "$walk_runs" large find)
    report "large files vs find -size" "$both"
    within "$files large files cpu" "$both" 0 1.1

    cmd_size=("$ours" size "$tree")
    cmd_du=(du -sb "$tree")
    both=$(pair "$walk_runs" size du)
    report "folder size vs du -sb" "$both"
    within "$files folder size cpu" "$both" 0 1.0
    awk -v n="$files" '{ printf "  ours per file: %.2f us processor time\n", $1 * 1e6 / n }' \
        <<< "$dup"

    if [ "${HYPERFINE:-0}" = 1 ] && command -v hyperfine > /dev/null; then
        hyperfine -N --warmup 1 --runs 5 "$ours duplicates $tree" "jdupes -r -q $tree"
    fi
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ ${#missed[@]} -eq 0 ]; then
    echo "targets: all met (duplicates against jdupes from 100,000 files: cpu 0.8, peak 1.0," \
        "wall 0.5; large files cpu 1.1; folder size cpu 1.0)"
else
    echo "targets missed:"
    printf "  %s\n" "${missed[@]}"
fi
exit $status
