#!/usr/bin/env bash
# The converter's jobs on a 10-minute piece against the reference tools, all in
# the same run: MP3 to WAV against mpg123 -w, WAV to WAV against sox, WAV to MP3
# against lame at the same bit rate (only when an MP3 encoder is installed), and
# a 22050 Hz mono MP3 raised to CD quality against mpg123 followed by sox.
# For each: the job's time inside the program (Wine's start excluded), the
# reference's time, their ratio (reference over job: above 1 the job is faster),
# and what the job adds to its codecs' own time inside acmStreamConvert, with
# and without the time the job's own thread spends inside ReadFile and
# WriteFile; the source is read ahead and the destination written behind by
# threads beside the job, whose file time is shown apart. "Opening" is the time up
# to the first conversion (checks, files and streams opened; acmStreamOpen,
# which loads and starts the codec, shown apart), "closing" the time after the
# last (streams reset and closed, final header, files closed). The floor is a
# bare read of the source and write of as many bytes as the job wrote, by the
# same program in 1 MiB pieces, one after the other on one thread: what the
# file work would add to a job that did it in line with its conversions. Written
# in one burst, those bytes now and then wait for the disk, which the job,
# writing them over its whole run, does not; the floor is therefore its
# fastest run.
# Each job's codec time is also shown by stream, in the order of the job's
# stages (the WAV-to-MP3 job shapes the samples before it encodes them).
# WAV to MP3 runs a second time on 5 minutes of pink noise with plucked tones,
# which keeps the encoder busier than the sweep does; on that piece the
# converter also runs from its command line, as a script would start it,
# against lame, with Wine's start of a program timed apart (a bad argument)
# and the converter's own start (its format listing).
# Then the peak working set of WAV to WAV on 10 MB and on 1 GB of WAV.
# Medians of BENCH_RUNS runs (3); the shares are medians of each run's own
# shares, so that a run slowed down by other work on the machine does not
# mix its job time with another run's codec time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-build}
tree=$root/$build/x86_64
runs=${BENCH_RUNS:-3}
harness=$tree/bench/jobbench.exe
[ -f "$harness" ] || cmake --build "$tree" --target jobbench >/dev/null
work=$(mktemp -d "$root/$build/jobs-bench.XXXXXX")
eval "$("$root/tools/wine-session" start "$tree")"
trap '"$root/tools/wine-session" stop "$tree"; rm -rf "$work"' EXIT
source "$root/bench/pieces.bash"

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }

# Seconds a host command takes.
host_seconds() {
    local start
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {printf "%.3f", e - s}'
}

# The harness's report line for one job: "job_seconds=.. codec_seconds=.. ..".
harness() { "$WINELOADER" "$harness" "$1" "$(windows_name "$2")" "$(windows_name "$3")" "${@:4}" | tr -d '\r'; }

