#!/bin/bash
# Writes every file of the game's media folder: models, textures and the splash
# picture from the make_media program, the sounds from its synthesised PCM and
# from the speech synthesizer, all stored as 11025 Hz mono Microsoft ADPCM.
#
#   bash tools/make_media.sh <path of the make_media program> [media folder]
#
# The models, textures, splash and the synthesised sounds come out byte for byte
# the same on every run. The two voices depend on the installed espeak-ng (1.51)
# and sox (14.4.2): other versions may give slightly different bytes.
set -euo pipefail

generator=${1:?usage: make_media.sh <make_media program> [media folder]}
media=${2:-$(cd "$(dirname "$0")/.." && pwd)/media}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The desktop icons go beside the media folder, in the layout of share/icons/hicolor,
# and the Windows icon into windows/.
"$generator" "$media" --pcm "$work" --icons "$(dirname "$media")/share/icons/hicolor" \
  --ico "$(dirname "$media")/windows/zorbak-football-2.ico"

# sox: -R fixes every random seed, -D turns dithering off, so runs repeat exactly.
sx() { sox -R -D "$@"; }

# The quarterback's call: a brisk, clear voice.
espeak-ng -v en-us -s 165 -p 48 -a 160 -w "$work/hike_voice.wav" "Hut, hut, hike!"
sx "$work/hike_voice.wav" "$work/hike.wav" highpass 120 rate -v 11025 channels 1

# The robots' cry: a slow, low voice, ring-modulated, with a short metallic comb
# echo and a little grit.
espeak-ng -v en-us -s 95 -p 25 -a 160 -w "$work/cry_voice.wav" "Ex terminate!"
sx "$work/cry_voice.wav" "$work/cry_ring.wav" pitch -250 synth sine amod 48 overdrive 8 gain -8 \
    echo 0.8 0.5 9 0.55 17 0.35 highpass 180 lowpass 4200 rate -v 11025 channels 1
sx "$work/cry_ring.wav" "$work/exterminate.wav" tempo 0.92

# Trim leading and trailing silence; fade every sound in and out over 6 ms (the
# fade-in repeated on the reversed sound is the fade-out), so
# that none starts or ends with a jump that clicks; bring every sound to a peak
# level that leaves room for the ADPCM's overshoot and evens out how loud they
# sound (the sustained whistle and tune lower than the voices and the short
# kick), and store as Microsoft ADPCM.
peak_db() {
    case $1 in whistle) echo -10 ;; vortun) echo -5 ;; *) echo -3 ;; esac
}
for name in whistle hike exterminate kick vortun; do
    sx "$work/$name.wav" -b 16 "$work/${name}_level.wav" \
        silence 1 0.005 0.3% fade h 0.006 reverse silence 1 0.005 0.3% fade h 0.006 reverse \
        gain -n "$(peak_db $name)"
    sx "$work/${name}_level.wav" -r 11025 -c 1 -e ms-adpcm "$media/$name.wav"
done
echo "media written to $media"
