#pragma once
#include <cstdint>
#include <string>

// The front end's only doors to the online scoreboard. Until the scoreboard
// client is part of the game they answer as an unreachable server does:
// nothing fetched, nothing submitted, so the menus show their error texts.

// Fetches `count` rows from `first` (blocks the frame loop while it runs);
// greater than 0 when rows arrived.
int32_t FetchOnlineScores(int32_t first, int32_t count);
// The fetched table with its top at y.
void DrawOnlineScores(uint8_t y);
// Posts a finished game; true when the server took it.
bool SubmitOnlineScore(int32_t score, const std::string& name, uint8_t stage, uint16_t wave);
