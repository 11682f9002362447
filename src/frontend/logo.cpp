#include "frontend/logo.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/images.h"
#include "frontend/frontend.h"
#include "frontend/menu_state.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"

TLogoLetter* TLogoLetter::Create(uint16_t x, uint16_t y, uint16_t frame, uint8_t presteps, uint8_t family) {
  auto* letter = new TLogoLetter;
  letter->x = x;
  letter->y = y;
  letter->t = uint8_t(frame);
  letter->c = RandomColour(family, ShowRandom());
  lstLogoLetters.Add(letter);
  for (int step = 0; step <= presteps; ++step) letter->Update();
  return letter;
}

void TLogoLetter::Die() { lstLogoLetters.Remove(this); }

void TLogoLetter::Update() {
  yvel += 0.05f;
  y += yvel;
  if (y > ymax) {
    yvel = -yvel;
    y += yvel;
  }
}

void TLogoLetter::Draw() const {
  SetReadableColorHex(c);
  DrawImage(gfx.logo_letters, x, y, t);
  // Upside down about the line y = 30.
  SetScale(1, -1);
  DrawImage(gfx.logo_letters, x, 60 - y, t);
  SetScale(1, 1);
}

void CreateLogo() {
  // The letter strip holds S K I T E R W O M; the logo spells SKITTERWORM.
  static constexpr uint16_t kFrames[11] = {0, 1, 2, 3, 3, 4, 5, 6, 7, 5, 8};
  const uint8_t family = uint8_t(ShowRand(1, 11));
  for (int i = 0; i < 11; ++i) TLogoLetter::Create(uint16_t(72 + 16 * i), 6, kFrames[i], uint8_t(2 * i), family);
}

void DrawLogo() {
  lstLogoLetters.ForEach([](TLogoLetter* letter) {
    letter->Update();
    letter->Draw();
  });
  SetColor(255, 255, 255);
  SetBlend(Blend::kAlpha);
  SetAlpha(1.0f);
  DrawImage(gfx.logo_refmask, 0, 30);
  SetBlend(Blend::kLight);
  SetAlpha(fadeText.value);
  if (menuTarget == kStartGame) {
    SetColor(0, 0, 0);
    SetBlend(Blend::kAlpha);
    SetAlpha(1.0f - fadeText.value);
    DrawRect(0, 0, 320, 64);
    SetBlend(Blend::kLight);
    SetAlpha(fadeText.value);
  }
}
