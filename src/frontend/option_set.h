#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/object_list.h"

struct ImageFont;

// A header with a row of mutually exclusive options under it ("Sound
// Effects: On Off"). Clicking an option makes it active at once and flags the
// click for the options screen, which applies the setting.
class TOptionSet : public Listed {
 public:
  uint8_t vis = 0;
  uint16_t id = 0;
  uint16_t x = 0, y = 0;
  ImageFont* f = nullptr;
  std::string head_txt;
  uint16_t head_w = 0, head_h = 0;
  std::string head_cn = "999999", head_ca = "FFFFFF";
  uint8_t head_click = 0;
  int32_t opt_offx = 10, opt_offy = 10;
  uint16_t opt_gap = 0;
  std::string opt_cn = "003F7F", opt_co = "0099FF", opt_ca = "00FFFF";
  uint8_t opt_over = 255;
  int32_t opt_active = 0;
  std::vector<std::string> opt_txt;
  std::vector<uint16_t> opt_pos;
  std::vector<uint8_t> opt_click;
  std::vector<uint16_t> opt_w, opt_h;

  static TOptionSet* Create(uint8_t id, const std::string& head_txt, uint16_t x, uint16_t y, ImageFont* f,
                            uint16_t opt_gap);
  void Die();
  void SetHeader(const std::string& text);  // new header text, size measured again
  void AddOption(const std::string& txt);
  void ClearOptions();
  void CalcOptionOffsets();
  void UpdateMouseOverHeader();
  void UpdateMouseOverOptions();
  void Update();
  void Draw() const;
};

// The live option set with this id, or nullptr.
TOptionSet* FindOptionSet(uint16_t id);
