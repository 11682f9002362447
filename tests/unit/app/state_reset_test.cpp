// Each owned part of the program's state goes back to its start-up values,
// lists emptied, with its one Reset.
#include <gtest/gtest.h>

#include <functional>

#include "app/game_loop.h"
#include "audio/audio.h"
#include "core/common.h"
#include "core/menu_screens.h"
#include "frontend/frontend.h"
#include "frontend/star.h"
#include "game/skitterworm.h"
#include "game/world.h"
#include "persist/records.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

struct Part {
  const char* name;
  std::function<void()> dirty;
  std::function<void()> reset;
  std::function<bool()> fresh;
};

const Part kParts[] = {
    {"common",
     [] {
       timeNow = 5;
       menuScreen = MENU_HELP;
       rainbowFast.speed = 1;
     },
     [] { common.Reset(); }, [] { return timeNow == 0 && menuScreen == MENU_MAIN && rainbowFast.speed == 15; }},
    {"records",
     [] {
       highscoreHighlight = 3;
       statsLife.games_played = 7;
       TScores::AddScore(1, "AB", 10, 1, 1, "");
     },
     [] { records.Reset(); },
     [] { return highscoreHighlight == 255 && statsLife.games_played == 0 && lstOnlineScores.Empty(); }},
    {"audio", [] { fmodState.forbidden = 1; }, [] { audio.Reset(); }, [] { return fmodState.forbidden == 0; }},
    {"world",
     [] {
       ShownGame().player.score = 100;
       ShownGame().chainSpeed = 3;
       TSkitterworm::New(ShownGame());
     },
     [] { ShownGame().Reset(); },
     [] {
       const World& world = ShownGame();
       return world.player.score == 0 && world.chainSpeed == 1.0f && world.lstEnemies.Empty();
     }},
    {"show", [] { TParticle::New(); }, [] { show.Reset(); },
     [] { return lstParticles.Empty() && particlePool.in_use() == 0; }},
    {"front end",
     [] {
       menuSelected = 9;
       TStar::Create(1, 2, 3);
       TMenuParticle::Spawn(true);
     },
     [] { frontend.Reset(); }, [] { return menuSelected == 1 && lstStars.Empty() && lstMenuParticles.Empty(); }},
};

TEST(StateReset, EachPartIsAsAtStartUpAfterItsReset) {
  for (const Part& part : kParts) {
    part.dirty();
    EXPECT_FALSE(part.fresh()) << part.name;
    part.reset();
    EXPECT_TRUE(part.fresh()) << part.name;
  }
}

}  // namespace
