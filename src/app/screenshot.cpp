#include "app/screenshot.h"

#include <sys/stat.h>

#include "core/screen_size.h"
#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/stream.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

std::string ScreenshotName(const std::string& folder, int number) {
  return (folder == "." ? std::string() : folder + "/") + "screenshot" + std::to_string(number) + ".png";
}

// The number the next screenshot starts looking from: one more than the PNG
// files already in the folder.
int ScreenshotCount(const std::string& folder) {
  int count = 0;
  // Every file ending exactly in "png" counts, screenshots or not; folders do not.
  for (const std::string& name : ReadDirectory(folder))
    if (ExtractExt(name) == "png" && FileType(folder + "/" + name) == FileKind::kFile) ++count;
  return count + 1;
}

bool NameTaken(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string NextScreenshotName(const std::string& folder) {
  // A name already taken (an older screenshot, anything) is never replaced.
  int number = ScreenshotCount(folder);
  while (NameTaken(ScreenshotName(folder, number))) ++number;
  return ScreenshotName(folder, number);
}

void SaveScreenshot() {
  // The whole picture as shown, in its screen pixels: 640x480 at scale 2.
  const auto pixmap = GrabPixmap(0, 0, kScreenWidth * DrawScale(), kScreenHeight * DrawScale());
  const std::string folder = ScreenshotDir();
  const std::string saved =
      WriteNewFile([&folder](int n) { return ScreenshotName(folder, n); }, ScreenshotCount(folder),
                   [&](const std::string& temp) { return SavePixmapPNG(*pixmap, temp, 5); });
  if (saved.empty()) DebugLog("The screenshot could not be saved");
  CreateScreenshotIcon();
}
