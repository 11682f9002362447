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
  if (y > ylim) {
    Die();
    Create(float(ShowRand(0, kScreenWidth)), 0, ShowRnd(0.3f, 1.0f));
  }
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
