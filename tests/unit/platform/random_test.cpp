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
  RandomGenerator random;
  // Seed 1: the states are 48271 and 48271^2 mod (2^31 - 1) = 182605794.
  random.Seed(1);
  const double first = random.Double();
  EXPECT_DOUBLE_EQ(first, (48268.0 + 182605792.0 / 134217728.0) / 536870912.0);
  int64_t state = 1;
  Expected(state);
  for (int i = 0; i < 1000; ++i) ASSERT_DOUBLE_EQ(random.Double(), Expected(state)) << "value " << i;
}

// -1 and 2147483647 would stand on the modulus, which the generator takes for 0.
TEST(Random, SeedIsMaskedAndZeroIsReplaced) {
  RandomGenerator random;
  random.Seed(-1);
  EXPECT_EQ(random.State(), 0x1234);
  random.Seed(-2);
  EXPECT_EQ(random.State(), 0x7FFFFFFE);
  random.Seed(0);
  EXPECT_EQ(random.State(), 0x1234);
  random.Seed(int32_t(0x80000000));
  EXPECT_EQ(random.State(), 0x1234);
}

TEST(Random, RandIsInclusiveAndAcceptsSwappedBounds) {
  RandomGenerator random;
  random.Seed(12345);
  bool seen[6] = {};
  for (int i = 0; i < 2000; ++i) {
    const int v = random.Rand(5, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 5);
    seen[v] = true;
  }
  for (int v = 1; v <= 5; ++v) EXPECT_TRUE(seen[v]) << v;
  EXPECT_EQ(random.Rand(7, 7), 7);
}

TEST(Random, RndStaysInsideItsHalfOpenRange) {
  RandomGenerator random;
  random.Seed(99);
  for (int i = 0; i < 2000; ++i) {
    const float v = random.Rnd(1.0f, 0.3f);
    ASSERT_GE(v, 0.3f);
    ASSERT_LT(v, 1.0f);
  }
}

TEST(Random, SameSeedReplaysTheSameSequence) {
  RandomGenerator random;
  random.Seed(2024);
  int a[50];
  for (int& v : a) v = random.Rand(0, 1000000);
  random.Seed(2024);
  for (int v : a) EXPECT_EQ(random.Rand(0, 1000000), v);
}

}  // namespace
