#include "show/particle.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <set>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/rainbow_phaser.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/atlas.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"
#include "platform/random.h"
#include "show/show.h"

// Counts heap allocations while a test asks for it, to show that drawing and
// steady emission come from the pool.
namespace {
std::atomic<bool> countAllocations{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (countAllocations) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The headless backend, also keeping the alpha of every quad it is given.
class AlphaRecorder : public HeadlessBackend {
 public:
  void DrawTriangles(Blend blend, const Vertex* vertices, int count) override {
    HeadlessBackend::DrawTriangles(blend, vertices, count);
    if (!record || count < 6) return;
    for (int i = 0; i < count; i += 6) alphas.push_back(vertices[i].a);
    const Vertex& last = vertices[count - 6];
    colour = {last.r, last.g, last.b};
  }
  std::vector<uint8_t> alphas;
  std::array<uint8_t, 3> colour{};
  bool record = true;
};

class ParticleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseHeadlessBackend();
    SetBackend(&recorder_);
    Graphics(320, 240);
    lstParticles.Clear();
    config.particles = 1;
    SetDrawScale(1);
    fadeText.value = 1;
    fadeScene.value = 1;
    menuScreen = MENU_INGAME;
    static const uint32_t kWhite[16] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                        0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                        0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    for (int i = 1; i <= 9; ++i) gfx.particle[i] = CreateImage(kWhite, 4, 4, 4, 4, 1);
    gfx.kersplode = CreateImage(kWhite, 4, 4, 4, 4, 1);
    gfx.shroom = CreateImage(kWhite, 4, 4, 1, 1, 16);
    gfx.bonus_scores = CreateImage(kWhite, 4, 4, 2, 1, 8);
  }
  void TearDown() override {
    lstParticles.Clear();
    for (int i = 1; i <= 9; ++i) gfx.particle[i] = nullptr;
    gfx.kersplode = gfx.shroom = gfx.bonus_scores = nullptr;
    ReleaseAllImages();
    UseHeadlessBackend();  // the recorder goes with the fixture
  }

  // The alpha byte the particle is drawn with.
  uint8_t DrawnAlpha(const TParticle& p) {
    recorder_.alphas.clear();
    p.Draw();
    FlushBatch();
    return recorder_.alphas.empty() ? 0 : recorder_.alphas.back();
  }

  static std::vector<TParticle*> All() {
    std::vector<TParticle*> all;
    lstParticles.ForEach([&](TParticle* p) { all.push_back(p); });
    return all;
  }

  static void Emit(uint8_t count, uint8_t type = 3, uint16_t ang_min = 0, uint16_t ang_max = 359) {
    CreateParticles(100, 100, count, 5, 20, 60, 0.5f, 1.0f, type, ang_min, ang_max, 0.95f);
  }

  AlphaRecorder recorder_;
};

TEST_F(ParticleTest, BurstSizeFollowsTheParticlesSetting) {
  const struct {
    uint8_t setting, count;
    size_t made;
  } cases[] = {
      {0, 1, 0},  {0, 7, 3}, {1, 7, 7},   {2, 7, 14},
      {3, 7, 21}, {4, 7, 0}, {255, 7, 0}, {3, 250, 750},  // the count widens: no byte wrap at triple size
  };
  for (const auto& c : cases) {
    lstParticles.Clear();
    config.particles = c.setting;
    Emit(c.count);
    EXPECT_EQ(lstParticles.Count(), c.made) << "setting " << int(c.setting) << ", count " << int(c.count);
  }
}

TEST_F(ParticleTest, EmittedParticlesTakeTheirValuesFromTheRanges) {
  CreateParticles(100, 50, 40, 5, 20, 60, 0.5f, 1.0f, 3, 10, 20, 0.9f);
  for (const TParticle* p : All()) {
    EXPECT_EQ(p->t, 3);
    EXPECT_EQ(p->x, 100.0f);
    EXPECT_EQ(p->y, 50.0f);
    EXPECT_EQ(p->f, 0.9f);
    EXPECT_EQ(p->c.substr(0, 2), "00");  // family 5 is green
    EXPECT_GE(p->vel, 0.5f);
    EXPECT_LE(p->vel, 1.0f);
    EXPECT_EQ(p->life, p->lifetime);
    EXPECT_GE(p->life, 20);
    EXPECT_LE(p->life, 60);
    EXPECT_GE(p->ang, 10);
    EXPECT_LE(p->ang, 20);
    EXPECT_NEAR(std::hypot(p->xvel, p->yvel), p->vel, 1e-4);
  }
}

