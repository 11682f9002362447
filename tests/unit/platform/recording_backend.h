#pragma once
#include <algorithm>
#include <vector>

#include "platform/headless/headless_backend.h"

// The headless backend, keeping the corners of every drawn triangle so a
// test can see where things landed.
class RecordingBackend : public HeadlessBackend {
 public:
  struct Batch {
    Blend blend;
    std::vector<Vertex> vertices;
  };
  std::vector<Batch> batches;

  void DrawTriangles(Blend blend, const Vertex* vertices, int count) override {
    HeadlessBackend::DrawTriangles(blend, vertices, count);
    batches.push_back({blend, std::vector<Vertex>(vertices, vertices + count)});
  }

  // The top-left corner of everything drawn since the last Forget.
  bool TopLeft(float& x, float& y) const {
    bool any = false;
    for (const Batch& batch : batches)
      for (const Vertex& v : batch.vertices) {
        x = any ? std::min(x, v.x) : v.x;
        y = any ? std::min(y, v.y) : v.y;
        any = true;
      }
    return any;
  }
  std::vector<Vertex> AllVertices() const {
    std::vector<Vertex> all;
    for (const Batch& batch : batches) all.insert(all.end(), batch.vertices.begin(), batch.vertices.end());
    return all;
  }
  void Forget() { batches.clear(); }
};

// Installs a fresh recording backend (with the shared drawing and input state
// reset) and returns it.
inline RecordingBackend& UseRecordingBackend() {
  static RecordingBackend* backend = nullptr;
  UseHeadlessBackend();  // resets the shared state
  delete backend;
  backend = new RecordingBackend();
  SetBackend(backend);
  return *backend;
}
