#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <memory>

#include "platform/atlas.h"
#include "platform/input.h"
#include "platform/input_state.h"

bool HeadlessBackend::OpenDisplay(int width, int height, int depth, int hertz) {
  if (depth != 0 && !ModeExists(width, height, depth, hertz)) return false;
  open_ = true;
  width_ = width;
  height_ = height;
  depth_ = depth;
  return true;
}

bool HeadlessBackend::ModeExists(int width, int height, int depth, int) {
  return modes_.count({width, height, depth}) != 0;
}

void HeadlessBackend::Notify(const std::string& text) {
  notification_ = text;
  ++notifications_;
}

void HeadlessBackend::WindowSize(int& width, int& height) const {
  width = width_;
  height = height_;
}

void HeadlessBackend::DrawTriangles(Blend blend, const Vertex*, int count) {
  triangles_ += count / 3;
  ++draw_calls_;
  last_blend_ = blend;
}

void HeadlessBackend::Present() {
  ++presents_;
  if (refresh_hertz_ <= 0) return;
  const int64_t next_refresh = now_us_ * refresh_hertz_ / 1'000'000 + 1;
  now_us_ = (next_refresh * 1'000'000 + refresh_hertz_ - 1) / refresh_hertz_;
}

bool HeadlessBackend::ReadPixels(int, int, int w, int h, uint32_t* out) {
  std::fill(out, out + size_t(w) * h, 0u);
  return open_;
}

void HeadlessBackend::PumpEvents(InputState& input) {
  for (auto& events : queued_) events(input);
  queued_.clear();
}

void HeadlessBackend::WarpPointer(int, int) { ++pointer_warps_; }

HeadlessBackend& UseHeadlessBackend() {
  static std::unique_ptr<HeadlessBackend> backend;
  backend = std::make_unique<HeadlessBackend>();
  SetBackend(backend.get());
  Input().Reset();
  ResetDrawState();
  return *backend;
}