TEST_F(ParticleTest, AnglesWrapOnceAndSpreadEvenly) {
  CreateParticles(100, 100, 1, 5, 20, 60, 1, 1, 3, 400, 400, 1);
  CreateParticles(100, 100, 1, 5, 20, 60, 1, 1, 3, 360, 360, 1);
  std::vector<TParticle*> all = All();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0]->ang, 40);
  EXPECT_EQ(all[1]->ang, 0);

  lstParticles.Clear();
  config.particles = 1;
  Emit(4, 3, 10, 999);
  std::vector<uint16_t> angles;
  for (const TParticle* p : All()) angles.push_back(p->ang);
  EXPECT_EQ(angles, (std::vector<uint16_t>{10, 100, 190, 280}));

  // Spread from 300: the last ones pass 359 and wrap.
  lstParticles.Clear();
  Emit(3, 3, 300, 999);
  angles.clear();
  for (const TParticle* p : All()) angles.push_back(p->ang);
  EXPECT_EQ(angles, (std::vector<uint16_t>{300, 60, 180}));
}

TEST_F(ParticleTest, ZeroDegreesPointsDownAndNinetyRight) {
  struct Case {
    uint16_t ang;
    float xvel, yvel;
  };
  for (const Case& c : {Case{0, 0, 2}, Case{90, 2, 0}}) {
    TParticle* p = TParticle::New();
    p->vel = 2;
    p->ang = c.ang;
    p->SetVelocities();
    EXPECT_NEAR(p->xvel, c.xvel, 1e-5) << c.ang;
    EXPECT_NEAR(p->yvel, c.yvel, 1e-5) << c.ang;
  }
}

TEST_F(ParticleTest, RandomTypeRequestsPickADrawableTypePerParticle) {
  config.particles = 3;
  Emit(100, 10);
  std::set<int> sparks;
  for (const TParticle* p : All()) sparks.insert(p->t);
  EXPECT_EQ(sparks, (std::set<int>{3, 4, 5, 6, 7, 8}));

  lstParticles.Clear();
  Emit(200, 11);
  std::set<int> fireworks;
  for (const TParticle* p : All()) fireworks.insert(p->t);
  EXPECT_EQ(fireworks, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 12}));
}

TEST_F(ParticleTest, StreaksStartTwoStepsOut) {
  CreateParticles(100, 100, 1, 5, 20, 60, 2, 2, PARTICLE_STREAK, 0, 0, 1);
  const TParticle* p = All().at(0);
  EXPECT_NEAR(p->x, 100, 1e-5);
  EXPECT_NEAR(p->y, 104, 1e-5);
}

TEST_F(ParticleTest, UpdateMovesThenSlowsAndDiesAfterItsLastFrame) {
  TParticle* p = CreateParticle(100, 100, 3, "FFFFFF", 1, 1);
  p->xvel = 2;
  p->yvel = -1;
  p->f = 0.5f;
  p->Update();
  EXPECT_EQ(p->x, 102);
  EXPECT_EQ(p->y, 99);
  EXPECT_EQ(p->xvel, 1);
  EXPECT_EQ(p->yvel, -0.5f);
  EXPECT_EQ(p->life, 0);
  EXPECT_EQ(lstParticles.Count(), 1u);  // life 0 is still a frame
  lstParticles.ForEach([](TParticle* q) { q->Update(); });
  EXPECT_EQ(lstParticles.Count(), 0u);
}

