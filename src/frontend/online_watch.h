#pragma once
#include <cstdint>

// Watching the games of the world leaderboard from its table: a row with a
// game of this program's rules is chosen like a local entry (a click, or the
// cursor keys and Enter); its replay is fetched beside the menu, which keeps
// moving, and Escape gives the fetch up. A line under the table says what
// can be done, or how the fetch goes.

// The online row (from 0) is walked to only when its game can be watched.
bool OnlineRowShown(int32_t row);
// Fetches the row's game; it plays once it has come.
void WatchOnlineRow(int32_t row);
// Every frame of the highscores page: a game that has come plays now.
void StepOnlineWatch();
// Escape on the page: true when it gave a fetch up (the page stays).
bool CancelOnlineWatch();
// A fetch under way ends without a word, and the last one's line goes (the table is left or fetched anew).
void ForgetOnlineWatch();
// The hint or the fetch's state, one line under the online table.
void DrawOnlineWatchLine();
