#!/usr/bin/env bash
# Encode and decode throughput of the suite's MP3 codec through the ACM, against
# the lame and mpg123 commands, on the same 10-minute piece in the same run. A
# ratio is the reference tool's time over the codec's: 1.0 is as fast, above is
# faster. "in process" times the conversion inside the Windows program; "wall"
# adds Wine's start of that program. The lame command also measures ReplayGain
# by default, which the codec does not, so it is timed without that too.
# Median of three runs each.
set -euo pipefail
source "$(dirname "$0")/acm-bench.bash"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# Times a host command; prints seconds.
time_host() {
    local start end
    start=$(now)
    "$@" >/dev/null 2>&1
    end=$(now)
    awk -v s="$start" -v e="$end" 'BEGIN {printf "%.3f\n", e - s}'
}

# Times the Windows program; prints "in-process wall".
time_acm() {
    local start end inner
    start=$(now)
    inner=$("$WINELOADER" "$program" "$@" 2>/dev/null | tr -d '\r')
    end=$(now)
    [ -n "$inner" ] || { echo "mp3codec.sh: acm-throughput $1 failed" >&2; exit 1; }
    awk -v i="$inner" -v s="$start" -v e="$end" 'BEGIN {printf "%.3f %.3f\n", i, e - s}'
}

# Wine's drive Z: is the host's root.
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

echo "mp3codec: making a ${seconds}-second stereo piece at 44100 Hz"
sox -n -r 44100 -c 2 -b 16 "$work/piece.wav" synth "$seconds" sine 110-1760 pinknoise vol 0.5
lame --quiet -b 128 "$work/piece.wav" "$work/piece.mp3"
piece_wav=$(winpath "$work/piece.wav")
piece_mp3=$(winpath "$work/piece.mp3")
out_mp3=$(winpath "$work/acm.mp3")
out_raw=$(winpath "$work/acm.raw")

declare -a lame_t lame_plain_t mpg123_t enc_in enc_wall dec_in dec_wall
for ((i = 0; i < runs; i++)); do
    lame_t+=("$(time_host lame --quiet -b 128 "$work/piece.wav" "$work/lame.mp3")")
    lame_plain_t+=("$(time_host lame --quiet --noreplaygain -b 128 "$work/piece.wav" "$work/lame.mp3")")
    read -r a b < <(time_acm encode "$piece_wav" "$out_mp3" 128 4096)
    enc_in+=("$a") enc_wall+=("$b")
    mpg123_t+=("$(time_host mpg123 -q -w "$work/mpg123.wav" "$work/piece.mp3")")
    read -r a b < <(time_acm decode "$piece_mp3" "$out_raw" 44100 2 1024)
    dec_in+=("$a") dec_wall+=("$b")
done

m() { printf '%s\n' "$@" | median; }
lame_m=$(m "${lame_t[@]}") lame_plain_m=$(m "${lame_plain_t[@]}") enc_in_m=$(m "${enc_in[@]}") enc_wall_m=$(m "${enc_wall[@]}")
mpg123_m=$(m "${mpg123_t[@]}") dec_in_m=$(m "${dec_in[@]}") dec_wall_m=$(m "${dec_wall[@]}")

echo "mp3codec encode 128 kbit/s: lame ${lame_m} s, ACM ${enc_in_m} s in process (${enc_wall_m} s wall)"
echo "mp3codec encode ratio: $(ratio "$lame_m" "$enc_in_m") in process, $(ratio "$lame_m" "$enc_wall_m") wall"
echo "mp3codec encode ratio against lame --noreplaygain (${lame_plain_m} s): $(ratio "$lame_plain_m" "$enc_in_m") in process, $(ratio "$lame_plain_m" "$enc_wall_m") wall"
echo "mp3codec decode: mpg123 ${mpg123_m} s, ACM ${dec_in_m} s in process (${dec_wall_m} s wall)"
echo "mp3codec decode ratio: $(ratio "$mpg123_m" "$dec_in_m") in process, $(ratio "$mpg123_m" "$dec_wall_m") wall"
