#pragma once
// The menus' state: their object lists, the joypad check and the values the
// menu loop, its widgets and its screens share. One object owns them; Reset()
// makes them as at start-up. The menus reach them by their usual names
// (lstStars is frontend.lstStars, menuSelected is frontend.menuSelected...).
// menuScreen, polledKey and joyButtons live in core/common.h, because
// the game and the display switches read them too.
#include <cstdint>
#include <string>
#include <vector>

#include "core/object_list.h"
#include "frontend/credits.h"
#include "frontend/joy_check.h"
#include "frontend/menu_pages.h"
#include "frontend/menu_particle.h"
#include "persist/replay_store.h"

class TOptionSet;
class TClickableText;
class TLogoLetter;
class TStar;

// Where the menu comes back from when it opens at the highscores
// (returnToHighscores): a new highscore's name entry, whose tune plays on
// until the table is left for the main menu's "Play", or an entry's game
// watched from the table, which brings back the table's own music and leaves
// for "Highscores".
constexpr uint8_t kBackFromNameEntry = 1, kBackFromWatching = 2;

struct Frontend {
  ObjectList<TOptionSet> lstOptionSets;
  ObjectList<TClickableText> lstClickables;
  ObjectList<TLogoLetter> lstLogoLetters;
  // Each pool comes before its list, so the list hands its objects back
  // before the pool goes.
  Pool<TCreditsItem> creditsItemPool{16};
  ObjectList<TCreditsItem> lstCreditsItems{ReleaseCreditsItem};
  ObjectList<TStar> lstStars;
  Pool<TMenuParticle> menuParticlePool{64};
  ObjectList<TMenuParticle> lstMenuParticles{ReleaseMenuParticle};
  TJoyCheck joycheck;

  uint8_t menuTarget = 1;             // screen the fade-out leads to: a menu screen, or kStartGame
  uint8_t menuSelected = kPlayItem;   // id of the highlighted widget
  uint8_t menuQuit = 0;               // 1: the program ends after this frame
  uint8_t keyConfigStep = 0;          // 0 idle, 1..7 waiting for action n, 8 one frame after the last
  uint8_t keysBeforeCapture[7] = {};  // the bindings as they were when the capture began
  uint8_t keyRefused = 0;             // the last key pressed for this action was refused
  uint8_t showOnlineScores = 0;       // the highscores screen shows the online table
  int32_t onlineFetchResult = 0;
  uint8_t returnToHighscores = 0;       // the next menu entry opens at the highscores: kBackFrom...
  uint8_t returnToOnlineScores = 0;     // ... at the online table (back from one of its games)
  std::vector<EntryGame> entryReplays;  // each local entry's recorded game, found as the table opens
  uint8_t creditsClosing = 0;
  uint16_t creditsClock = 0;
  uint8_t joypadPresent = 0;
  int32_t joyNavFrames = 0;
  int32_t attractSince = 0;  // attract mode: when the shown screen settled

  // Made and freed where every object type is known.
  Frontend();
  ~Frontend();
  Frontend(const Frontend&) = delete;
  Frontend& operator=(const Frontend&) = delete;
  void Reset();
};

extern Frontend frontend;

inline ObjectList<TOptionSet>& lstOptionSets = frontend.lstOptionSets;
inline ObjectList<TClickableText>& lstClickables = frontend.lstClickables;
inline ObjectList<TLogoLetter>& lstLogoLetters = frontend.lstLogoLetters;
inline Pool<TCreditsItem>& creditsItemPool = frontend.creditsItemPool;
inline ObjectList<TCreditsItem>& lstCreditsItems = frontend.lstCreditsItems;
inline ObjectList<TStar>& lstStars = frontend.lstStars;
inline Pool<TMenuParticle>& menuParticlePool = frontend.menuParticlePool;
inline ObjectList<TMenuParticle>& lstMenuParticles = frontend.lstMenuParticles;
inline TJoyCheck& joycheck = frontend.joycheck;
inline uint8_t& menuTarget = frontend.menuTarget;
inline uint8_t& menuSelected = frontend.menuSelected;
inline uint8_t& menuQuit = frontend.menuQuit;
inline uint8_t& keyConfigStep = frontend.keyConfigStep;
inline uint8_t& showOnlineScores = frontend.showOnlineScores;
inline int32_t& onlineFetchResult = frontend.onlineFetchResult;
inline uint8_t& returnToHighscores = frontend.returnToHighscores;
inline uint8_t& returnToOnlineScores = frontend.returnToOnlineScores;
inline std::vector<EntryGame>& entryReplays = frontend.entryReplays;
inline uint8_t& creditsClosing = frontend.creditsClosing;
inline uint16_t& creditsClock = frontend.creditsClock;
inline uint8_t& joypadPresent = frontend.joypadPresent;
inline int32_t& joyNavFrames = frontend.joyNavFrames;
inline int32_t& attractSince = frontend.attractSince;
