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

// Process-wide: the failure on show, its line and when it goes.
int shown_serial = 0;
int32_t shown_until = 0;
std::string shown_line;

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

// A new failure starts its notice; its line is made once, here, so the
// frames that show it (and all those after) copy nothing.
void TakeUpNewFailure() {
  const int serial = FailedSaveSerial();
  if (serial == shown_serial) return;
  const FailedSave failed = LastFailedSave();
  shown_serial = failed.serial;
  shown_until = MilliSecs() + kNoticeMillis;
  shown_line.clear();
  if (failed.serial == 0) return;
  ImageFont* font = GetImageFont();
  SetImageFont(fntSmall);
  shown_line = Fitted("Could not save the " + failed.what + " in ", failed.path);
  SetImageFont(font);
}

bool NoticeUp() {
  TakeUpNewFailure();
  return !shown_line.empty() && MilliSecs() < shown_until;
}

}  // namespace

std::string SaveNoticeText() { return NoticeUp() ? shown_line : std::string(); }

void DrawSaveNotice() {
  if (!NoticeUp()) return;  // the usual case: nothing to set up
  ImageFont* font = GetImageFont();
  SetImageFont(fntSmall);
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
  const float x = float((kScreenWidth - TextWidth(shown_line)) / 2), y = float(kScreenHeight - 22);
  SetColor(0, 0, 0);
  DrawText(shown_line, x + 1, y + 1);
  SetColor(255, 96, 64);
  DrawText(shown_line, x, y);
  SetColor(r, g, b);
  SetAlpha(alpha);
  SetBlend(blend);
  SetScale(sx, sy);
  SetImageFont(font);
}
