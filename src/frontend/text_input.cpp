#include "frontend/text_input.h"

#include "core/common.h"
#include "core/helpers.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"

void TTextInput::Update() {
  // Every character typed since the last frame is taken, so a name typed
  // quickly and ended with Enter in the same frame is stored whole.
  polledKey = 0;
  const int32_t now = MilliSecs();
  for (int32_t typed = GetChar() & 0xFF; typed > 0; typed = GetChar() & 0xFF) {
    polledKey = typed;
    if (typed == vk::kBackspace) {
      if (!txt.empty()) txt.pop_back();
    } else if (typed >= 32 && typed != '\\' && typed != '/') {
      // Enter, Escape, Tab and the other control codes end or edit the name
      // but are never part of it; slashes would break the online form.
      txt.push_back(char(typed));
    }
    if (TextWidth(txt) > kMaxNameWidth) txt.pop_back();
    // Kept in screen pixels: the cursor's gap is two of them at any scale.
    width = uint16_t(TextWidth(txt) * DrawScale());
    cursor = 1;
    time = now;
  }
  if (now > time + 400) {
    cursor = cursor ? 0 : 1;
    time = now;
  }
}

void TTextInput::Draw() const {
  SetColorHex("FFCC99");
  DrawTextCentred(txt, x, y, 1);
  if (!cursor) return;
  // The cursor stands two picture pixels right of the text.
  const float cx = float(x) + float(width / 2 + 2) / float(DrawScale());
  const float top = float(y - 5);
  DrawLine(cx, top, cx, top + float(TextHeight("A") - 1), false);
}
