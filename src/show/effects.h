#pragma once
// The sparks, splats, flashes and pop-ups of play: what the show makes of
// the rules' events. All of them draw from the show's random generator.
#include <cstdint>

#include "game/game_events.h"

void ChainPartBurst(int32_t x, int32_t y, uint8_t family);
void SnailSplat(const game_event::SnailSplat& snail);
void SpiderSplat(const game_event::SpiderSplat& spider);
void SaucerBurst(const game_event::SaucerBurst& saucer);
void SaucerLight(float x, float y, float xvel);
void WardenTrail(float x, float y);
void ShipBurst(int32_t x, int32_t y);
void BulletTrail(int32_t x, int32_t y, uint8_t level);
// Drawn at once, over the frame's picture to come.
void MuzzleFlash(int32_t x, int32_t y);
void MineBlast(int32_t cell);
void ShroomChips(uint16_t x, uint16_t y, uint8_t family, uint8_t code);
void ShroomShotDown(uint16_t x, uint16_t y, uint8_t family, bool poison);
void ShroomFlash(int32_t x, int32_t y, int32_t frame);
void MineAppears(int32_t x, int32_t y);
void ExplosionStarts(int32_t x, int32_t y);
// Now and then an after-blast somewhere in the fire, with its bang.
void ExplosionBurns(int32_t x, int32_t y);
