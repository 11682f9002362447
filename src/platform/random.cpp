#include "platform/random.h"

#include <unistd.h>

#include <chrono>
#include <utility>

namespace {
constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kMultiplier = 48271;
constexpr int32_t kQuotient = 44488;  // kModulus / kMultiplier
constexpr int32_t kRemainder = 3399;  // kModulus % kMultiplier

// Process-wide: the show's generator, which every screen shares.
RandomGenerator show_random;
}  // namespace

// One step of the minimal standard generator; Schrage's method keeps every
// intermediate product inside 32 bits.
int32_t RandomGenerator::Advance() {
  int32_t hi = state_ / kQuotient;
  int32_t lo = state_ % kQuotient;
  int32_t t = kMultiplier * lo - kRemainder * hi;
  if (t < 0) t += kModulus;
  state_ = t;
  return state_;
}

// Every seed gives a state inside 1 .. modulus - 1: the seeds whose low 31
// bits are all ones (2147483647, -1) sit on the modulus itself, which the
// generator would turn into 0 and then draw nothing but 0 for ever. They are
// taken as 0 is (the modulus is 0 to the generator); every other seed keeps
// the state it always had, so recorded games play as they did.
void RandomGenerator::Seed(int32_t seed) {
  state_ = seed & 0x7FFFFFFF;
  if (state_ == 0 || state_ == kModulus) state_ = 0x1234;
}

double RandomGenerator::Double() {
  const double hi = Advance() & 0x1FFFFFFC;
  const double lo = Advance() & 0x1FFFFFF8;
  return (hi + lo / 134217728.0) / 536870912.0;  // (hi + lo / 2^27) / 2^29
}

int32_t RandomGenerator::Rand(int32_t min, int32_t max) {
  if (max < min) std::swap(min, max);
  const int64_t span = int64_t(max) - min + 1;
  return int32_t(min + int64_t(Double() * double(span)));
}

float RandomGenerator::Rnd(float min, float max) {
  if (max < min) std::swap(min, max);
  return float(min + Double() * (max - min));
}

RandomGenerator& ShowRandom() { return show_random; }

int32_t ShowRand(int32_t min, int32_t max) { return show_random.Rand(min, max); }
float ShowRnd(float min, float max) { return show_random.Rnd(min, max); }

int32_t ClockSeed() {
  uint64_t x = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
  x ^= uint64_t(::getpid()) << 32;
  // splitmix64's finaliser spreads nearby clock readings over the whole range.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  const int32_t seed = int32_t(x & 0x7FFFFFFF);
  return seed != 0 ? seed : 0x1234;
}
