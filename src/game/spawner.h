#pragma once
#include <cstdint>

struct World;

// The enemy spawner: three countdowns (globals snailTimer, spiderTimer,
// saucerTimer in frames) bring in snails, spiders and, from stage B on,
// saucers; the higher the threat level, the shorter the waits. It also sends
// the chain reinforcements once a part has reached the bottom.

class TSpider;
class TSnail;
class TSaucer;

// The longest wait for the next snail or spider at threat level t (the
// shorter bound of the draw once it sinks below 0).
constexpr int32_t CreatureWaitMax(int32_t t) { return 1200 - 8 * t; }
// The longest wait for the next saucer in a stage and wave.
constexpr int32_t SaucerWaitMax(int32_t stage, int32_t wave) { return 1800 - ((stage - 2) * 48 + (wave - 1) * 8); }

// One frame of spawning (only while the spawner is switched on).
void UpdateSpawner(World& world);
// The threat level that scales waves and spawn timers: 0 on the first wave of
// stage A, one higher for every wave after it.
int32_t ThreatLevel(const World& world);

// Each comes in at a random side or column and counts as seen this stage.
TSpider* SpawnSpider(World& world);
TSnail* SpawnSnail(World& world);
TSaucer* SpawnSaucer(World& world);

// Every enemy leaves without score or effect (new game). At a cleared stage,
// chain parts, wardens and warden shots left die without score; snails,
// spiders and saucers leave with the stage-end effects and are no longer
// counted as seen.
void RemoveAllEnemies(World& world);
void RemoveEnemiesAtStageEnd(World& world);