# compare LABEL REFERENCE-COMMAND... -- JOB SOURCE DESTINATION [FORMAT...]
# Both sides write a fresh file each run.
compare() {
    local label=$1 ref=() job=() i report a n b s y size
    local -a ref_t=() job_t=() setup_t=() closing_t=() codec_t=() file_t=() pump_t=() open_t=() floor_t=() behind_t=()
    local -a adds_t=() nofiles_t=() floor_share_t=() stage1_t=() stage2_t=() stage3_t=()
    shift
    while [ "$1" != "--" ]; do ref+=("$1"); shift; done
    shift
    job=("$@")
    for ((i = 0; i < runs; i++)); do
        rm -f "$work"/ref.* "$work"/job.*
        report=$(harness "${job[@]}")
        if [[ $report == skipped* ]]; then
            echo "$label: $report"
            return
        fi
        job_t+=("$(field job_seconds "$report")") setup_t+=("$(field setup_seconds "$report")")
        closing_t+=("$(field closing_seconds "$report")")
        codec_t+=("$(field codec_seconds "$report")")
        file_t+=("$(field file_seconds "$report")") pump_t+=("$(field pump_seconds "$report")")
        behind_t+=("$(field behind_seconds "$report")")
        open_t+=("$(field stream_open_seconds "$report")")
        stage1_t+=("$(field stage1_seconds "$report")") stage2_t+=("$(field stage2_seconds "$report")")
        stage3_t+=("$(field stage3_seconds "$report")")
        size=$(stat -c %s "${job[2]}")
        rm -f "$work"/job.*
        floor_t+=("$(field job_seconds "$(harness filecopy "${job[1]}" "$work/copy.out" "$size")")")
        rm -f "$work/copy.out"
        read -r a n < <(awk -v j="${job_t[-1]}" -v c="${codec_t[-1]}" -v f="${file_t[-1]}" \
            'BEGIN {print (j - c) / c * 100, (j - c - f) / c * 100}')
        adds_t+=("$a") nofiles_t+=("$n")
        ref_t+=("$(host_seconds "${ref[@]}")")
    done
    b=$(printf '%s\n' "${floor_t[@]}" | sort -g | head -n1)
    for ((i = 0; i < runs; i++)); do
        floor_share_t+=("$(awk -v c="${codec_t[i]}" -v b="$b" 'BEGIN {print b / c * 100}')")
    done
    awk -v l="$label" -v t="${ref[0]}" -v j="$(median "${job_t[@]}")" -v s="$(median "${setup_t[@]}")" \
        -v e="$(median "${closing_t[@]}")" \
        -v c="$(median "${codec_t[@]}")" -v f="$(median "${file_t[@]}")" -v p="$(median "${pump_t[@]}")" \
        -v o="$(median "${open_t[@]}")" -v b="$b" -v w="$(median "${behind_t[@]}")" \
        -v a="$(median "${adds_t[@]}")" -v n="$(median "${nofiles_t[@]}")" \
        -v q="$(median "${floor_share_t[@]}")" -v s1="$(median "${stage1_t[@]}")" \
        -v s2="$(median "${stage2_t[@]}")" -v s3="$(median "${stage3_t[@]}")" \
        -v r="$(median "${ref_t[@]}")" 'BEGIN {
        printf "%s: job %.3f s, %s %.3f s, ratio %s/job %.2f\n", l, j, t, r, t, r / j
        printf "  inside the job: opening %.3f s (acmStreamOpen %.3f s), closing %.3f s, codecs %.3f s, files %.3f s, " \
            "message pump %.3f s, the rest %.3f s\n", s, o, e, c, f, p, j - s - e - c - f - p
        printf "  codecs by stream: %.3f s", s1
        if (s2 > 0) printf ", %.3f s", s2
        if (s3 > 0) printf ", %.3f s", s3
        printf "\n"
        printf "  beside the job: its threads spent %.3f s reading the source and writing the destination\n", w
        printf "  the job adds %.1f %% to its codecs; without file reads and writes %.1f %%\n", a, n
        printf "  floor: a bare read and write of the same bytes, one after the other, takes %.3f s, %.1f %% " \
            "of the codecs: what the file work would add done in line with the conversions\n", b, q }'
}

echo "jobs: making the pieces"
sox -r 44100 -c 2 -n -b 16 "$work/piece.wav" synth 600 sine 110-1760 pinknoise vol 0.5
lame --quiet -b 128 "$work/piece.wav" "$work/piece.mp3"
sox -r 22050 -c 1 -n -b 8 "$work/low.wav" synth 600 sine 110-1760 vol 0.5
sox -r 22050 -c 1 -n -b 16 "$work/low16.wav" synth 600 sine 110-1760 pinknoise vol 0.5
lame --quiet -b 64 "$work/low16.wav" "$work/low.mp3"
rm -f "$work/low16.wav"

compare "MP3 to WAV" mpg123 -q -w "$work/ref.wav" "$work/piece.mp3" -- mp3wav "$work/piece.mp3" "$work/job.wav"
# The reference of the CD-quality job: decode, then raise the rate as sox -h does.
mpg123_sox() { mpg123 -q -w "$work/ref-low.wav" "$1" && sox "$work/ref-low.wav" -r 44100 -c 2 "$2" rate -h; }
compare "MP3 to CD-quality WAV" mpg123_sox "$work/low.mp3" "$work/ref.wav" -- mp3cdwav "$work/low.mp3" "$work/job.wav"
compare "WAV to WAV 22050/8/1 to 44100/16/2" sox "$work/low.wav" -r 44100 -c 2 -b 16 "$work/ref.wav" \
    -- wav2wav "$work/low.wav" "$work/job.wav" 2 44100 16
