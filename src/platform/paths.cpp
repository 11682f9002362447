#include "platform/paths.h"

#include "platform/log.h"
#include "platform/stream.h"

#ifndef SKITTERWORM_INSTALL_DATA_DIR
#define SKITTERWORM_INSTALL_DATA_DIR "/usr/local/share/skitterworm"
#endif

namespace {
std::string data_dir = ".";

bool HoldsAssets(const std::string& dir) {
  for (const char* sub : {"/graphics", "/fonts", "/sound", "/music"})
    if (FileType(dir + sub) == FileKind::kDirectory) return true;
  return false;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
}  // namespace

void FindDataDir(const std::string& override_dir, const std::string& executable_path) {
  if (!override_dir.empty()) {
    SetDataDir(override_dir);
    return;
  }
  // The installed layout is tried relative to the executable too, so an
  // install moved to another prefix still finds its data.
  const std::string beside = FolderOf(executable_path);
  const std::string candidates[] = {".", beside, beside + "/../share/skitterworm", SKITTERWORM_INSTALL_DATA_DIR};
  for (const auto& dir : candidates) {
    if (HoldsAssets(dir)) {
      SetDataDir(dir);
      return;
    }
  }
  DebugLog("No asset folders found; images, fonts and sounds will be missing");
  SetDataDir(".");
}

void SetDataDir(const std::string& dir) {
  data_dir = dir.empty() ? "." : dir;
  DebugLog("Assets are read from " + data_dir);
}

const std::string& DataDir() { return data_dir; }

std::string AssetPath(const std::string& relative) {
  if (data_dir == ".") return relative;
  return data_dir + "/" + relative;
}
