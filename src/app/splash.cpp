#include "app/splash.h"

#include "app/game_loop.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/mouse.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/paths.h"

namespace {

struct SplashCard {
  Image* logo;
  const char* title;     // white line under the logo, or nullptr
  const char* subtitle;  // grey line
};

// The two studio cards, each fading in and out. A mouse button, a typed key,
// a joypad button or three seconds start a card's fade-out; the next card
// starts when the fade is back at exactly 0.
class SplashScreen : public Screen {
 public:
  void Enter() override {
    Image* first = LoadImage(AssetPath("graphics/splash-logo-brixo.png"));
    Image* second = LoadImage(AssetPath("graphics/splash-logo-kiln.png"));
    MidHandleImage(first);
    MidHandleImage(second);
    cards_[0] = {first, "Brixo Games", "presents"};
    cards_[1] = {second, nullptr, "a Kilnware creation"};
    SetImageFont(fntSmall);
    card_ = 0;
    closing_ = false;
    StartCard();
  }

  void Step() override {
    const SplashCard& card = cards_[card_];
    if (start_ms_ < 0) start_ms_ = MilliSecs();
    mouse.Update();
    fadeScene.Update();
    SetAlpha(fadeScene.value);
    SetColor(255, 255, 255);
    DrawImage(card.logo, 160.0f, 120.0f);
    if (card.title) {
      DrawTextCentred(card.title, 160, 160, 0);
      SetColor(63, 63, 63);
      DrawTextCentred(card.subtitle, 160, 170, 0);
    } else {
      SetColor(63, 63, 63);
      DrawTextCentred(card.subtitle, 160, 160, 0);
    }
    if (closing_ || mouse.anydown || GetChar() != 0 || JoyHit(0, 0) || JoyHit(1, 0) ||
        int64_t(MilliSecs()) - start_ms_ > 3000)
      fadeScene.SetChange(-0.03f);
    if (fadeScene.value != 0.0f) return;
    if (++card_ < 2) {
      StartCard();
      return;
    }
    fadeScene.Set(0, 1, 0, 0.05f, 0, 0);
    FlushKeys();
    // A window closed during the splash ends the program once the cards are gone.
    SwitchScreen(closing_ ? nullptr : next);
  }

  // Closing the window skips the splash: every card fades out at once.
  void CloseRequested() override { closing_ = true; }

  Screen* next = nullptr;

 private:
  void StartCard() {
    fadeScene.Set(0, 1, 0, 0.03f, 0, 0);
    start_ms_ = -1;  // the card's three seconds start with its first frame
  }

  SplashCard cards_[2] = {};
  int card_ = 0;
  bool closing_ = false;
  int64_t start_ms_ = 0;
};

// Process-wide: the splash runs once per program.
SplashScreen splash;

}  // namespace

Screen* TheSplashScreen() { return &splash; }
void SetScreenAfterSplash(Screen* next) { splash.next = next; }
