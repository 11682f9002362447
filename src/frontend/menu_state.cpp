#include "frontend/menu_state.h"

uint8_t menuTarget = 1;
uint8_t menuSelected = 1;
uint8_t menuQuit = 0;
uint8_t keyConfigStep = 0;
uint8_t showOnlineScores = 0;
int32_t onlineFetchResult = 0;
uint8_t returnToHighscores = 0;
uint8_t creditsClosing = 0;
uint16_t creditsClock = 0;
uint8_t joypadPresent = 0;
int32_t joyNavFrames = 0;
