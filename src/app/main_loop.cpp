#include "app/main_loop.h"

#include "app/fader.h"
#include "app/game_state.h"
#include "app/helpers.h"
#include "app/images.h"
#include "app/mouse.h"
#include "app/rainbow_phaser.h"
#include "app/sine_table.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"

// Until the front end exists: a title card with a few living sprites, until
// the window is closed or Escape is pressed.
void RunMainLoop(const CommandLine&) {
  fadeScene.Set(0, 1, 0, 0.05f, 0, 0);
  fadeText.Set(0, 1, 1, 0, 0, 0);
  for (;;) {
    gameTimer.Wait();
    timeNow = MilliSecs();
    fadeScene.Update();
    mouse.Update();
    rainbow.Update(1);
    sine.Update();
    if (AppTerminate() || KeyHit(vk::kEscape)) break;
    if (KeyHit(vk::kF12)) SaveScreenshot();

    Cls();
    SetAlpha(fadeScene.value);
    for (int i = 0; i < 32; ++i) {
      SetColor(255, 255, 255);
      rainbow.Set();
      const float wobble = sine.GetVal((sine.ang + i * 20) % 360) * 8.0f;
      DrawImage(gfx.shroom, float((16 + i * 9) * drawScale), (120.0f + wobble) * drawScale, (i % 8) * 4);
    }
    SetImageFont(fntMain);
    SetColor(255, 255, 255);
    DrawTextCentred("Skitterworm", 160 * drawScale, 80 * drawScale, 1);
    SetImageFont(fntSmall);
    SetColor(191, 191, 191);
    DrawTextCentred("Press Escape to leave", 160 * drawScale, 180 * drawScale, 1);
    Flip();
  }
}