TEST_F(ParticleTest, LeavingTheScreenKillsAtOnce) {
  const struct {
    float x, y, xvel, yvel;
    uint8_t scale;
    bool dies;
  } cases[] = {
      {319.5f, 100, 1, 0, 1, true}, {319, 100, 1, 0, 1, false},    {-15, 100, -1.5f, 0, 1, true},
      {100, 239.5f, 0, 1, 1, true}, {100, -15.5f, 0, -1, 1, true}, {100, -15, 0, -1, 1, false},
      {400, 100, 0, 0, 2, true},  // the limits are the screen's at every window scale
      {319, 100, 1, 0, 3, false},
  };
  for (const auto& c : cases) {
    lstParticles.Clear();
    SetDrawScale(c.scale);
    TParticle* p = CreateParticle(c.x, c.y, 3, "FFFFFF", 1000, 1000);
    p->xvel = c.xvel;
    p->yvel = c.yvel;
    p->f = 1;
    lstParticles.ForEach([](TParticle* q) { q->Update(); });
    EXPECT_EQ(lstParticles.Count(), c.dies ? 0u : 1u) << c.x << "," << c.y << " at scale " << int(c.scale);
  }
}

TEST_F(ParticleTest, FrontEndFireworksRelightUntilAGameStarts) {
  menuScreen = MENU_MAIN;
  CreateFireworks(5);
  for (const TParticle* p : All()) {
    EXPECT_EQ(p->t, PARTICLE_FIREWORK);
    EXPECT_EQ((int(p->x) - 8) % 9, 0);
    EXPECT_GE(p->y, 68);
    EXPECT_LE(p->y, 212);
    EXPECT_GE(p->life, 1);
    EXPECT_LE(p->life, 150);
    EXPECT_EQ(p->xvel, 0);
  }
  for (int frame = 0; frame < 400; ++frame) UpdateParticles();
  EXPECT_EQ(lstParticles.Count(), 5u);

  menuScreen = MENU_INGAME;
  for (int frame = 0; frame < 151; ++frame) UpdateParticles();
  EXPECT_EQ(lstParticles.Count(), 0u);
}

TEST_F(ParticleTest, AFadeOverAQuarterOfNothingIsFullyOpaque) {
  fadeScene.value = 0.5f;
  // The saucer's lights: type 5, life 3, lifetime never set.
  TParticle* light = CreateParticle(10, 10, 5, "FFFFFF", 3);
  EXPECT_EQ(DrawnAlpha(*light), 255);
  light->lifetime = 3;  // 3 div 4 is 0 as well
  EXPECT_EQ(DrawnAlpha(*light), 255);
  light->life = 0;
  EXPECT_EQ(DrawnAlpha(*light), 255);

  // With a real quarter it fades: 0.5 * 5 / 10.
  TParticle* spark = CreateParticle(10, 10, 5, "FFFFFF", 5, 40);
  EXPECT_EQ(DrawnAlpha(*spark), 64);
  // Above 1 is simply opaque.
  spark->life = 40;
  EXPECT_EQ(DrawnAlpha(*spark), 255);
}

TEST_F(ParticleTest, FadeRulesFollowTheType) {
  fadeText.value = 0.5f;
  TParticle* flash = CreateParticle(10, 10, PARTICLE_KERSPLODE, "FFFFFF", 50);
  EXPECT_EQ(DrawnAlpha(*flash), 64);  // 50 / 100 * 0.5
  TParticle* ring = CreateParticle(10, 10, 15, "FFFFFF", 30, 60);
  EXPECT_EQ(DrawnAlpha(*ring), 128);  // 0.5 * 30 / 60 * 2
  TParticle* spark = CreateParticle(10, 10, 3, "FFFFFF", 5, 40);
  EXPECT_EQ(DrawnAlpha(*spark), 64);  // 0.5 * 5 / (40 div 4)
  EXPECT_EQ(recorder_.colour, (std::array<uint8_t, 3>{255, 255, 255}));

  // The mushroom flash ignores the fades: 60 / 120.
  TParticle* shroom = CreateParticle(10, 10, PARTICLE_SHROOM_FLASH, "FFFFFF", 60, 120);
  shroom->ang = 5;
  EXPECT_EQ(DrawnAlpha(*shroom), 128);

  // Bonus pop-ups take the rainbow's colour, not their own.
  rainbow.r = 10;
  rainbow.g = 200;
  rainbow.b = 30;
  TParticle* bonus = CreateParticle(10, 10, 103, "FF0000", 40, 40);
  EXPECT_EQ(DrawnAlpha(*bonus), 255);  // 0.5 * 40 / 10, above 1
  EXPECT_EQ(recorder_.colour, (std::array<uint8_t, 3>{10, 200, 30}));

  // Types outside the table draw nothing.
  TParticle* none = CreateParticle(10, 10, 9, "FFFFFF", 40, 40);
  EXPECT_EQ(DrawnAlpha(*none), 0);
}

