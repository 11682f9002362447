#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/graphics.h"
#include "platform/image.h"

// Tests that need a real GL picture run under an X server (the test script
// starts Xvfb); without one they skip instead of failing.
inline bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

// A pixel as the picture stores it: RGBA bytes in memory order.
constexpr uint32_t Rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255) {
  return r | (g << 8) | (b << 16) | (a << 24);
}
constexpr int Red(uint32_t p) { return int(p & 0xFF); }
constexpr int Green(uint32_t p) { return int((p >> 8) & 0xFF); }
constexpr int Blue(uint32_t p) { return int((p >> 16) & 0xFF); }
constexpr int Alpha(uint32_t p) { return int(p >> 24); }

// Runs each test on the SDL backend with the start-up drawing state.
class GlPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display (DISPLAY unset): run under xvfb-run to test the GL picture";
    SetBackend(nullptr);
    ReleaseAllImages();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(Blend::kLight);
    SetScale(1, 1);
    SetRotation(0);
    SetClsColor(0, 0, 0);
  }
  void TearDown() override {
    if (HaveDisplay()) EndGraphics();
  }
};
