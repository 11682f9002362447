#include "frontend/name_entry.h"

#include <cstdio>

#include "audio/audio.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/menu.h"
#include "frontend/menu_state.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "persist/records.h"
#include "persist/replay_store.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

constexpr const char* kInTable[10] = {"Congratulations!",
                                      "Wowzers! Nice work!",
                                      "Give yourself a pat on the back!",
                                      "Nice shootin', partner!",
                                      "Super! Smashing! Marvellous!",
                                      "Brilliant!",
                                      "Amazing!",
                                      "Jolly good show!",
                                      "Incredible!",
                                      "Fantastic!"};
constexpr const char* kNotInTable[10] = {"So long, and thanks for all the fish...",
                                         "They think it's all over. It is now!",
                                         "Game over, dude.",
                                         "Hmm. That went well, didn't it?",
                                         "Handy hint: touching enemies is bad for your health.",
                                         "Oh well. There's always next time...",
                                         "You meant to do that, right?",
                                         "Oh dear...",
                                         "That was probably just bad luck.",
                                         "Blimey. What a shocker."};

// The pilot signs the table after a second and a half.
constexpr int32_t kAttractSignMillis = 1500;

void Centred(std::string_view text, int32_t y, bool shadow = true) { DrawTextCentred(text, 160, y, shadow ? 1 : 0); }

// The scoreboard's reason for a refusal as one line across the screen, made
// once when the answer comes, not every frame.
std::string RefusalLine() {
  SetImageFont(fntSmall);
  std::string line(FitText(onlineScores.refusal, 312));
  SetImageFont(fntMain);
  return line;
}

bool Online() { return config.online && !frontendHooks.attract_mode; }

}  // namespace

// The new entry goes to disk at once, like the game's statistics: a lost
// display or a killed process cannot take it away.
void NameEntryScreen::AddToTable() {
  highscores.Add(game.header.score, input->txt, game.header.stage, game.header.wave);
  SignLastGame(input->txt, game.header.score);
  SaveTableWithReplays(highscores, DataFilePath(kHighscoreFile));
}

NameEntryScreen& TheNameEntryScreen() {
  static NameEntryScreen screen;  // one name entry for the whole run
  return screen;
}

Screen* ScreenAfterStart() {
  const bool table_read = !FileKeptUntouched(DataFilePath(kHighscoreFile));
  if (frontendHooks.attract_mode || !table_read || !LastGameAwaitsTable(highscores)) return &TheMenuScreen();
  TheNameEntryScreen().game = LastGame();
  DebugLog("The last game (score " + std::to_string(LastGame().header.score) +
           ") never reached the table: its name entry again");
  return &TheNameEntryScreen();
}

Screen* ScreenAfterGame(const Replay& game) {
  const int32_t score = game.header.score;
  if (score <= 0 || !(highscores.Check(score) || config.online)) return &TheMenuScreen();
  TheNameEntryScreen().game = game;
  return &TheNameEntryScreen();
}

void NameEntryScreen::Enter() {
  fadeScene.Set(0, 1, 1, 0, 0, 0);
  fadeText.Set(0, 1, 1, 0, 0, 0);
  KillParticles();
  SetImageFont(fntMain);
  if (config.music) music.Play(MUSIC_HIGHSCORE);
  input = std::make_unique<TTextInput>(160, 125);
  message = uint8_t(ShowRand(1, 10));
  firework_delay = 0;
  phase = kTyping;
  submit_due = false;
  submitted_ok = false;
  refusal.clear();
  entered = MilliSecs();
  if (DebugLogEnabled()) DebugLog("Name entry for a score of " + std::to_string(game.header.score));
}

// The game's replay signed with the name, for the scoreboard to play again.
std::string NameEntryScreen::SignedReplay() const {
  if (game.inputs.empty()) return {};
  Replay signed_replay = game;
  signed_replay.header.name = input->txt;
  return EncodeReplay(signed_replay);
}

void NameEntryScreen::Fireworks() {
  if (firework_delay > 0) {
    --firework_delay;
    return;
  }
  uint8_t type;
  if (ShowRand(1, 4) == 1)
    type = PARTICLE_ANY_FIREWORK;
  else if (ShowRand(1, 8) == 1)
    type = PARTICLE_FIREWORK;
  else
    type = uint8_t(ShowRand(2, 8));
  const uint16_t x = uint16_t(ShowRand(0, 320)), y = uint16_t(ShowRand(0, 240));
  const uint8_t family = uint8_t(ShowRand(1, 11));
  CreateParticles(x, y, 250, family, 30, 100, 0.1f, ShowRnd(3.0f, 4.5f), type, 0, 359, 0.975f);
  PlayEffect(sfx.sndSnailDie);
  firework_delay = ShowRand(0, 90);
}

