#include "frontend/clickable_text.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/mouse.h"
#include "frontend/frontend.h"
#include "frontend/menu_state.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "show/particle.h"
#include "show/show.h"

TClickableText* TClickableText::Create(int32_t id, const std::string& txt, int32_t x, int32_t y, const std::string& clr,
                                       const std::string& clr_over, uint8_t align) {
  auto* text = new TClickableText;
  text->id = id;
  text->txt = txt;
  text->x = x;
  text->y = y;
  text->clr = clr;
  text->clr_over = clr_over;
  text->align = align;
  text->CalculateDimensions();
  lstClickables.Add(text);
  return text;
}

void TClickableText::Die() { lstClickables.Remove(this); }

void TClickableText::CalculateDimensions() {
  SetImageFont(fntMain);
  w = TextWidth(txt);
  h = TextHeight(txt);
}

int32_t TClickableText::Left() const {
  switch (align) {
    case 0:
      return x;
    case 1:
      return x - w;
    default:
      return x - w / 2;
  }
}

uint8_t TClickableText::IsMouseOver() const {
  if (align > 2) return 0;
  return RectsOverlap(mouse.x, mouse.y, 1, 1, Left(), y, w, h);
}

void TClickableText::Update() {
  if (IsMouseOver()) mouse.over = id;
}

void TClickableText::Draw() const {
  if (align > 2) return;
  const int32_t left = Left();
  if (id == menuSelected) {
    const int32_t centre = align == 0 ? x + w / 2 : align == 1 ? x - w / 2 : x;
    CreateMenuSparks(uint16_t(centre), uint16_t(y + h), -2, 1, 1.0f);
    SetColorHex(clr_over);
  } else {
    SetColorHex(clr);
  }
  DrawTextShadow(txt, left, y);
}
