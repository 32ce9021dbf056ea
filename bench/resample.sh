#!/usr/bin/env bash
# Rate changes through the ACM with no driver handle, the converter's way: the
# quality of the stream msacm32 chooses (the suite's codec, added as the
# process's own driver as the converter adds it), and its speed against `sox rate -h` on the same 10-minute piece
# in the same run. A ratio is sox's time over the ACM's: above 1.0 is faster.
# Levels are in dB relative to the source tone, from the middle second of the
# first channel through a Blackman window; sox's figures come from the same
# measurement. Median of three runs for the times.
set -euo pipefail
source "$(dirname "$0")/acm-bench.bash"
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
acm() { SONARIS_LOCAL_CODEC=$(winpath "$tree/mp3codec/sonarmp3.acm") "$WINELOADER" "$program" "$@" 2>/dev/null | tr -d '\r'; }

# Level of FREQUENCY in a raw 16-bit file: level FILE RATE CHANNELS FREQUENCY
level() { acm level "$(winpath "$1")" "$2" "$3" 16 "$4"; }

# Converts a tone through the ACM and through sox; prints "acm sox" levels of
# PROBE relative to the tone: tone_through FREQ FROM TO CHANNELS PROBE
tone_through() {
    local freq=$1 from=$2 to=$3 channels=$4 probe=$5 source
    sox -n -r "$from" -c "$channels" -b 16 "$work/tone.wav" synth 3 sine "$freq" vol 0.5
    sox "$work/tone.wav" -t raw "$work/tone.raw"
    [ -n "$(acm resample "$(winpath "$work/tone.wav")" "$(winpath "$work/acm.raw")" "$to" "$channels" 16 4096)" ] ||
        { echo "resample.sh: acm-throughput resample failed" >&2; exit 1; }
    sox "$work/tone.wav" -t raw -b 16 "$work/sox.raw" rate -h "$to"
    source=$(level "$work/tone.raw" "$from" "$channels" "$freq")
    awk -v a="$(level "$work/acm.raw" "$to" "$channels" "$probe")" -v s="$(level "$work/sox.raw" "$to" "$channels" "$probe")" \
        -v t="$source" 'BEGIN {printf "%.2f %.2f\n", a - t, s - t}'
}

echo "resample: quality of the ACM's PCM converter (ACM / sox rate -h)"
read -r a s < <(tone_through 15000 44100 22050 2 7050)
echo "resample alias at 7050 Hz of 15 kHz, 44100 -> 22050 Hz: ${a} dB / ${s} dB"
read -r a s < <(tone_through 5000 22050 44100 2 17050)
echo "resample image at 17050 Hz of 5 kHz, 22050 -> 44100 Hz: ${a} dB / ${s} dB"
read -r a s < <(tone_through 5000 22050 44100 2 5000)
echo "resample 5 kHz tone kept, 22050 -> 44100 Hz: ${a} dB / ${s} dB"
worst=0
for freq in 1000 5000 10000 15000 18000 20000; do
    read -r a s < <(tone_through "$freq" 48000 44100 2 "$freq")
    worst=$(awk -v w="$worst" -v a="$a" 'BEGIN {d = a < 0 ? -a : a; print (d > w ? d : w)}')
done
echo "resample passband 1-20 kHz, 48000 -> 44100 Hz: flat within ${worst} dB"

echo "resample: making a ${seconds}-second stereo piece at 44100 Hz"
sox -n -r 44100 -c 2 -b 16 "$work/piece.wav" synth "$seconds" sine 110-1760 pinknoise vol 0.5
declare -a sox_t acm_t
for ((i = 0; i < runs; i++)); do
    start=$(now)
    sox "$work/piece.wav" -b 16 "$work/sox.wav" rate -h 48000
    end=$(now)
    sox_t+=("$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.3f", e - s}')")
    acm_t+=("$(acm resample "$(winpath "$work/piece.wav")" "$(winpath "$work/acm.raw")" 48000 2 16 4096)")
done
sox_m=$(printf '%s\n' "${sox_t[@]}" | median)
acm_m=$(printf '%s\n' "${acm_t[@]}" | median)
echo "resample 44100 -> 48000 Hz stereo: sox rate -h ${sox_m} s, ACM ${acm_m} s in process"
echo "resample ratio: $(awk -v a="$sox_m" -v b="$acm_m" 'BEGIN {printf "%.2f", a / b}')"
