#include "app/save_notice.h"

#include "core/fonts.h"
#include "core/screen_size.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/stream.h"

namespace {

// How long a notice stays up.
constexpr int32_t kNoticeMillis = 8000;
// What fits across the logical screen in the small font, with a margin.
constexpr int kMaxWidth = kScreenWidth - 8;

// Process-wide: the failure on show and when it goes.
int shown_serial = 0;
int32_t shown_until = 0;

// The folder of the file, cut from the left until the line fits.
std::string Fitted(const std::string& head, std::string path) {
  if (path.empty() || path[0] != '/') path = CurrentDir() + "/" + path;
  path.erase(path.find_last_of('/'));
  std::string line = head + path;
  while (TextWidth(line) > kMaxWidth && path.size() > 4) {
    path.erase(0, 1);
    line = head + "..." + path;
  }
  return line;
}

}  // namespace

std::string SaveNoticeText() {
  const FailedSave failed = LastFailedSave();
  if (failed.serial == 0) return {};
  if (failed.serial != shown_serial) {
    shown_serial = failed.serial;
    shown_until = MilliSecs() + kNoticeMillis;
  }
  if (MilliSecs() >= shown_until) return {};
  return Fitted("Could not save the " + failed.what + " in ", failed.path);
}

void DrawSaveNotice() {
  if (LastFailedSave().serial == 0) return;  // the usual case: nothing to set up
  ImageFont* font = GetImageFont();
  SetImageFont(fntSmall);
  const std::string text = SaveNoticeText();
  if (!text.empty()) {
    int r, g, b;
    GetColor(r, g, b);
    const float alpha = GetAlpha();
    const Blend blend = GetBlend();
    float sx, sy;
    GetScale(sx, sy);
    SetScale(1, 1);
    SetBlend(Blend::kAlpha);
    SetAlpha(1);
    // Drawn whole whatever the screen's own fades stand at.
    const float x = float((kScreenWidth - TextWidth(text)) / 2), y = float(kScreenHeight - 22);
    SetColor(0, 0, 0);
    DrawText(text, x + 1, y + 1);
    SetColor(255, 96, 64);
    DrawText(text, x, y);
    SetColor(r, g, b);
    SetAlpha(alpha);
    SetBlend(blend);
    SetScale(sx, sy);
  }
  SetImageFont(font);
}
