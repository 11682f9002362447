#include "platform/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The minimal standard generator written the slow, obvious way (64-bit
// products), to check the Schrage version against.
int64_t Step(int64_t state) { return (state * 48271) % 2147483647; }

double Expected(int64_t& state) {
  state = Step(state);
  const double hi = double(state & 0x1FFFFFFC);
  state = Step(state);
  const double lo = double(state & 0x1FFFFFF8);
  return (hi + lo / 134217728.0) / 536870912.0;
}

TEST(Random, FirstValuesOfSeedOneFollowTheGenerator) {
  // Seed 1: the states are 48271 and 48271^2 mod (2^31 - 1) = 182605794.
  SeedRnd(1);
  const double first = RndDouble();
  EXPECT_DOUBLE_EQ(first, (48268.0 + 182605792.0 / 134217728.0) / 536870912.0);
  int64_t state = 1;
  Expected(state);
  for (int i = 0; i < 1000; ++i) ASSERT_DOUBLE_EQ(RndDouble(), Expected(state)) << "value " << i;
}

// -1 and 2147483647 would stand on the modulus, which the generator takes for 0.
TEST(Random, SeedIsMaskedAndZeroIsReplaced) {
  SeedRnd(-1);
  EXPECT_EQ(RndSeed(), 0x1234);
  SeedRnd(-2);
  EXPECT_EQ(RndSeed(), 0x7FFFFFFE);
  SeedRnd(0);
  EXPECT_EQ(RndSeed(), 0x1234);
  SeedRnd(int32_t(0x80000000));
  EXPECT_EQ(RndSeed(), 0x1234);
}

TEST(Random, RandIsInclusiveAndAcceptsSwappedBounds) {
  SeedRnd(12345);
  bool seen[6] = {};
  for (int i = 0; i < 2000; ++i) {
    const int v = Rand(5, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 5);
    seen[v] = true;
  }
  for (int v = 1; v <= 5; ++v) EXPECT_TRUE(seen[v]) << v;
  EXPECT_EQ(Rand(7, 7), 7);
}

TEST(Random, RndStaysInsideItsHalfOpenRange) {
  SeedRnd(99);
  for (int i = 0; i < 2000; ++i) {
    const float v = Rnd(1.0f, 0.3f);
    ASSERT_GE(v, 0.3f);
    ASSERT_LT(v, 1.0f);
  }
}

TEST(Random, SameSeedReplaysTheSameSequence) {
  SeedRnd(2024);
  int a[50];
  for (int& v : a) v = Rand(0, 1000000);
  SeedRnd(2024);
  for (int v : a) EXPECT_EQ(Rand(0, 1000000), v);
}

}  // namespace
