#pragma once
#include <cstdint>
#include <string>

struct World;

// The mushroom grid: 32 columns by 22 rows of 9-pixel cells. Chain creatures
// wind through it, saucers poison it, the player shoots it down. Every moving
// object converts between its pixel position and a cell of this grid.
//
// Cell codes in `data`:
//   255      empty
//   0..3     mushroom, the code is its damage (3 = one hit from destruction)
//   4..7     poison mushroom, damage = code - 4
//   10       scattermine
// Damage only grows; a mushroom at 3 or a poison mushroom at 7 that takes one
// more step is destroyed (255, strength 0).

constexpr int kFieldCols = 32;
constexpr int kFieldRows = 22;
constexpr int kFieldCells = kFieldCols * kFieldRows;  // 704, index = row * 32 + col
constexpr int kFieldRandomCells = 512;                // rows 0..15: where random placement may land
constexpr int kCellPitch = 9;
constexpr int kFieldLeft = 17;  // x of column 0's cell origin
constexpr int kFieldTop = 16;   // y of row 0's cell origin

constexpr uint8_t CELL_EMPTY = 255;
constexpr uint8_t CELL_POISON = 4;  // added to a mushroom's code when a saucer poisons it
constexpr uint8_t CELL_SCATTERMINE = 10;
constexpr uint8_t kFreshStrength = 15;  // chain bumps a fresh mushroom takes before its next damage step

// Cell origin (top-left of the 8x8 cell image) in logical pixels.
constexpr int32_t CellX(int32_t col) { return kFieldLeft + kCellPitch * col; }
constexpr int32_t CellY(int32_t row) { return kFieldTop + kCellPitch * row; }
constexpr int32_t CellIndex(int32_t col, int32_t row) { return row * kFieldCols + col; }
// True for a mushroom or poison mushroom of any damage.
constexpr bool IsShroom(uint8_t code) { return code <= 7; }
constexpr bool IsPoison(uint8_t code) { return code >= 4 && code <= 7; }

class TPlayfield {
 public:
  uint8_t style = 0;                       // mushroom graphic style of this stage, 0..7
  uint8_t data[kFieldCells + 1] = {};      // cell codes; the last entry is a spare no one addresses
  uint8_t strength[kFieldCells + 1] = {};  // bumps left before the next damage step (15 fresh)
  std::string clr[kFieldCells];            // RRGGBB colour each cell's mushroom is drawn in
  uint8_t c[kFieldCells] = {};             // colour family (1..11) the cell's colour came from

  // A new grid starts empty (every cell 255) in white, style 0.
  explicit TPlayfield(World& world);
  World& world;  // the game it is part of

  // Every method returns 0, which no caller uses; the slots keep this order.
  int Flash();                       // a white flash particle on every mushroom (stage entry, tally)
  int Clear();                       // every cell empty, strength 0
  int Fill(uint16_t n);              // n + 1 mushrooms at random cells of rows 0..15
  int DropScattermines(uint16_t n);  // n mines at random cells of rows 0..15, never two in one cell
  int ChangeColor();                 // a new stage colour family, a shade of it per cell
  int ChangeStyle();                 // a new mushroom style, never the current one
  int HandlePoison();                // called after every new wave; poison needs nothing then
  int ClearPoison();                 // every poison mushroom back to a plain one, damage kept
  int SmartBomb(void (*award)(World& world, uint16_t points));  // clears mushrooms, awarding each one's points

  // Development aids, never called in play.
  int DebugFillColumn(uint8_t col);
};
