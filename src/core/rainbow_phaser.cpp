#include "core/rainbow_phaser.h"

#include "core/readable_colour.h"

void TRainbowPhaser::Update(uint8_t steps) {
  for (int i = 0; i < steps; ++i) {
    if (r == 255 && b == 0 && g > 0) g -= speed;
    if (r == 255 && b < 255 && g == 0) b += speed;
    if (r > 0 && b == 255 && g == 0) r -= speed;
    if (r == 0 && b == 255 && g < 255) g += speed;
    if (r == 0 && b > 0 && g == 255) b -= speed;
    if (r < 255 && b == 0 && g == 255) r += speed;
  }
}

// Its pure blue is too dark for the texts it colours: it is drawn lifted.
void TRainbowPhaser::Set() const { SetReadableColor(r, g, b); }
