#include "audio/music.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "audio/audio.h"
#include "audio/audio_startup.h"
#include "core/common.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/stream.h"

namespace {

constexpr const char* kIngameFolder = "music/ingame/";

// The four module formats, whatever the letter case of the file name.
bool IsPlayableName(const std::string& name) {
  std::string ext = ExtractExt(name);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == "it" || ext == "s3m" || ext == "xm" || ext == "mod";
}

}  // namespace

void TMusic::Initialise() {
  if (!fmodState.initialised) fmodState.Initialise();
  Load();
  Shuffle();
}

void TMusic::Load() {
  if (musicloaded) return;
  mus_menu = fmodSystem.CreateSound(AssetPath("music/lumen_fishland08.xm"), SOUND_LOOP_NORMAL);
  mus_highscore = fmodSystem.CreateSound(AssetPath("music/corvo_wandertales.mod"), SOUND_LOOP_NORMAL);
  mus_spacer[0] = fmodSystem.CreateSound(AssetPath("sound/musicspacer.ogg"), SOUND_SOFTWARE);
  mus_spacer[1] = fmodSystem.CreateSound(AssetPath("sound/musicspacer2.ogg"), SOUND_SOFTWARE);
  mus_spacer[2] = fmodSystem.CreateSound(AssetPath("sound/musicspacer3.ogg"), SOUND_SOFTWARE);
  LoadIngame();
  musicloaded = 1;
}

uint16_t TMusic::CountIngame() const {
  uint16_t count = 0;
  for (const std::string& name : ReadDirectory(AssetPath(kIngameFolder)))
    if (IsPlayableName(name)) ++count;
  return count;
}

void TMusic::LoadIngame() {
  const std::string folder = AssetPath(kIngameFolder);
  mus_ingame.clear();
  mus_ingame.reserve(CountIngame());
  for (const std::string& name : ReadDirectory(folder)) {
    if (name.empty()) break;
    if (!IsPlayableName(name)) continue;
    // An unreadable track is left out, so the playlist holds only music.
    if (Sound* track = fmodSystem.CreateSound(folder + name, SOUND_LOOP_NORMAL | SOUND_ACCURATE_TIME))
      mus_ingame.push_back(track);
    else
      DebugLog("Music: left out of the playlist: " + name);
  }
  pl.resize(mus_ingame.size());
  if (pl_current >= pl.size()) pl_current = 0;
}

void TMusic::Shuffle() {
  const int32_t n = static_cast<int32_t>(pl.size());
  for (int32_t i = 0; i < n; ++i) pl[i] = static_cast<uint16_t>(i);
  if (n <= 1) return;
  const int32_t swaps = ShowRand(2 * n, 4 * n);
  for (int32_t k = 0; k < swaps; ++k) {
    const int32_t d = ShowRand(0, n - 1);
    int32_t a = ShowRand(0, n - 1);
    for (int tries = 0; a == d && tries < 64; ++tries) a = ShowRand(0, n - 1);
    std::swap(pl[a], pl[d]);
  }
  // pl_current stays: a new game goes on from the same place in the new order.
}

void TMusic::Play(int which) {
  switch (which) {
    case MUSIC_MENU:
      chnMusic = fmodSystem.PlaySound(CHANNEL_MUSIC, mus_menu, false);
      break;
    case MUSIC_HIGHSCORE:
      chnMusic = fmodSystem.PlaySound(CHANNEL_MUSIC, mus_highscore, false);
      break;
    case MUSIC_INGAME: {
      if (pl.empty()) return;  // no playable track: the game runs without music
      if (pl_current >= pl.size()) pl_current = 0;
      Sound* track = mus_ingame[pl[pl_current]];
      chnMusic = fmodSystem.PlaySound(CHANNEL_MUSIC, track, false);
      length = fmodSystem.GetLength(track);
      timestart = static_cast<int32_t>(timeNow);
      break;
    }
    default:
      break;
  }
}

void TMusic::Update() {
  if (pl.empty()) return;
  timeplayed = static_cast<int32_t>(static_cast<uint32_t>(timeNow) - static_cast<uint32_t>(timestart));
  // In-game tracks loop: a short one repeats until two minutes are up, a long
  // one plays once to its end.
  const bool finished = timeplayed >= kMinTrackMillis && timeplayed >= length;
  if (ingap) {
    if (!chnSpacer.IsPlaying()) {
      NextTrack();
      ingap = 0;
    }
  } else if (finished) {
    Stop();
    chnSpacer = fmodSystem.PlaySound(CHANNEL_SPACER, mus_spacer[ShowRand(0, 2)], false);
    ingap = 1;
  }
}

void TMusic::NextTrack() {
  if (pl.empty()) return;
  pl_current = pl_current + 1u >= pl.size() ? 0 : static_cast<uint16_t>(pl_current + 1);
  Play(MUSIC_INGAME);
}

void TMusic::Stop() {
  if (chnMusic.Exists()) chnMusic.Stop();
  if (chnSpacer.Exists()) chnSpacer.Stop();
  ingap = 0;
}

void TMusic::ReleaseAll() {
  Stop();
  if (!musicloaded) return;
  for (Sound** s : {&mus_menu, &mus_highscore, &mus_spacer[0], &mus_spacer[1], &mus_spacer[2]}) {
    fmodSystem.Release(*s);
    *s = nullptr;
  }
  for (Sound* track : mus_ingame) fmodSystem.Release(track);
  mus_ingame.clear();
  musicloaded = 0;
}

void TMusic::DebugPlaylist() const {
  for (size_t i = 0; i < pl.size(); ++i)
    DebugLog("Playlist item " + std::to_string(i + 1) + ": " + std::to_string(pl[i]));
}
