#include "frontend/option_set.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/mouse.h"
#include "frontend/frontend.h"
#include "frontend/menu_state.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "show/particle.h"
#include "show/show.h"

TOptionSet* TOptionSet::Create(uint8_t id, const std::string& head_txt, uint16_t x, uint16_t y, ImageFont* f,
                               uint16_t opt_gap) {
  auto* set = new TOptionSet;
  set->id = id;
  set->x = x;
  set->y = y;
  set->f = f;
  set->opt_gap = opt_gap;
  set->SetHeader(head_txt);
  lstOptionSets.Add(set);
  return set;
}

void TOptionSet::Die() { lstOptionSets.Remove(this); }

void TOptionSet::SetHeader(const std::string& text) {
  SetImageFont(f);
  head_txt = text;
  head_w = uint16_t(TextWidth(head_txt));
  head_h = uint16_t(TextHeight(head_txt));
}

void TOptionSet::AddOption(const std::string& txt) {
  SetImageFont(f);
  opt_txt.push_back(txt);
  opt_click.push_back(0);
  opt_w.push_back(uint16_t(TextWidth(txt)));
  opt_h.push_back(uint16_t(TextHeight(txt)));
  CalcOptionOffsets();
}

void TOptionSet::ClearOptions() {
  opt_txt.clear();
  opt_pos.clear();
  opt_click.clear();
  opt_w.clear();
  opt_h.clear();
}

void TOptionSet::CalcOptionOffsets() {
  opt_pos.resize(opt_txt.size());
  uint16_t at = 0;
  for (size_t i = 0; i < opt_pos.size(); ++i) {
    opt_pos[i] = at;
    at = uint16_t(at + opt_w[i] + opt_gap);
  }
}

namespace {
bool PointerOver(int32_t x, int32_t y, int32_t w, int32_t h) {
  return RectsOverlap(mouse.x, mouse.y, 1, 1, x, y, w, h);
}
}  // namespace

void TOptionSet::UpdateMouseOverHeader() {
  if (keyConfigStep == 0 && PointerOver(x, y, head_w, head_h)) {
    mouse.over = id;
    if (mouse.m1 == 1) head_click = 1;
  }
}

void TOptionSet::UpdateMouseOverOptions() {
  opt_over = 255;
  if (opt_txt.empty() || keyConfigStep != 0) return;
  for (uint8_t i = 0; i < opt_txt.size(); ++i) {
    opt_click[i] = 0;
    if (PointerOver(x + opt_offx + opt_pos[i], y + opt_offy, opt_w[i], opt_h[i])) {
      opt_over = i;
      if (mouse.m1 == 1) {
        opt_active = i;
        opt_click[i] = 1;
      }
    }
  }
}

void TOptionSet::Update() {
  UpdateMouseOverHeader();
  UpdateMouseOverOptions();
}

void TOptionSet::Draw() const {
  SetImageFont(f);
  SetBlend(Blend::kAlpha);
  SetColor(0, 0, 0);
  SetAlpha(0.75f * fadeText.value);
  DrawText(head_txt, float(x + 1), float(y + 1));
  for (size_t i = 0; i < opt_txt.size(); ++i)
    DrawText(opt_txt[i], float(x + 1 + opt_offx + opt_pos[i]), float(y + 1 + opt_offy));
  SetAlpha(fadeText.value);
  if (id == menuSelected) {
    SetColorHex(head_ca);
    CreateMenuSparks(uint16_t(x - 3), uint16_t(y + 2 + head_h / 2), -2, 5, 0.5f);
  } else {
    SetColorHex(head_cn);
  }
  DrawText(head_txt, float(x), float(y));
  for (size_t i = 0; i < opt_txt.size(); ++i) {
    if (int32_t(i) == opt_active)
      SetColorHex(opt_ca);
    else if (i == opt_over)
      SetColorHex(opt_co);
    else
      SetColorHex(opt_cn);
    DrawText(opt_txt[i], float(x + opt_offx + opt_pos[i]), float(y + opt_offy));
  }
  SetBlend(Blend::kLight);
}

TOptionSet* FindOptionSet(uint16_t id) {
  TOptionSet* found = nullptr;
  lstOptionSets.ForEach([&](TOptionSet* set) {
    if (set->id == id) found = set;
  });
  return found;
}
