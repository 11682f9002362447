#include "frontend/star.h"

#include <cstdint>

#include "core/images.h"
#include "core/screen_size.h"
#include "frontend/frontend.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"

TStar* TStar::Create(float x, float y, float vel) {
  auto* star = new TStar(x, y, vel);
  lstStars.Add(star);
  return star;
}

void TStar::Die() { lstStars.Remove(this); }

void TStar::Update() {
  y += vel;
  if (y <= ylim) return;
  // The star that fell out comes back at the top as a new one (its speed
  // drawn first, then its place) and falls its first step at once: the field
  // keeps its density, with nothing made or freed as it runs.
  vel = ShowRnd(0.3f, 1.0f);
  x = float(ShowRand(0, kScreenWidth));
  y = vel;
}

void TStar::Draw() const {
  const uint8_t grey = uint8_t(127.0f * vel);
  SetColor(grey, grey, grey);
  DrawImage(gfx.particle[2], x, y);
}

// The game's star field, reached by the game loop.
void CreateGameStars(int count) {
  for (int i = 0; i < count; ++i) {
    // Drawn in this order: x, then y, then the speed.
    const float x = float(ShowRand(0, kScreenWidth));
    const float y = float(ShowRand(0, kScreenHeight));
    TStar::Create(x, y, ShowRnd(0.3f, 1.0f));
  }
}

void UpdateStars() {
  lstStars.ForEach([](TStar* star) { star->Update(); });
}

void DrawStars() {
  lstStars.ForEach([](TStar* star) { star->Draw(); });
}

void KillStars() { lstStars.Clear(); }
