#pragma once
#include <cstdint>
#include <string_view>

#include "core/object_list.h"

struct Image;

// One row of the scrolling credits: a line of text or a picture, rising
// slowly from the bottom of the screen.
class TCreditsItem : public Listed {
 public:
  float x = 0, y = 0;
  float s = 1;  // scale
  float vel = 0;
  std::string_view txt;  // the text, or the image's path (the credits' own, which outlive the row)
  Image* img = nullptr;
  uint8_t align = 2;  // 0 left, 1 right, 2 centred on x, 3 (images) centred on x and y
  std::string_view clr;

  static TCreditsItem* Create(int32_t x, int32_t y, std::string_view txt, std::string_view clr, uint8_t align,
                              float vel, float s, uint8_t isImage);
  void Die();
  void Update();
  void Draw() const;
};

// The frame at which the credits end and fade back to the main menu.
constexpr uint16_t kCreditsEnd = 9800;

// Each frame on the credits screen: rows rise, the row due at creditsClock
// starts, the clock advances; at the end the credits go back to the menu.
void CreditsStep();
void CreditsDraw();
// The credits from their first row, every picture loaded before they roll so
// no frame of the roll waits on a picture file.
void StartCredits();
void RemoveCreditsItems();
// Gives a row that has left back to the front end's pool of rows.
void ReleaseCreditsItem(TCreditsItem* item);