TEST_F(ParticleTest, DrawingLeavesTheDrawingStateAsItFoundIt) {
  SetDrawScale(2);
  SetScale(3, 3);  // whatever was set before, a particle leaves the game's scale
  fadeText.value = 0.75f;
  TParticle* flash = CreateParticle(10, 10, PARTICLE_KERSPLODE, "FFFFFF", 50);
  TParticle* ring = CreateParticle(10, 10, 16, "FFFFFF", 30, 60);
  ring->ang = 45;
  TParticle* streak = CreateParticle(10, 10, PARTICLE_STREAK, "FFFFFF", 30, 60);
  for (const TParticle* p : {flash, ring, streak}) {
    SetRotation(30);
    p->Draw();
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1);
    EXPECT_EQ(sy, 1);
    EXPECT_EQ(GetRotation(), 0);
    EXPECT_EQ(GetAlpha(), 0.75f);
  }
}

TEST_F(ParticleTest, MenuSparksAreScreenParticlesFlyingApart) {
  TParticle* game = CreateParticle(10, 10, 3, "FFFFFF", 100, 100);
  CreateMenuSparks(160, 100, 77, 2, 1.0f);
  std::vector<TParticle*> all = All();
  ASSERT_EQ(all.size(), 3u);
  const TParticle* left = all[1];
  const TParticle* right = all[2];
  EXPECT_TRUE(left->screen && right->screen);
  EXPECT_FALSE(game->screen);
  EXPECT_EQ(left->x, 83);
  EXPECT_EQ(right->x, 237);
  EXPECT_LT(left->xvel, 0);
  EXPECT_GT(right->xvel, 0);
  for (const TParticle* p : {left, right}) {
    EXPECT_TRUE(p->t == 3 || p->t == 4);
    EXPECT_EQ(p->c.substr(0, 2), "FF");
    EXPECT_EQ(p->c.substr(4), "00");
    EXPECT_GE(p->y, 98);
    EXPECT_LE(p->y, 102);
    EXPECT_GE(p->life, 12);
    EXPECT_LE(p->life, 25);
  }

  // The widgets pass a half width of -2: the sparks start just inside.
  CreateMenuSparks(160, 100, -2, 1, 1.0f);
  all = All();
  EXPECT_EQ(all[3]->x, 162);
  EXPECT_EQ(all[4]->x, 158);

  // Style 5 is one point and both sparks fly left.
  CreateMenuSparks(160, 100, 77, 5, 1.0f);
  all = All();
  for (size_t i = 5; i < 7; ++i) {
    EXPECT_EQ(all[i]->x, 160);
    EXPECT_EQ(all[i]->ang, 270);
  }

  // Changing menu screen takes the sparks and nothing else.
  KillScreenParticles();
  EXPECT_EQ(lstParticles.Count(), 1u);
  EXPECT_FALSE(game->removed());
}

TEST_F(ParticleTest, SteadyPlayAllocatesNothing) {
  recorder_.record = false;  // the test's own bookkeeping would allocate
  config.particles = 3;
  // A fixed life keeps the number alive constant once the first ones die, so
  // the warm-up reaches the working size of the pool and the list.
  auto emit = [] { CreateParticles(160, 120, 30, 10, 40, 40, 0.1f, 1.5f, PARTICLE_ANY_SPARK, 0, 359, 0.95f); };
  for (int frame = 0; frame < 100; ++frame) {
    emit();
    UpdateParticles();
  }
  const size_t capacity = particlePool.capacity();
  allocations = 0;
  countAllocations = true;
  for (int frame = 0; frame < 200; ++frame) {
    emit();
    UpdateParticles();
    DrawParticles();
  }
  countAllocations = false;
  FlushBatch();
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(particlePool.capacity(), capacity);
  EXPECT_GT(lstParticles.Count(), 1000u);
}

}  // namespace
