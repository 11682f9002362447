#include "game/spider.h"

#include "game/collisions.h"
#include "game/enemy_fixture.h"
#include "game/enemy_passes.h"
#include "game/ship.h"
#include "game/world.h"

namespace {

using enemy_test::Battlefield;

class SpiderTest : public Battlefield {
 protected:
  TSpider* Spider(int32_t x, int32_t y, uint8_t vdir, uint8_t hdir) {
    TSpider* spider = TSpider::New(world);
    spider->x = x;
    spider->y = y;
    spider->vdir = vdir;
    spider->hdir = hdir;
    spider->clr = 3;
    spider->c = "00FF00";
    return spider;
  }
};

TEST_F(SpiderTest, BouncesBetween170And214AndPicksAFreshCourseEachTime) {
  TSpider* spider = Spider(150, 172, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  UpdateSpiders(world);
  EXPECT_EQ(spider->y, 171);
  EXPECT_EQ(spider->vdir, TSpider::VDIR_UP);
  UpdateSpiders(world);
  EXPECT_EQ(spider->y, 170);
  EXPECT_EQ(spider->vdir, TSpider::VDIR_DOWN);

  // Over many bounces every course turns up about equally often.
  int courses[6] = {};
  for (int i = 0; i < 3000; ++i) {
    spider->x = 150;
    spider->y = 213;
    spider->vdir = TSpider::VDIR_DOWN;
    UpdateSpiders(world);
    ASSERT_EQ(spider->y, 214);
    ASSERT_EQ(spider->vdir, TSpider::VDIR_UP);
    ++courses[spider->hdir];
  }
  for (uint8_t course : {TSpider::HDIR_RIGHT, TSpider::HDIR_LEFT, TSpider::HDIR_NONE})
    enemy_test::ExpectShare(courses[course], 3000, 1.0 / 3);
}

TEST_F(SpiderTest, LeavesThroughEitherEdgeAndIgnoresMushroomsAndMines) {
  Spider(18, 190, TSpider::VDIR_DOWN, TSpider::HDIR_LEFT);
  Spider(295, 190, TSpider::VDIR_DOWN, TSpider::HDIR_RIGHT);
  // A mine and a mushroom right in the spiders' way are left alone.
  Put(CellIndex(0, 19), CELL_SCATTERMINE);
  Put(CellIndex(31, 19), 2);
  UpdateSpiders(world);
  EXPECT_EQ(Count<TSpider>(), 2);  // at 17 and 296: still inside
  UpdateSpiders(world);
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(world.playfield.data[CellIndex(0, 19)], CELL_SCATTERMINE);
  EXPECT_EQ(world.playfield.data[CellIndex(31, 19)], 2);
  EXPECT_EQ(world.player.score, 0);
}

TEST_F(SpiderTest, ScoresByHowCloseItWasToTheShip) {
  struct Case {
    int32_t spider_y;
    int32_t points;
  };
  // The ship sits at y 214: d = 214 - (y + 8).
  const Case cases[] = {{189, 25}, {190, 50}, {197, 50}, {198, 75}, {210, 75}};
  for (const Case& c : cases) {
    world.player.score = 0;
    Spider(100, c.spider_y, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
    EXPECT_EQ(world.player.score, c.points) << "spider at y " << c.spider_y;
    EXPECT_EQ(Reported<game_event::SpiderSplat>(world).back().points, c.points) << "spider at y " << c.spider_y;
  }
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(world.statsStage.spiders_killed, 5);
  EXPECT_EQ(world.statsGame.killed_spiders, 5);
}

TEST_F(SpiderTest, KilledInWardenAlertScoresNothingButCounts) {
  world.hurryup.state = THurryUp::STATE_ALERT;
  Spider(100, 205, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
  EXPECT_EQ(world.player.score, 0);
  EXPECT_EQ(Reported<game_event::SpiderSplat>(world).back().points, 0);
  EXPECT_EQ(world.statsStage.spiders_killed, 1);
  EXPECT_EQ(world.statsGame.killed_spiders, 1);
  // In the warning phase they still pay.
  world.hurryup.state = THurryUp::STATE_WARNING;
  Spider(100, 205, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
  EXPECT_EQ(world.player.score, 75);
}

TEST_F(SpiderTest, TheBulletAndTheShipMeetIt) {
  // A level 1 shot ends on the spider it hits.
  Spider(100, 190, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  world.bullet.x = 102;
  world.bullet.y = 200;
  world.bullet.pwr = 1;
  StepBullet(world);  // moves to 192: overlaps the spider's 8x8 box
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_FALSE(world.bullet.InFlight());
  EXPECT_EQ(world.statsGame.killed_spiders, 1);

  // Without a shield contact costs a life; with one the spider dies.
  const uint8_t lives = world.player.lives;
  Spider(world.player.x + 3, world.player.y - 4, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  world.player.power[POWER_SHIELD] = 100;
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(world.player.lives, lives);
  world.player.power[POWER_SHIELD] = 0;
  Spider(world.player.x + 3, world.player.y - 4, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(world.player.lives, lives - 1);
  EXPECT_EQ(world.statsGame.player_spiderdeaths, 1);
  EXPECT_EQ(Count<TSpider>(), 1);
}

}  // namespace
