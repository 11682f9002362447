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
  static TSpider* Spider(int32_t x, int32_t y, uint8_t vdir, uint8_t hdir) {
    TSpider* spider = TSpider::New();
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
  UpdateSpiders();
  EXPECT_EQ(spider->y, 171);
  EXPECT_EQ(spider->vdir, TSpider::VDIR_UP);
  UpdateSpiders();
  EXPECT_EQ(spider->y, 170);
  EXPECT_EQ(spider->vdir, TSpider::VDIR_DOWN);

  // Over many bounces every course turns up about equally often.
  int courses[6] = {};
  for (int i = 0; i < 3000; ++i) {
    spider->x = 150;
    spider->y = 213;
    spider->vdir = TSpider::VDIR_DOWN;
    UpdateSpiders();
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
  UpdateSpiders();
  EXPECT_EQ(Count<TSpider>(), 2);  // at 17 and 296: still inside
  UpdateSpiders();
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(playfield.data[CellIndex(0, 19)], CELL_SCATTERMINE);
  EXPECT_EQ(playfield.data[CellIndex(31, 19)], 2);
  EXPECT_EQ(player.score, 0);
}

TEST_F(SpiderTest, ScoresByHowCloseItWasToTheShip) {
  struct Case {
    int32_t spider_y;
    int32_t points;
  };
  // The ship sits at y 214: d = 214 - (y + 8).
  const Case cases[] = {{189, 25}, {190, 50}, {197, 50}, {198, 75}, {210, 75}};
  for (const Case& c : cases) {
    player.score = 0;
    Spider(100, c.spider_y, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
    EXPECT_EQ(player.score, c.points) << "spider at y " << c.spider_y;
    EXPECT_EQ(Reported<game_event::SpiderSplat>().back().points, c.points) << "spider at y " << c.spider_y;
  }
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(statsStage.spiders_killed, 5);
  EXPECT_EQ(statsGame.killed_spiders, 5);
}

TEST_F(SpiderTest, KilledInWardenAlertScoresNothingButCounts) {
  hurryup.state = THurryUp::STATE_ALERT;
  Spider(100, 205, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
  EXPECT_EQ(player.score, 0);
  EXPECT_EQ(Reported<game_event::SpiderSplat>().back().points, 0);
  EXPECT_EQ(statsStage.spiders_killed, 1);
  EXPECT_EQ(statsGame.killed_spiders, 1);
  // In the warning phase they still pay.
  hurryup.state = THurryUp::STATE_WARNING;
  Spider(100, 205, TSpider::VDIR_UP, TSpider::HDIR_NONE)->Death();
  EXPECT_EQ(player.score, 75);
}

TEST_F(SpiderTest, TheBulletAndTheShipMeetIt) {
  // A level 1 shot ends on the spider it hits.
  Spider(100, 190, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  bullet.x = 102;
  bullet.y = 200;
  bullet.pwr = 1;
  StepBullet();  // moves to 192: overlaps the spider's 8x8 box
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_FALSE(bullet.InFlight());
  EXPECT_EQ(statsGame.killed_spiders, 1);

  // Without a shield contact costs a life; with one the spider dies.
  const uint8_t lives = player.lives;
  Spider(player.x + 3, player.y - 4, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  player.power[POWER_SHIELD] = 100;
  CollideShipWithEnemies(player);
  EXPECT_EQ(Count<TSpider>(), 0);
  EXPECT_EQ(player.lives, lives);
  player.power[POWER_SHIELD] = 0;
  Spider(player.x + 3, player.y - 4, TSpider::VDIR_UP, TSpider::HDIR_NONE);
  CollideShipWithEnemies(player);
  EXPECT_EQ(player.lives, lives - 1);
  EXPECT_EQ(statsGame.player_spiderdeaths, 1);
  EXPECT_EQ(Count<TSpider>(), 1);
}

}  // namespace
