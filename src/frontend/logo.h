#pragma once
#include <cstdint>
#include <string>

#include "core/object_list.h"

// One bouncing cell of the menu logo, mirrored below itself as a reflection.
// Each cell starts a little further into its bounce than the one before, so a
// wave runs along the logo and the skitterworm in it crawls.
class TLogoLetter : public Listed {
 public:
  uint16_t x = 0;
  float y = 0;
  float yvel = 0;
  uint16_t ymax = 18;
  uint8_t t = 0;  // cell of the logo strip
  std::string c;  // RRGGBB

  static TLogoLetter* Create(uint16_t x, uint16_t y, uint16_t frame, uint8_t presteps, uint8_t family);
  void Die();
  void Update();
  void Draw() const;
};

// The eleven cells of the logo, all in one random colour family.
void CreateLogo();
// Each frame: the cells bounce and draw, then the reflection fades them out;
// while a game is about to start, the band darkens with the fade.
void DrawLogo();