compare "WAV to MP3 128 kbit/s" lame --quiet -b 128 "$work/piece.wav" "$work/ref.mp3" \
    -- wavmp3 "$work/piece.wav" "$work/job.mp3" 2 44100 128
rm -f "$work"/ref.* "$work"/ref-low.wav "$work"/job.* "$work/piece.wav"

noise_seconds=300
noise_piece "$work/noise.wav" "$noise_seconds"
compare "WAV to MP3 128 kbit/s, ${noise_seconds} s of pink noise with plucked tones" \
    lame --quiet -b 128 "$work/noise.wav" "$work/ref.mp3" -- wavmp3 "$work/noise.wav" "$work/job.mp3" 2 44100 128

# The same piece through the converter's command line, its output handed to a
# file as a script's would be.
converter=$tree/ui/converter.exe
[ -f "$converter" ] || cmake --build "$tree" --target converter >/dev/null
# converter_run ARGUMENTS...: fails when the converter does.
converter_run() { "$WINELOADER" "$converter" "$@" >"$work/converter.out" 2>&1; }
format=$(converter_mp3_format "$converter" 128)
if [ -z "$format" ]; then
    echo "WAV to MP3 from the command line: skipped: no MP3 format of 128 kbit/s, 44100 Hz, stereo is listed"
else
    declare -a line_t=() lame_t=() wine_t=() listing_t=()
    for ((i = 0; i < runs; i++)); do
        rm -f "$work/line.mp3"
        line_t+=("$(host_seconds converter_run /wavmp3 "$(windows_name "$work/noise.wav")" \
            "$(windows_name "$work/line.mp3")" /format "$format")")
        [ -s "$work/line.mp3" ] || { echo "jobs.sh: the converter wrote no MP3 from the command line" >&2; exit 1; }
        lame_t+=("$(host_seconds lame --quiet -b 128 "$work/noise.wav" "$work/ref.mp3")")
        # A bad argument ends the program at once, after its usage text.
        wine_t+=("$(host_seconds converter_run /bad-argument)")
        listing_t+=("$(host_seconds converter_run /formats)")
    done
    awk -v c="$(median "${line_t[@]}")" -v l="$(median "${lame_t[@]}")" -v w="$(median "${wine_t[@]}")" \
        -v f="$(median "${listing_t[@]}")" -v n="$format" 'BEGIN {
        printf "WAV to MP3 from the command line (/wavmp3 /format %s): converter %.3f s, lame %.3f s, ratio lame/converter %.2f\n", \
            n, c, l, l / c
        printf "  Wine starting a program that ends at once %.3f s; without it, ratio %.2f\n", w, l / (c - w)
        printf "  the converter listing its formats (its start and the codecs, no conversion) %.3f s\n", f }'
fi
rm -f "$work"/noise.wav "$work"/ref.* "$work"/job.* "$work"/line.mp3

# Memory: the same job on 10 MB and on 1 GB of 16-bit stereo.
peak() { field peak_working_set_mb "$(harness wav2wav "$1" "$work/out.wav" 1 22050 16)"; }
sox -r 44100 -c 2 -n -b 16 "$work/small.wav" synth $((10 * 1024 * 1024 / 4))s sine 440 vol 0.5
small=$(peak "$work/small.wav")
rm -f "$work/small.wav"
sox -r 44100 -c 2 -n -b 16 "$work/big.wav" synth $((1024 * 1024 * 1024 / 4))s sine 440 vol 0.5
big=$(peak "$work/big.wav")
awk -v s="$small" -v b="$big" 'BEGIN {
    printf "memory WAV to WAV: peak working set %.1f MB on 10 MB, %.1f MB on 1 GB; ratio %.2f\n", s, b, b / s }'
