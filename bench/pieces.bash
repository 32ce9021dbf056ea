# Sourced by the bench scripts that run the converter and its jobs: a piece
# that keeps the MP3 encoder as busy as music does, the converter's number for
# a format, host names for Wine and medians. Expects $WINELOADER of a running
# Wine session.

# Wine's drive Z: is the host's root.
windows_name() { local p=${1//\//\\}; echo "Z:$p"; }
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# noise_piece FILE SECONDS [VARIANT]: 44100 Hz, 16-bit stereo pink noise with
# plucked tones. Every variant plucks other notes at another pace, so that
# the pieces of a batch differ.
noise_piece() {
    local file=$1 seconds=$2 variant=${3:-0}
    local notes=(A2 C3 D3 E3 G3 A3 C4 D4 E4 G4 A4 C5)
    local first=${notes[variant % ${#notes[@]}]} second=${notes[(variant + 5) % ${#notes[@]}]}
    local pace
    pace=$(awk -v v="$variant" 'BEGIN {printf "%.2f", 0.55 + 0.07 * (v % 6)}')
    sox -n -r 44100 -c 2 -b 16 "$file.noise.wav" synth "$seconds" pinknoise vol 0.4
    sox -n -r 44100 -c 2 -b 16 "$file.tones.wav" synth "$pace" pluck "$first" pluck "$second" \
        repeat "$(awk -v s="$seconds" -v p="$pace" 'BEGIN {printf "%d", s / p + 1}')" vol 0.6
    sox -m "$file.noise.wav" "$file.tones.wav" "$file" trim 0 "$seconds"
    rm -f "$file.noise.wav" "$file.tones.wav"
}

# converter_mp3_format CONVERTER KBPS: the number /formats gives the MP3 format
# of KBPS kbit/s, 44100 Hz, stereo (the first one listed at that rate). The
# whole listing is read: a reader that stops early fails the program's write.
converter_mp3_format() {
    "$WINELOADER" "$1" /formats 2>/dev/null | tr -d '\r' |
        awk -F '\t' -v k="$2 kBit/s, 44.100 Hz, Est" 'NR > 1 && $1 !~ /^[0-9]+$/ {done = 1}
            !done && NR > 1 && index($2, k) == 1 && !found {found = 1; number = $1} END {print number}'
}
