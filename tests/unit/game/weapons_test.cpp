#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/common.h"
#include "core/play_states.h"
#include "game/enemy_fixture.h"
#include "game/explosion.h"
#include "game/game_test_world.h"
#include "game/missile.h"
#include "game/powerup.h"
#include "game/radar.h"
#include "game/railblast.h"
#include "game/saucer.h"
#include "game/ship.h"
#include "game/smart_bomb.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/weapon_passes.h"
#include "game/world.h"
#include "persist/records.h"
#include "platform/recording_backend.h"
#include "show/weapon_pictures.h"

namespace {

using enemy_test::Battlefield;

class Weapons : public Battlefield {
 protected:
  void SetUp() override {
    Battlefield::SetUp();
    world.gameState = STATE_PLAYING;
  }
  void TearDown() override {
    world.lstExplosions.Clear();
    world.lstMissiles.Clear();
    world.lstMissileVolleys.Clear();
    world.lstRailblasts.Clear();
    world.lstPowerups.Clear();
    Battlefield::TearDown();
  }

  void FillField(uint8_t code) {
    for (int32_t cell = 0; cell < kFieldCells; ++cell) Put(cell, code);
  }
  TSpider* SpiderAt(int32_t x, int32_t y) {
    TSpider* spider = TSpider::New(world);
    spider->x = x;
    spider->y = y;
    spider->vdir = TSpider::VDIR_UP;
    spider->hdir = TSpider::HDIR_NONE;
    return spider;
  }
  // The first launch of a missile volley, from where the ship is.
  void FireMissile() { TMissileVolley::Create(world, kVolleySpacing)->Update(); }
};

// --- missiles and explosions ------------------------------------------------

TEST_F(Weapons, AMissileWithNothingAboveFliesOffWithoutExploding) {
  // Mines do not stop it.
  const int32_t col = (world.player.x + 3 - 16) / 9;
  for (int32_t row = 0; row < kFieldRows; ++row) Put(CellIndex(col, row), CELL_SCATTERMINE);
  FireMissile();
  int ticks = 0;
  while (!world.lstMissiles.Empty() && ticks < 200) {
    UpdateWeapons(world);
    ++ticks;
    ASSERT_TRUE(world.lstExplosions.Empty()) << "tick " << ticks;
  }
  EXPECT_TRUE(world.lstMissiles.Empty());
  // 222 pixels to climb, starting at 1 a tick and gaining 0.03 a tick.
  EXPECT_GT(ticks, 85);
  EXPECT_LT(ticks, 100);
  for (int32_t row = 0; row < kFieldRows; ++row) EXPECT_EQ(world.playfield.data[CellIndex(col, row)], CELL_SCATTERMINE);
  EXPECT_EQ(world.player.score, 0);
}

TEST_F(Weapons, AMissileExplodesOnTheFirstMushroomAndClearsItsBlock) {
  const int32_t col = (world.player.x + 3 - 16) / 9;
  Put(CellIndex(col, 4), 0);                      // further up: out of reach
  Put(CellIndex(col, 10), 2);                     // the first one in its way
  Put(CellIndex(col - 1, 10), 5);                 // poison, in the block
  Put(CellIndex(col + 1, 11), CELL_SCATTERMINE);  // in the block: vanishes
  FireMissile();
  TMissile* missile = nullptr;
  world.lstMissiles.ForEach([&](TMissile* m) { missile = m; });
  ASSERT_NE(missile, nullptr);
  EXPECT_EQ(missile->m_col, col);
  while (world.lstExplosions.Empty() && !world.lstMissiles.Empty()) UpdateWeapons(world);

  ASSERT_EQ(world.lstExplosions.Count(), 1u);
  EXPECT_TRUE(world.lstMissiles.Empty());  // gone in the tick it exploded
  TExplosion* explosion = nullptr;
  world.lstExplosions.ForEach([&](TExplosion* e) { explosion = e; });
  EXPECT_EQ(explosion->pos, CellIndex(col, 10));
  EXPECT_EQ(explosion->x, world.player.x + 3);
  EXPECT_EQ(explosion->life, kExplosionLife);
  EXPECT_EQ(world.playfield.data[CellIndex(col, 10)], CELL_EMPTY);
  EXPECT_EQ(world.playfield.data[CellIndex(col - 1, 10)], CELL_EMPTY);
  EXPECT_EQ(world.playfield.data[CellIndex(col + 1, 11)], CELL_EMPTY);
  EXPECT_EQ(world.playfield.data[CellIndex(col, 4)], 0);
  EXPECT_EQ(world.player.score, 1 + 15);
  EXPECT_EQ(world.statsGame.killed_shrooms, 1);
  EXPECT_EQ(world.statsGame.killed_pshrooms, 1);
  EXPECT_EQ(world.statsStage.mushrooms, 2);
}

TEST_F(Weapons, AMissileExplodesOnAnEnemyInItsWay) {
  SpiderAt(world.player.x + 1, 150);
  FireMissile();
  while (world.lstExplosions.Empty() && !world.lstMissiles.Empty()) UpdateWeapons(world);
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(world.statsGame.killed_spiders, 1);
  EXPECT_EQ(world.lstExplosions.Count(), 1u);
  EXPECT_TRUE(world.lstMissiles.Empty());
}

TEST_F(Weapons, AnExplosionByTheLeftEdgeReachesRoundToTheRightEnd) {
  FillField(0);
  const int32_t pos = CellIndex(0, 5);
  TExplosion::Create(world, CellX(0) + 4, CellY(5) + 4, kExplosionLife, uint16_t(pos));
  // The block by index: the right end of rows 3, 4 and 5 instead of a left neighbour.
  const std::set<int32_t> cleared = {CellIndex(31, 3), CellIndex(0, 4), CellIndex(1, 4),
                                     CellIndex(31, 4), CellIndex(0, 5), CellIndex(1, 5),
                                     CellIndex(31, 5), CellIndex(0, 6), CellIndex(1, 6)};
  for (int32_t cell = 0; cell < kFieldCells; ++cell)
    EXPECT_EQ(world.playfield.data[cell] == CELL_EMPTY, cleared.count(cell) == 1) << "cell " << cell;
  EXPECT_EQ(world.player.score, 9);
}

TEST_F(Weapons, AnExplosionInTheCornerOrAboveTheFieldStaysInside) {
  FillField(0);
  TExplosion::Create(world, 21, 20, kExplosionLife, 0);
  const std::set<int32_t> cleared = {0, 1, 31, 32, 33};
  for (int32_t cell = 0; cell < kFieldCells; ++cell)
    EXPECT_EQ(world.playfield.data[cell] == CELL_EMPTY, cleared.count(cell) == 1) << "cell " << cell;

  // A missile above the field has a wrapped row byte: its explosion clears nothing.
  FillField(0);
  TExplosion::Create(world, 100, 2, kExplosionLife, uint16_t(255 * 32 + 9));
  for (int32_t cell = 0; cell < kFieldCells; ++cell) EXPECT_EQ(world.playfield.data[cell], 0);
}

TEST_F(Weapons, AnExplosionBurnsForSixtyTicksAndClearsWhatComesIntoIt) {
  const int32_t pos = CellIndex(10, 8);
  TExplosion::Create(world, CellX(10) + 4, CellY(8) + 4, kExplosionLife, uint16_t(pos));
  for (int tick = 1; tick < kExplosionLife; ++tick) {
    if (tick == 30) Put(pos + 33, 1);
    UpdateWeapons(world);
    if (tick == 30) EXPECT_EQ(world.playfield.data[pos + 33], CELL_EMPTY);
  }
  EXPECT_EQ(world.lstExplosions.Count(), 1u);
  UpdateWeapons(world);
  EXPECT_TRUE(world.lstExplosions.Empty());
  EXPECT_EQ(world.statsGame.killed_shrooms, 1);
}

TEST_F(Weapons, AnExplosionKillsWhatOverlapsItsBoxAndSparesWhatOnlyTouches) {
  // The box is (90, 90, 24, 24).
  TSpider* inside = SpiderAt(83, 100);
  SpiderAt(82, 100);                                          // right edge meets the box
  TSkitterworm* part = game_test::PlacePart(world, 100, 84);  // contact shape (x, y + 2, 8, 5) overlaps
  game_test::PlacePart(world, 100, 83);                       // only touches
  TSaucer* low = TSaucer::New(world);                         // contact shape (x, y + 3, 8, 4)
  low->x = 95.0f;
  low->y = 110;
  TSaucer* lower = TSaucer::New(world);
  lower->x = 95.0f;
  lower->y = 111;
  TExplosion::Create(world, 100, 100, kExplosionLife, uint16_t(CellIndex(9, 9)));
  EXPECT_EQ(Count<TSpider>(), 1);
  EXPECT_NE(First<TSpider>(), inside);
  EXPECT_EQ(Count<TSkitterworm>(), 1);
  EXPECT_NE(First<TSkitterworm>(), part);
  EXPECT_EQ(Count<TSaucer>(), 1);
  EXPECT_EQ(First<TSaucer>(), lower);
  EXPECT_EQ(world.statsGame.killed_worms, 1);
  EXPECT_EQ(world.statsGame.killed_spiders, 1);
  EXPECT_EQ(world.statsGame.killed_saucers, 1);
}

TEST_F(Weapons, MinesInAnExplosionOrARailblastVanishWithoutScoring) {
  FillField(CELL_SCATTERMINE);
  TExplosion::Create(world, CellX(20) + 4, CellY(8) + 4, kExplosionLife, uint16_t(CellIndex(20, 8)));
  TRailblast::Create(world, CellX(5) + 4);  // columns 4 to 6
  while (!world.lstRailblasts.Empty()) UpdateWeapons(world);
  int mines = 0;
  for (int32_t cell = 0; cell < kFieldCells; ++cell) mines += world.playfield.data[cell] == CELL_SCATTERMINE;
  EXPECT_EQ(mines, kFieldCells - 9 - 3 * kFieldRows);
  EXPECT_EQ(world.player.score, 0);
  EXPECT_EQ(world.statsStage.mushrooms, 0);
  EXPECT_EQ(world.statsGame.killed_shrooms + world.statsGame.killed_pshrooms, 0);
}

// --- the missile volley -------------------------------------------------------

TEST_F(Weapons, AVolleyLaunchesFiveMissilesFromWhereverTheShipIs) {
  world.player.item[0] = ITEM_MISSILES;
  UseItem(world);
  ASSERT_EQ(world.lstMissileVolleys.Count(), 1u);
  std::vector<int32_t> launched_from;
  size_t known = 0;
  for (int tick = 0; tick < kVolleyLife; ++tick) {
    UpdateWeapons(world);
    if (world.lstMissiles.Count() > known) {
      known = world.lstMissiles.Count();
      launched_from.push_back(world.player.x + 3);
    }
    world.player.x += 1;  // the ship keeps moving under the volley
  }
  EXPECT_TRUE(world.lstMissileVolleys.Empty());
  EXPECT_EQ(world.lstMissiles.Count(), 5u);
  std::vector<int32_t> missile_x;
  world.lstMissiles.ForEach([&](TMissile* m) { missile_x.push_back(m->x); });
  EXPECT_EQ(missile_x, launched_from);
  // 15 ticks apart.
  ASSERT_EQ(missile_x.size(), 5u);
  for (size_t i = 1; i < missile_x.size(); ++i) EXPECT_EQ(missile_x[i] - missile_x[i - 1], 15);
}

// --- the railblast ------------------------------------------------------------

TEST_F(Weapons, TheRailblastStripIsClampedAtTheEdges) {
  struct Case {
    int32_t x;
    uint8_t source, left, right;
  };
  for (const Case& c : {Case{20, 0, 0, 1}, Case{300, 31, 30, 31}, Case{159, 15, 14, 16}}) {
    const TRailblast* rail = TRailblast::Create(world, c.x);
    EXPECT_EQ(rail->sourcecol, c.source) << c.x;
    EXPECT_EQ(rail->leftcol, c.left) << c.x;
    EXPECT_EQ(rail->rightcol, c.right) << c.x;
  }
  // Burning at the left edge touches only columns 0 and 1.
  world.lstRailblasts.Clear();
  FillField(0);
  TRailblast* rail = TRailblast::Create(world, 20);
  rail->frame = TRailblast::kFireAt - 1;
  UpdateWeapons(world);
  for (int32_t cell = 0; cell < kFieldCells; ++cell)
    EXPECT_EQ(world.playfield.data[cell] == CELL_EMPTY, cell % kFieldCols <= 1) << "cell " << cell;
  EXPECT_EQ(world.player.score, 2 * kFieldRows);
}

TEST_F(Weapons, TheRailblastRisesChargesFiresBurnsAndFades) {
  FillField(0);
  world.player.item[0] = ITEM_RAILBLAST;
  UseItem(world);
  ASSERT_EQ(world.lstRailblasts.Count(), 1u);
  TRailblast* rail = nullptr;
  world.lstRailblasts.ForEach([&](TRailblast* r) { rail = r; });
  EXPECT_EQ(rail->sourcex, world.player.x + 3);
  for (int tick = 1; tick < TRailblast::kFireAt; ++tick) UpdateWeapons(world);
  // Nothing burnt yet; the drone has climbed about 36 pixels and stopped.
  EXPECT_EQ(world.player.score, 0);
  EXPECT_NEAR(rail->targy, float(world.player.y) - 36.0f, 1.5f);
  EXPECT_LT(rail->targyvel, 0.01f);

  UpdateWeapons(world);  // tick 120: the strip is gone
  for (int32_t cell = 0; cell < kFieldCells; ++cell) {
    const int32_t col = cell % kFieldCols;
    EXPECT_EQ(world.playfield.data[cell] == CELL_EMPTY, col >= rail->leftcol && col <= rail->rightcol) << cell;
  }
  EXPECT_EQ(world.player.score, 3 * kFieldRows);

  // Enemies in the beam burn until tick 199; a chain part leaves no mushroom.
  TSkitterworm* part = game_test::PlacePart(world, rail->sourcex - 4, CellY(3));
  const int32_t part_cell = CellIndex((part->x - 13) / 9, (part->y - 12) / 9);
  UpdateWeapons(world);
  EXPECT_EQ(Count<TSkitterworm>(), 0);
  EXPECT_EQ(world.playfield.data[part_cell], CELL_EMPTY);
  while (rail->frame < TRailblast::kBurnUntil - 2) UpdateWeapons(world);
  SpiderAt(rail->sourcex, 190);
  UpdateWeapons(world);  // tick 199
  EXPECT_EQ(Count<TSpider>(), 0);
  SpiderAt(rail->sourcex, 190);
  UpdateWeapons(world);  // tick 200: the beam only shows now
  EXPECT_EQ(Count<TSpider>(), 1);

  while (rail->frame < TRailblast::kGoneAt - 1) UpdateWeapons(world);
  EXPECT_EQ(world.lstRailblasts.Count(), 1u);
  UpdateWeapons(world);
  EXPECT_TRUE(world.lstRailblasts.Empty());
}

TEST_F(Weapons, TheBeamIsStretchedOverTheStripAndFades) {
  RecordingBackend& recorder = UseRecordingBackend();
  ASSERT_TRUE(Graphics(640, 480, 0, 60));
  SetDrawScale(2);
  SetScale(1, 1);
  const GameImages saved = gfx;
  const std::vector<uint32_t> white(4 * 4, 0xFFFFFFFFu);
  gfx.railblast = CreateImage(white.data(), 4, 4, 4, 4, 1);

  TRailblast* rail = TRailblast::Create(world, 100);
  auto beam = [&](uint16_t frame, float& left, float& right, float& bottom, uint8_t& alpha) {
    rail->frame = frame;
    recorder.Forget();
    DrawMissilesAndRailblasts(world);
    Flip();
    const std::vector<Vertex> all = recorder.AllVertices();
    ASSERT_FALSE(all.empty());
    left = right = all[0].x;
    bottom = all[0].y;
    for (const Vertex& v : all) {
      left = std::min(left, v.x), right = std::max(right, v.x), bottom = std::max(bottom, v.y);
    }
    alpha = all[0].a;
  };
  float left = 0, right = 0, bottom = 0;
  uint8_t alpha = 0;
  beam(120, left, right, bottom, alpha);
  EXPECT_EQ(left, 90 * 2);
  EXPECT_EQ(right, (90 + 21) * 2);
  EXPECT_EQ(bottom, 227 * 2);
  EXPECT_EQ(alpha, 255);
  beam(180, left, right, bottom, alpha);
  EXPECT_NEAR(alpha, 128, 1);
  EXPECT_EQ(GetAlpha(), fadeScene.value);  // left as the scene expects
  gfx = saved;
  SetDrawScale(1);
}

// --- the smart bomb ---------------------------------------------------------

// Keeps the colour every Cls clears to.
TEST_F(Weapons, TheSmartBombLeavesChainsAliveAndFlashesTheBackground) {
  for (int32_t col = 0; col < kFieldCols; ++col) Put(CellIndex(col, 2), 6);
  SpiderAt(50, 190);
  SpiderAt(150, 200);
  TSnail* snail = TSnail::New(world);
  snail->x = 100;
  snail->y = 50;
  snail->dir = TSnail::DIR_DOWN;
  TSaucer* saucer = TSaucer::New(world);
  saucer->x = 200;
  saucer->y = 40;
  game_test::PlacePart(world, 40, CellY(5));
  game_test::PlacePart(world, 49, CellY(5));
  world.player.item[0] = ITEM_SMARTBOMB;
  UseItem(world);
  EXPECT_EQ(Count<TSpider>() + Count<TSnail>() + Count<TSaucer>(), 0);
  EXPECT_EQ(Count<TSkitterworm>(), 2);
  EXPECT_EQ(world.statsGame.killed_spiders, 2);
  EXPECT_EQ(world.statsGame.killed_snails, 1);
  EXPECT_EQ(world.statsGame.killed_saucers, 1);
  EXPECT_EQ(world.statsGame.killed_pshrooms, kFieldCols);  // the field's sweep took every poison one

  std::vector<int> greys;
  for (int tick = 0; tick < 42; ++tick) {
    UpdateSmartBomb(world);
    greys.push_back(world.smartbomb.life);  // the grey of the background behind the game
  }
  EXPECT_EQ(greys.front(), 195);
  EXPECT_EQ(greys[38], 5);
  EXPECT_EQ(greys[39], 0);
  EXPECT_EQ(greys.back(), 0);
}

// --- the radar --------------------------------------------------------------

TEST_F(Weapons, TheRadarWarnsOnlyAtSpiderTimer60And40And20) {
  world.player.power[POWER_RADAR] = 1;
  world.radar.lastblink = int32_t(world.gameFrames);  // no blips in the way
  std::vector<int32_t> warned_at;
  for (world.spiderTimer = 80; world.spiderTimer >= 0; --world.spiderTimer) {
    world.player.UpdatePowers();
    if (world.radar.detect == 10) warned_at.push_back(world.spiderTimer);
  }
  EXPECT_EQ(warned_at, (std::vector<int32_t>{60, 40, 20}));

  // Counting down two at a time from an odd number steps over all three.
  world.radar.detect = world.radar.blink = 0;
  world.radar.lastblink = int32_t(world.gameFrames);
  for (world.spiderTimer = 61; world.spiderTimer >= 1; world.spiderTimer -= 2) {
    world.radar.Update();
    EXPECT_EQ(world.radar.detect, 0) << world.spiderTimer;
  }
}

TEST_F(Weapons, TheRadarBlipsEveryTwoAndAHalfSecondsWhileNoSpiderIsDue) {
  world.spiderTimer = 500;
  world.radar.lastblink = int32_t(world.gameFrames);
  world.gameFrames += 150;
  world.radar.Update();
  EXPECT_EQ(world.radar.blink, 0);
  world.gameFrames += 1;
  world.radar.Update();
  EXPECT_EQ(world.radar.blink, 20);
  EXPECT_EQ(world.radar.lastblink, int32_t(world.gameFrames));
  for (int tick = 0; tick < 20; ++tick) world.radar.Update();
  EXPECT_EQ(world.radar.blink, 0);
  // Close to a spider it stays quiet.
  world.spiderTimer = 55;
  world.gameFrames += 600;
  world.radar.Update();
  EXPECT_EQ(world.radar.blink, 0);
}

}  // namespace
