#include <string>

#include "app/fader.h"
#include "app/game_state.h"
#include "app/helpers.h"
#include "app/mouse.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"

namespace {

struct SplashCard {
  Image* logo;
  const char* title;     // white line under the logo, or nullptr
  const char* subtitle;  // grey line
};

// Runs one card until its fade returns to exactly 0. A mouse button, a typed
// key, a joypad button or three seconds start the fade-out.
void ShowCard(const SplashCard& card) {
  fadeScene.Set(0, 1, 0, 0.03f, 0, 0);
  const int64_t start = MilliSecs();
  do {
    Cls();
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
    if (mouse.anydown || GetChar() != 0 || JoyHit(0, 0) || JoyHit(1, 0) || int64_t(MilliSecs()) - start > 3000)
      fadeScene.SetChange(-0.03f);
    // Closing the window skips the splash; the request stays for the menu loop to end the program.
    if (Input().close_requested) fadeScene.SetChange(-0.03f);
    Flip();
  } while (fadeScene.value != 0.0f);
}

}  // namespace

void ShowSplash() {
  Image* first = LoadImage(AssetPath("graphics/splash-logo-brixo.png"));
  Image* second = LoadImage(AssetPath("graphics/splash-logo-kiln.png"));
  MidHandleImage(first);
  MidHandleImage(second);
  SetImageFont(fntSmall);
  ShowCard({first, "Brixo Games", "presents"});
  ShowCard({second, nullptr, "a Kilnware creation"});
  fadeScene.Set(0, 1, 0, 0.05f, 0, 0);
  FlushKeys();
}
