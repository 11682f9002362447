#include "frontend/online_watch.h"

#include <string>

#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "persist/online_replay.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/log.h"

namespace {

// Process-wide: the one fetch of an online game the program runs at a time;
// its thread must end before the program does, which its destructor sees to.
TOnlineReplayFetch fetch;
// Why the last fetch came to nothing, shown until the next one or the table changes.
std::string failure_line;

constexpr int32_t kLineY = 194;

bool AnyRowWatchable() {
  bool any = false;
  lstOnlineScores.ForEach([&](TScores* row) { any = any || row->Watchable(); });
  return any;
}

}  // namespace

bool OnlineRowShown(int32_t row) {
  const TScores* score = onlineScores.Row(row);
  return score && score->Watchable();
}

void WatchOnlineRow(int32_t row) {
  const TScores* score = onlineScores.Row(row);
  if (!score || !score->Watchable()) return;
  failure_line.clear();
  fetch.Start(onlineScores, *score);
  StepOnlineWatch();  // a game kept from before plays at once
}

void StepOnlineWatch() {
  switch (fetch.Poll()) {
    case TOnlineReplayFetch::State::kReady:
      fetch.Cancel();  // done with: the next step does nothing
      returnToHighscores = kBackFromWatching;
      returnToOnlineScores = 1;
      if (!frontendHooks.watch_replay || !frontendHooks.watch_replay(fetch.path())) {
        returnToHighscores = returnToOnlineScores = 0;
        failure_line = "The game cannot be played";
      }
      break;
    case TOnlineReplayFetch::State::kFailed:
      failure_line = "The game cannot be watched: " + fetch.failure();
      fetch.Cancel();
      break;
    default:
      break;
  }
}

bool CancelOnlineWatch() {
  if (fetch.state() != TOnlineReplayFetch::State::kRunning) return false;
  fetch.Cancel();
  failure_line = "Download cancelled";
  return true;
}

void ForgetOnlineWatch() {
  fetch.Cancel();
  failure_line.clear();
}

void DrawOnlineWatchLine() {
  SetImageFont(fntSmall);
  if (fetch.state() == TOnlineReplayFetch::State::kRunning) {
    SetColor(255, 255, 127);
    DrawTextCentred("Downloading the game... (Escape cancels)", 160, kLineY, 1);
  } else if (!failure_line.empty()) {
    SetColor(255, 95, 95);
    DrawTextCentred(FitText(failure_line, 316), 160, kLineY, 1);
  } else if (AnyRowWatchable()) {
    SetColor(127, 127, 127);
    DrawTextCentred("Click or select an entry to watch its game", 160, kLineY, 1);
  }
  SetImageFont(fntMain);
}
