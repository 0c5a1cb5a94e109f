#include "plugins/chime/sound_player.h"

// mmsystem.h builds on the types of windows.h.
#include <mmsystem.h>

#include "plugins/chime/chime_ids.h"

void SystemSoundPlayer::Play(const Sound& sound, bool repeat) {
  const DWORD flags = SND_ASYNC | SND_NODEFAULT | (repeat ? SND_LOOP : 0);
  if (sound.kind == SoundKind::kFile && GetFileAttributesA(sound.file) != INVALID_FILE_ATTRIBUTES) {
    PlaySoundA(sound.file, nullptr, flags | SND_FILENAME);
    return;
  }
  const bool bell = sound.kind == SoundKind::kBell || (sound.kind == SoundKind::kFile && repeat);
  PlaySoundA(MAKEINTRESOURCEA(bell ? IDW_ALARM : IDW_CHIME), module_, flags | SND_RESOURCE);
}

void SystemSoundPlayer::Stop() { PlaySoundA(nullptr, nullptr, 0); }