void NameEntryScreen::Texts() const {
  SetImageFont(fntMain);
  SetAlpha(1.0f);
  // Asked anew each frame: a score that took the last place no longer
  // qualifies once it is in, and the consoling message shows from then on.
  if (highscores.Check(game.header.score)) {
    rainbow.Set();
    Centred(kInTable[message - 1], 50);
    SetColor(255, 255, 223);
    Centred("You got into the highscore table! Enter your name:", 110);
    if (config.online) {
      SetColor(127, 127, 127);
      Centred("(you'll be added to the online scoreboard too)", 160);
    }
  } else {
    SetColor(255, 255, 255);
    Centred(kNotInTable[message - 1], 50);
    SetColor(255, 255, 223);
    Centred("Enter your name for the online scoreboard:", 110, false);
  }
  SetColor(63, 127, 255);
  Centred("Your final score:", 70, false);
  char score[16];
  std::snprintf(score, sizeof score, "%d", game.header.score);
  SetScale(2, 2);
  SetColor(127, 191, 255);
  Centred(score, 80);
  SetScale(1, 1);
  input->Draw();
}

void NameEntryScreen::Typing() {
  input->Update();
  const bool pilot_signs = frontendHooks.attract_mode && MilliSecs() - entered >= kAttractSignMillis;
  if (pilot_signs) input->txt = kAutopilotName;
  if (!(KeyHit(vk::kEnter) || pilot_signs)) return;
  FlushKeys();
  FlushMouse();
  if (highscores.Check(game.header.score)) AddToTable();
  input->cursor = 0;  // and it stays hidden: the input is not updated again
  phase = Online() ? kPosting : kLeaving;
}

void NameEntryScreen::Result() {
  SetColor(0, 191, 0);
  Centred("Putting online...", 170);
  if (submitted_ok) {
    SetColor(0, 255, 0);
    Centred("Done!", 180);
    SetColor(63, 255, 63);
    Centred("Press any key or button to continue.", 200);
    if (GetChar() != 0 || mouse.anydown || joyButtons[0] || joyButtons[1]) phase = kLeaving;
  } else {
    SetColor(255, 0, 0);
    Centred("Failed.", 180);
    if (!refusal.empty()) {
      SetImageFont(fntSmall);
      SetColor(255, 191, 127);
      Centred(refusal, 191);
      SetImageFont(fntMain);
    }
    SetColor(255, 127, 0);
    Centred("Hit Enter to retry or Escape to cancel.", 200);
    const bool escape = KeyHit(vk::kEscape) > 0, enter = KeyHit(vk::kEnter) > 0;
    if (escape) {
      phase = kLeaving;
    } else if (enter) {
      // The retry's Enter (its key and its typed character) must not answer the "Done!" that may follow.
      FlushKeys();
      FlushMouse();
      phase = kPosting;
    }
  }
}

void NameEntryScreen::Step() {
  // The frame before showed "Putting online...": the submission blocks now.
  if (phase == kPosting && submit_due) {
    submitted_ok =
        SubmitOnlineScore(input->txt, game.header.score, game.header.stage, game.header.wave, SignedReplay());
    refusal = submitted_ok ? std::string() : RefusalLine();
    DebugLog(submitted_ok ? "Name entry: the online scoreboard took the score"
                          : "Name entry: the online scoreboard did not take the score");
    submit_due = false;
    phase = kPostResult;
  }
  timeNow = MilliSecs();
  Fireworks();
  lstParticles.ForEach([](TParticle* p) {
    p->Update();
    p->Draw();
  });
  mouse.Update();
  rainbow.Update(1);
  joyButtons[0] = joyButtons[1] = 0;
  if (JoyCount() > 0) {
    joyButtons[0] = JoyHit(0, 0) > 0 ? 1 : 0;
    joyButtons[1] = JoyHit(1, 0) > 0 ? 1 : 0;
  }
  Texts();
  switch (phase) {
    case kTyping:
      Typing();
      break;
    case kPosting:
      SetColor(0, 191, 0);
      Centred("Putting online...", 170);
      submit_due = true;
      break;
    case kPostResult:
      Result();
      break;
    default:
      break;
  }
  if (phase == kLeaving) {
    returnToHighscores = kBackFromNameEntry;
    SwitchScreen(&TheMenuScreen());
  }
}

void NameEntryScreen::Leave() {
  // Leaving while the name is still being typed (the window was closed) keeps
  // the score in the table under the name typed so far.
  if (phase == kTyping && input && highscores.Check(game.header.score)) AddToTable();
  phase = kLeaving;
  input.reset();
  KillParticles();
  FlushKeys();
  FlushMouse();
}
