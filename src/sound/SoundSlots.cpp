#include "sound/SoundPlayer.h"

bool SoundPlayer::isPlaying(int slot) const {
    if (slot < 0 || slot >= soundCount.load()) {
        return false;
    }
    return sounds[slot].playing.load();
}
