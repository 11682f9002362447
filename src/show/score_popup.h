#pragma once
#include <cstdint>

class TParticle;

// The yellow score that rises from a shot enemy, faster and faster, for
// 150 frames. Types 100..107 show the frames of the bonus-scores image:
// 100 = 25, 101 = 50, 102 = 75, 103 = 100, 105 = 200 points.
constexpr uint8_t POPUP_25 = 100, POPUP_50 = 101, POPUP_75 = 102, POPUP_100 = 103, POPUP_200 = 105;

TParticle* CreateScorePopup(float x, float y, uint8_t type);
