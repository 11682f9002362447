// Every screen, in every state a player can see, draws its frames without
// touching the heap once it has settled: the frame rate never waits on the
// allocator, and a long session cannot fragment memory.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/headless/headless_backend.h"
#include "screen_states.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(ScreenFrames, SettledFramesAllocateNothing) {
  for (const auto& s : screen_states::kScreenStates) {
    HeadlessBackend backend;
    SetBackend(&backend);
    screen_states::Prepare(2);
    ShowRandom().Seed(77);
    s.show();
    // Long enough for every pool and list to reach its working size.
    for (int frame = 0; frame < 120; ++frame) s.frame();
    allocations = 0;
    counting = true;
    for (int frame = 0; frame < 60; ++frame) s.frame();
    counting = false;
    EXPECT_EQ(allocations, 0) << s.screen << " (" << s.state << ")";
    SetBackend(nullptr);
  }
}

}  // namespace
