# Sourced by the ACM bench scripts: the x86_64 tree and its acm-throughput
# program (built when missing), a work folder named after the script, and one
# Wine session, both ended with the script; and the helpers every script uses.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-build}
tree=$root/$build/x86_64
runs=${BENCH_RUNS:-3}
seconds=${BENCH_SECONDS:-600}
program=$tree/bench/acm-throughput.exe
[ -f "$program" ] || cmake --build "$tree" --target acm-throughput >/dev/null

work=$(mktemp -d "$root/$build/$(basename "$0" .sh)-bench.XXXXXX")
session=$("$root/tools/wine-session" start "$tree")
eval "$session"
cleanup() {
    "$root/tools/wine-session" stop "$tree"
    rm -rf "$work"
}
trap cleanup EXIT

now() { date +%s.%N; }
median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
