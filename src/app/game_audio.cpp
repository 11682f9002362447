#include "app/game_audio.h"

void PlayEffect(Effect) {}
void PlayBlaster(uint8_t) {}
void StartHums() {}
void SetSaucerHum(bool) {}
void SetShieldHum(bool) {}
void StopMusic() {}
void ShuffleGameMusic() {}
void PlayGameMusic() {}
void UpdateMusic() {}
void UpdateAudio() {}
