#include "frontend/online_scores_view.h"

#include "platform/log.h"

// The online scoreboard client (persist/online_highscores) is not part of the
// game yet: these three are where its GetScores, Draw and SubmitOnlineScore go.

int32_t FetchOnlineScores(int32_t, int32_t) {
  DebugLog("Online scores: no scoreboard client in this build");
  return 0;
}

void DrawOnlineScores(uint8_t) {}

bool SubmitOnlineScore(int32_t, const std::string&, uint8_t, uint16_t) {
  DebugLog("Online scores: no scoreboard client in this build, the score stays local");
  return false;
}
