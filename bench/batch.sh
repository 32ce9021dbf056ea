#!/usr/bin/env bash
# The converter's batch from its command line against the reference tools run
# over the same files one after another, in the same run: BENCH_BATCH_FILES (8)
# pieces of BENCH_BATCH_SECONDS (300) of pink noise with plucked tones, each
# different, WAV to MP3 at 128 kbit/s (/wavmp3 ... /dir) against lame -b 128,
# and MP3 to WAV (/mp3wav ... /dir) of lame's MP3s against mpg123 -w. The
# converter's time includes Wine's start of it, as a script's run would.
# Prints each time, the ratio (the reference's time over the converter's: above
# 1 the converter is faster) and the goal, 0.8 times the number of logical
# processors, which a batch meets only by converting several files at once.
# Every output is checked (the expected names, each at least half the size of
# the reference's), so that a run that failed is not reported as fast.
# Medians of BENCH_RUNS runs (3).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-build}
tree=$root/$build/x86_64
runs=${BENCH_RUNS:-3}
files=${BENCH_BATCH_FILES:-8}
seconds=${BENCH_BATCH_SECONDS:-300}
converter=$tree/ui/converter.exe
[ -f "$converter" ] || cmake --build "$tree" --target converter >/dev/null
work=$(mktemp -d "$root/$build/batch-bench.XXXXXX")
eval "$("$root/tools/wine-session" start "$tree")"
trap '"$root/tools/wine-session" stop "$tree"; rm -rf "$work"' EXIT
source "$root/bench/pieces.bash"

cores=$(nproc)
now() { date +%s.%N; }
since() { awk -v s="$1" -v e="$(now)" 'BEGIN {printf "%.3f", e - s}'; }
fail() {
    echo "batch.sh: $1" >&2
    exit 1
}

# check_outputs FOLDER EXTENSION REFERENCE-FOLDER: every piece has its result,
# at least half as large as the reference tool's.
check_outputs() {
    local folder=$1 extension=$2 reference=$3 i size reference_size
    for ((i = 1; i <= files; i++)); do
        size=$(stat -c %s "$folder/piece-$i.$extension" 2>/dev/null || echo 0)
        reference_size=$(stat -c %s "$reference/piece-$i.$extension")
        [ "$size" -gt 0 ] && [ $((2 * size)) -ge "$reference_size" ] ||
            fail "$folder/piece-$i.$extension is missing or too small ($size bytes, the reference's $reference_size)"
    done
    [ "$(find "$folder" -type f | wc -l)" -eq "$files" ] || fail "$folder holds other files than the $files results"
}

# fresh FOLDER...: empty folders, so that no result is numbered "(2)".
fresh() {
    rm -rf "$@"
    mkdir -p "$@"
}

# The converter over the whole list: converter_batch COMMAND FOLDER [OPTION...] -- SOURCE...
converter_batch() {
    local command=$1 folder=$2 options=() sources=() source
    shift 2
    while [ "$1" != "--" ]; do options+=("$1"); shift; done
    shift
    for source in "$@"; do
        sources+=("$(windows_name "$source")")
    done
    "$WINELOADER" "$converter" "$command" "${sources[@]}" /dir "$(windows_name "$folder")" "${options[@]}" \
        >"$work/converter.out" 2>&1 || fail "converter $command ended with exit code $? ($(tr -d '\r' <"$work/converter.out" | tail -n 3))"
}

echo "batch: making $files pieces of $seconds s"
wavs=() mp3s=()
mkdir -p "$work/wav" "$work/mp3"
for ((i = 1; i <= files; i++)); do
    noise_piece "$work/wav/piece-$i.wav" "$seconds" "$i"
    wavs+=("$work/wav/piece-$i.wav") mp3s+=("$work/mp3/piece-$i.mp3")
done
format=$(converter_mp3_format "$converter" 128)
[ -n "$format" ] || fail "the converter lists no MP3 format of 128 kbit/s, 44100 Hz, stereo"

declare -a lame_t=() wavmp3_t=() mpg123_t=() mp3wav_t=()
for ((run = 0; run < runs; run++)); do
    # lame's MP3s of the first run are the sources of MP3 to WAV.
    fresh "$work/lame" "$work/to-mp3"
    start=$(now)
    for ((i = 1; i <= files; i++)); do
        lame --quiet -b 128 "$work/wav/piece-$i.wav" "$work/lame/piece-$i.mp3"
    done
    lame_t+=("$(since "$start")")
    [ "$run" -gt 0 ] || cp "$work"/lame/*.mp3 "$work/mp3/"
    start=$(now)
    converter_batch /wavmp3 "$work/to-mp3" /format "$format" -- "${wavs[@]}"
    wavmp3_t+=("$(since "$start")")
    check_outputs "$work/to-mp3" mp3 "$work/lame"

    fresh "$work/mpg123" "$work/to-wav"
    start=$(now)
    for ((i = 1; i <= files; i++)); do
        mpg123 -q -w "$work/mpg123/piece-$i.wav" "$work/mp3/piece-$i.mp3"
    done
    mpg123_t+=("$(since "$start")")
    start=$(now)
    converter_batch /mp3wav "$work/to-wav" -- "${mp3s[@]}"
    mp3wav_t+=("$(since "$start")")
    check_outputs "$work/to-wav" wav "$work/mpg123"
done

# row LABEL REFERENCE-NAME REFERENCE-SECONDS CONVERTER-SECONDS
row() {
    awk -v l="$1" -v t="$2" -v r="$3" -v c="$4" -v n="$cores" -v f="$files" -v s="$seconds" 'BEGIN {
        ratio = r / c
        goal = 0.8 * n
        printf "batch %s, %d pieces of %d s: converter %.3f s, %s one after another %.3f s, ratio %s/converter %.2f\n", \
            l, f, s, c, t, r, t, ratio
        printf "  %d logical processors; goal 0.8 x %d = %.2f: %s\n", n, n, goal, (ratio >= goal ? "met" : "not met") }'
}
row "WAV to MP3 128 kbit/s" lame "$(median "${lame_t[@]}")" "$(median "${wavmp3_t[@]}")"
row "MP3 to WAV" mpg123 "$(median "${mpg123_t[@]}")" "$(median "${mp3wav_t[@]}")"
