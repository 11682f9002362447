#include "show/field_picture.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "game/playfield.h"
#include "platform/graphics.h"
#include "platform/image.h"

// Column by column. The blend is set to alpha once, before the walk: a poison
// mushroom leaves it at light, so the mushrooms drawn after one in the same
// pass glow additively. On the black field the two look alike, and a seeded
// game draws the same picture either way.
void DrawPlayfield(const TPlayfield& field) {
  SetBlend(Blend::kAlpha);
  for (int col = 0; col < kFieldCols; ++col) {
    for (int row = 0; row < kFieldRows; ++row) {
      const int cell = CellIndex(col, row);
      const uint8_t code = field.data[cell];
      const float x = float(CellX(col)), y = float(CellY(row));
      if (code <= 3) {
        SetReadableColorHex(field.clr[cell]);
        DrawImage(gfx.shroom, x, y, code + 4 * field.style);
      } else if (IsPoison(code)) {
        const int frame = code - CELL_POISON + 4 * field.style;
        // A rainbow ghost pulsing between normal and double size about the
        // mushroom's centre, the mushroom itself, a faint poison glow, then
        // dark spots of rot: laid on by alpha, not added like the light, they
        // show on every colour the rainbow lends the mushroom, so a poisoned
        // mushroom never passes for a healthy one of the same hue.
        rainbowFast.Set();
        const float s = 1.0f + (sine.GetVal(-1) + 1.0f) / 2.0f;
        SetScale(s, s);
        SetBlend(Blend::kMask);
        const float o = (s - 1.0f) * 4.0f;
        DrawImage(gfx.shroom, float(CellX(col)) - o, float(CellY(row)) - o, frame);
        SetScale(1, 1);
        SetBlend(Blend::kLight);
        DrawImage(gfx.shroom, x, y, frame);
        SetAlpha(0.4f * fadeScene.value);
        DrawImage(gfx.shroom_poison, float(CellX(col) - 1), float(CellY(row) - 1), frame);
        SetAlpha(fadeScene.value);
        SetBlend(Blend::kAlpha);
        SetColor(255, 255, 255);
        DrawImage(gfx.shroom_spots, x, y, frame);
        SetBlend(Blend::kLight);
      } else if (code == CELL_SCATTERMINE) {
        SetColor(127, 127, 127);
        DrawImage(gfx.scattermine, x, y, 0);
        rainbowFast.Set();
        DrawImage(gfx.scattermine, x, y, 1);
      }
    }
  }
  // Leave the state every caller expects next.
  SetAlpha(fadeScene.value);
  SetScale(1, 1);
  SetBlend(Blend::kLight);
}
