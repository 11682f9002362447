#include "game/warden.h"

#include <cmath>
#include <set>
#include <string>

#include "core/images.h"
#include "game/collisions.h"
#include "game/enemy_fixture.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/ship.h"
#include "game/world.h"
#include "platform/clock.h"
#include "platform/image.h"
#include "platform/paths.h"

namespace {

using enemy_test::Battlefield;

class WardenTest : public Battlefield {
 protected:
  int Wardens() { return Count<TWarden>(); }
};

TEST_F(WardenTest, WarningBeatsThreeSecondsThenAWardenEvery1800Frames) {
  world.hurryup.Activate();
  EXPECT_EQ(world.hurryup.state, THurryUp::STATE_WARNING);
  EXPECT_FALSE(world.hurryup.msg.empty());
  int frame = 0;
  while (world.hurryup.state == THurryUp::STATE_WARNING) {
    world.hurryup.Update();
    ++frame;
    ASSERT_LE(frame, 1000);
  }
  EXPECT_EQ(frame, 180);
  EXPECT_EQ(world.hurryup.loops, 3);
  EXPECT_EQ(Wardens(), 1);  // in the very frame the alert begins
  for (int i = 0; i < 1799; ++i) world.hurryup.Update();
  EXPECT_EQ(Wardens(), 1);
  world.hurryup.Update();
  EXPECT_EQ(Wardens(), 2);
  for (int i = 0; i < 1800; ++i) world.hurryup.Update();
  EXPECT_EQ(Wardens(), 3);
}

// The warning comes stage + 29 seconds of play into a wave, the first warden
// three seconds after it.
TEST_F(WardenTest, TheWarningComesStagePlus29SecondsIntoAWave) {
  for (uint8_t stage : {uint8_t(1), uint8_t(10)}) {
    NewGame(world, {1234, CONTROLS_KEYBOARD});
    world.player.stage = uint8_t(stage - 1);  // the banner's first frame sets the next stage up
    world.player.lives = 250;                 // the chains reach the ship long before
    while (world.gameState == STATE_ENTERING) StepGame(world, {});
    ASSERT_EQ(world.player.stage, stage);
    int frames = 0, alert = 0;
    for (; world.hurryup.state == THurryUp::STATE_OFF && frames < 3600; ++frames) StepGame(world, {});
    EXPECT_EQ(frames, (stage + 29) * 60);
    EXPECT_EQ(world.gameState, STATE_PLAYING);
    for (; Wardens() == 0 && alert < 1000; ++alert) StepGame(world, {});
    EXPECT_EQ(alert, 180);
    EXPECT_EQ(world.hurryup.state, THurryUp::STATE_ALERT);
  }
}

TEST_F(WardenTest, EveryMessageTurnsUp) {
  std::set<std::string> seen;
  int hurry = 0;
  const int n = 7000;
  for (int i = 0; i < n; ++i) {
    world.hurryup.Activate();
    seen.insert(world.hurryup.msg);
    hurry += world.hurryup.msg == "H U R R Y   U P !";
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_TRUE(seen.count("W A R D E N   A L E R T !"));
  enemy_test::ExpectShare(hurry, n, 1.0 / 7);
}

TEST_F(WardenTest, ANewWaveCancelsTheWarningAndTheWardens) {
  SetupStage(world);  // stage B wave 1 from the fixture's stage A
  world.hurryup.Activate();
  for (int i = 0; i < 30; ++i) world.hurryup.Update();
  SetupWave(world);
  EXPECT_EQ(world.hurryup.state, THurryUp::STATE_OFF);

  world.hurryup.Activate();
  for (int i = 0; i < 200; ++i) world.hurryup.Update();
  ASSERT_EQ(Wardens(), 1);
  SetupWave(world);
  EXPECT_EQ(world.hurryup.state, THurryUp::STATE_OFF);
  EXPECT_EQ(Wardens(), 0);
  SpawnWarden(world);
  SetupStage(world);
  EXPECT_EQ(Wardens(), 0);
}

TEST_F(WardenTest, HomesInSidewaysUpToItsTopSpeedAndBobs) {
  TWarden* warden = SpawnWarden(world);
  warden->x = 300;
  warden->y = 100;
  warden->xdelta = 0.125f;
  warden->xvelmax = 2.0f;
  warden->ysin = 10;
  world.player.x = 100;
  float lowest = 1e9f, highest = -1e9f;
  for (int i = 0; i < 72; ++i) {  // one bob: 5 degrees a frame
    UpdateWardens(world);
    lowest = std::min(lowest, warden->sy);
    highest = std::max(highest, warden->sy);
  }
  EXPECT_FLOAT_EQ(warden->xvel, -2.0f);
  EXPECT_LT(warden->x, 300 - 2.0f * 50);
  EXPECT_NEAR(highest, 110.0f, 0.01f);
  EXPECT_NEAR(lowest, 90.0f, 0.01f);
  EXPECT_EQ(warden->sinr, 0);
  // Its trail: one a frame.
  EXPECT_EQ(Reported<game_event::WardenTrail>(world).size(), 72u);
}

TEST_F(WardenTest, ShootsStraightAtTheShipsMiddle) {
  TWarden* warden = SpawnWarden(world);
  warden->x = 60;
  warden->y = 40;
  warden->sy = 40;
  world.player.x = 157;
  world.player.y = 195;
  warden->ShootAtPlayer();
  ASSERT_EQ(world.lstWardenBullets.Count(), 1u);
  TWardenBullet* shot = nullptr;
  world.lstWardenBullets.ForEach([&](TWardenBullet* b) { shot = b; });
  EXPECT_GE(shot->vel, 2.5f);
  EXPECT_LE(shot->vel, 3.0f);
  // Aim point (160, 200): 100 across, 160 down.
  EXPECT_NEAR(shot->xvel / shot->yvel, 100.0f / 160.0f, 1e-4);
  EXPECT_GT(shot->yvel, 0);
  EXPECT_NEAR(std::hypot(shot->xvel, shot->yvel), shot->vel, 1e-4);
  EXPECT_NEAR(shot->ang, 180.0f - std::atan2(100.0f, 160.0f) * 57.29578f, 1e-3);

  // Straight up is 0 degrees, straight left 270.
  world.player.x = 57;
  world.player.y = 0;
  warden->ShootAtPlayer();
  EXPECT_NEAR(warden->aim, 0.0f, 1e-4);
  world.player.x = -100;
  world.player.y = 35;
  warden->ShootAtPlayer();
  EXPECT_NEAR(warden->aim, 270.0f, 1e-4);
}

TEST_F(WardenTest, ABulletLeavesFivePixelsBeyondAnyEdge) {
  struct Case {
    float x, y, xvel, yvel;
    int frames_alive;  // updates that keep it
  };
  const Case cases[] = {
      {-4.0f, 100, -0.5f, 0, 2},  // -4.5, -5.0 stay; -5.5 goes
      {100, -3.0f, 0, -1.0f, 2},  // -4, -5 stay; -6 goes
      {324.0f, 100, 0.5f, 0, 2},  // 324.5, 325 stay
      {100, 243.0f, 0, 1.0f, 2},  // 244, 245 stay
  };
  for (const Case& c : cases) {
    TWardenBullet* shot = TWardenBullet::New(world);
    shot->x = c.x;
    shot->y = c.y;
    shot->xvel = c.xvel;
    shot->yvel = c.yvel;
    for (int i = 0; i < c.frames_alive; ++i) UpdateWardenBullets(world);
    EXPECT_EQ(world.lstWardenBullets.Count(), 1u) << c.x << "," << c.y;
    UpdateWardenBullets(world);
    EXPECT_EQ(world.lstWardenBullets.Count(), 0u) << c.x << "," << c.y;
  }
}

TEST_F(WardenTest, FiresAboutOnceASecond) {
  TWarden* warden = SpawnWarden(world);
  const int frames = 60 * 200;
  for (int i = 0; i < frames; ++i) {
    warden->x = 150;
    UpdateWardens(world);
  }
  enemy_test::ExpectShare(int(world.lstWardenBullets.Count()), frames, 1.0 / 60);
}

// The ship is hit by the warden's picture, not by a box: the warden and its
// bullets write their pictures into the collision layer.
class WardenPictureTest : public WardenTest {
 protected:
  void SetUp() override {
    WardenTest::SetUp();
    static bool loaded = false;
    if (!loaded) {
      SetDataDir(SKITTERWORM_TEST_DATA_DIR);
      LoadCollisionMasks();
      loaded = true;
    }
    if (Masks().warden.Empty() || Masks().warden_bullet.Empty() || Masks().ship.Empty())
      GTEST_SKIP() << "game images not built";
  }
};

TEST_F(WardenPictureTest, TheShipDiesOnTheWardensPictureButNotBesideIt) {
  TWarden* warden = SpawnWarden(world);
  warden->x = float(world.player.x + 3);
  warden->sy = float(world.player.y + 4);
  RegisterWardenCollisions(world);
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
  EXPECT_EQ(world.statsGame.player_wardendeaths, 1);

  // Far from the picture nothing happens; the shield makes it harmless too.
  world.player.Init();
  warden->x = float(world.player.x + 60);
  RegisterWardenCollisions(world);
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.state, SHIP_ALIVE);
  warden->x = float(world.player.x + 3);
  world.player.power[POWER_SHIELD] = 50;
  RegisterWardenCollisions(world);
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.state, SHIP_ALIVE);
}

TEST_F(WardenPictureTest, ItsBulletsHitToo) {
  TWardenBullet* shot = TWardenBullet::New(world);
  shot->x = float(world.player.x + 3);
  shot->y = float(world.player.y + 4);
  shot->ang = 30;
  RegisterWardenCollisions(world);
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
}

}  // namespace
