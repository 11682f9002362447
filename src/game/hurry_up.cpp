#include "game/hurry_up.h"

#include <string>

#include "game/game_events.h"
#include "game/warden.h"
#include "game/world.h"
#include "platform/log.h"
#include "platform/random.h"

namespace {}  // namespace

const char* THurryUp::Message(int32_t roll) {
  static constexpr const char* kMessages[7] = {
      "H U R R Y   U P !", "G E T   A   M O V E   O N !", "L O O K   L I V E L Y !",   "G E T   O N   W I T H   I T !",
      "H E A D S   U P !", "I N C O M I N G !",           "W A R D E N   A L E R T !",
  };
  return roll >= 1 && roll <= 7 ? kMessages[roll - 1] : "";
}

void THurryUp::Activate() {
  msg = Message(world.random.Rand(1, 7));
  state = STATE_WARNING;
  phase = 0;
  loops = 0;
  world.ReportSound(GameSound::kHurryUp);
  if (DebugLogEnabled()) DebugLog("Hurry-up: " + msg);
}

void THurryUp::Deactivate() { state = STATE_OFF; }

void THurryUp::Update() {
  if (state == STATE_WARNING) {
    phase += 1;
    if (phase == kSecond) {
      phase = 0;
      loops += 1;
      if (loops == kWarningBeats)
        state = STATE_ALERT;
      else
        world.ReportSound(GameSound::kHurryUp);
    }
  }
  // Warden alert starts with a warden in the very frame it begins.
  if (state == STATE_ALERT) {
    if (phase == 0) {
      world.ReportSound(GameSound::kWardenAppear);
      const TWarden* warden = SpawnWarden(world);
      if (DebugLogEnabled())
        DebugLog("Warden arrives at " + std::to_string(int32_t(warden->x)) + "," + std::to_string(int32_t(warden->y)));
    }
    phase += 1;
    if (phase == kWardenInterval) phase = 0;
  }
}

// --- the game loop's hooks -------------------------------------------------

void UpdateHurryUp(World& world) { world.hurryup.Update(); }

void ActivateHurryUp(World& world) { world.hurryup.Activate(); }

void DeactivateHurryUp(World& world) {
  world.hurryup.Deactivate();
  RemoveAllWardens(world);
}

uint8_t HurryUpState(const World& world) { return world.hurryup.state; }
