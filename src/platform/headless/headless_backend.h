#pragma once
#include <functional>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/backend.h"

// A backend without window or GL for the tests: drawing is counted, input is
// scripted through the shared input state, and the clock only moves when the
// test (or a sleep, a timer wait or a flip) advances it.
class HeadlessBackend : public Backend {
 public:
  bool OpenDisplay(int width, int height, int depth, int hertz) override;
  void CloseDisplay() override { open_ = false; }
  bool DisplayOpen() const override { return open_; }
  bool ModeExists(int width, int height, int depth, int hertz) override;
  void SetTitle(const std::string& title) override { title_ = title; }
  void SetIcon(const uint32_t*, int width, int height) override { icon_width_ = width, icon_height_ = height; }
  void ShowPointer(bool visible) override { pointer_visible_ = visible; }
  void Notify(const std::string& text) override;
  void WindowSize(int& width, int& height) const override;

  void UploadAtlas(const uint32_t*, int, int, int, int, int, int) override { ++atlas_uploads_; }
  void Clear(uint8_t, uint8_t, uint8_t) override { ++clears_; }
  void DrawTriangles(Blend blend, const Vertex* vertices, int count) override;
  void Present() override;
  bool ReadPixels(int x, int y, int w, int h, uint32_t* out) override;

  void PumpEvents(InputState& input) override;
  void WarpPointer(int x, int y) override;

  int64_t MicroSecs() override { return now_us_; }
  void SleepMicros(int64_t us) override { now_us_ += us > 0 ? us : 0; }

  // Test controls.
  void AdvanceMillis(int64_t ms) { now_us_ += ms * 1000; }
  // A display whose flip waits for its next refresh, as with vsync on; 0 (the
  // default) is one whose flip waits for nothing.
  void SetRefreshHertz(int hertz) { refresh_hertz_ = hertz; }
  // Events the next input poll delivers, as a window's events arrive together.
  void QueueEvents(std::function<void(InputState&)> events) { queued_.push_back(std::move(events)); }
  void AddMode(int width, int height, int depth) { modes_.insert({width, height, depth}); }
  void ClearModes() { modes_.clear(); }

  int width() const { return width_; }
  int height() const { return height_; }
  int depth() const { return depth_; }
  const std::string& title() const { return title_; }
  int icon_width() const { return icon_width_; }
  int icon_height() const { return icon_height_; }
  bool pointer_visible() const { return pointer_visible_; }
  int pointer_warps() const { return pointer_warps_; }
  const std::string& last_notification() const { return notification_; }
  int notifications() const { return notifications_; }
  int64_t triangles() const { return triangles_; }
  int64_t draw_calls() const { return draw_calls_; }
  int presents() const { return presents_; }
  int clears() const { return clears_; }
  Blend last_blend() const { return last_blend_; }

 private:
  bool open_ = false;
  int width_ = 0, height_ = 0, depth_ = 0;
  std::set<std::tuple<int, int, int>> modes_;
  std::string title_;
  int icon_width_ = 0, icon_height_ = 0;
  bool pointer_visible_ = true;
  int pointer_warps_ = 0;
  std::string notification_;
  int notifications_ = 0;
  int atlas_uploads_ = 0, clears_ = 0, presents_ = 0;
  int64_t triangles_ = 0, draw_calls_ = 0;
  Blend last_blend_ = Blend::kLight;
  int64_t now_us_ = 1'000'000;
  int refresh_hertz_ = 0;
  std::vector<std::function<void(InputState&)>> queued_;
};

// Installs a fresh headless backend as the active one and returns it; the
// shared platform state (input, drawing state) is reset with it.
HeadlessBackend& UseHeadlessBackend();
