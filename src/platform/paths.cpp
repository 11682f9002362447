#include "platform/paths.h"

#include <fcntl.h>
#include <pthread.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/log.h"
#include "platform/stream.h"

#ifndef SKITTERWORM_INSTALL_DATA_DIR
#define SKITTERWORM_INSTALL_DATA_DIR "/usr/local/share/skitterworm"
#endif

namespace {
// Process-wide: where this run reads its assets and keeps the player's files.
std::string data_dir = ".";
bool data_dir_installed = false;
std::string files_dir = ".";
std::string screenshots_dir = ".";
std::string folders_tried;
// The lock on the files folder, held open for the life of the process.
int lock_fd = -1;

constexpr const char* kDataFileNames[] = {"skitterworm.cfg", "skitterworm.hi", "skitterworm.stats"};
constexpr const char* kProgram = "skitterworm";

// A folder counts as the game's data only when it holds what the first picture
// needs: the fonts and the images.
bool HoldsAssets(const std::string& dir) {
  for (const char* sub : {"/graphics", "/fonts"})
    if (FileType(dir + sub) != FileKind::kDirectory) return false;
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool SameFolder(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool HoldsDataFiles(const std::string& dir) {
  for (const char* name : kDataFileNames)
    if (FileType(dir + "/" + name) != FileKind::kNone) return true;
  return false;
}

// Creates the folder and any missing parents (private to the player, as the
// desktop's data folders are); true when it exists afterwards.
bool MakeFolders(const std::string& dir) {
  for (size_t at = 1; at <= dir.size(); ++at) {
    if (at < dir.size() && dir[at] != '/') continue;
    const std::string part = dir.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return FileType(dir) == FileKind::kDirectory;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "";
}

// A symbolic link moves as a link to the same file: a relative one would point
// elsewhere from its new folder, so it is made absolute. symlink() fails when
// the name is taken, so nothing is replaced.
bool MoveLink(const std::string& from, const std::string& to) {
  char buffer[4096];
  const ssize_t n = ::readlink(from.c_str(), buffer, sizeof buffer - 1);
  if (n <= 0) return false;
  std::string target(buffer, size_t(n));
  if (target[0] != '/') {
    const std::string folder = FolderOf(from);
    target = (folder[0] == '/' ? folder : CurrentDir() + "/" + folder) + "/" + target;
  }
  if (::symlink(target.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

// Moves one file without ever replacing one at the target: a hard link fails
// when the name is taken; across file systems the copy is made under a name of
// its own and linked into place the same way.
bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
  struct stat st;
  if (::lstat(from.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return MoveLink(from, to);
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EXDEV && errno != EPERM) return false;
  const std::string temp = to + ".moving";
  {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    out.flush();
    if (!in || !out) {
      ::unlink(temp.c_str());
      return false;
    }
  }
  const bool placed = ::link(temp.c_str(), to.c_str()) == 0;
  ::unlink(temp.c_str());
  if (placed) ::unlink(from.c_str());
  return placed;
}
}  // namespace

bool FindDataDir(const std::string& override_dir, const std::string& executable_path) {
  folders_tried.clear();
  data_dir_installed = false;
  if (!override_dir.empty()) {
    folders_tried = override_dir;
    if (!HoldsAssets(override_dir)) return false;
    SetDataDir(override_dir);
    return true;
  }
  // The installed layout is tried relative to the executable too, so an
  // install moved to another prefix still finds its data.
  const std::string beside = FolderOf(executable_path);
  const std::string candidates[] = {".", beside, beside + "/../share/skitterworm", SKITTERWORM_INSTALL_DATA_DIR};
  for (int i = 0; i < 4; ++i) {
    folders_tried += (i ? ", " : "") + candidates[i];
    if (HoldsAssets(candidates[i])) {
      SetDataDir(candidates[i]);
      data_dir_installed = i >= 2;
      return true;
    }
  }
  return false;
}

const std::string& DataFoldersTried() { return folders_tried; }

void SetDataDir(const std::string& dir) {
  data_dir = dir.empty() ? "." : dir;
  DebugLog("Assets are read from " + data_dir);
}

const std::string& DataDir() { return data_dir; }
bool DataDirIsInstalled() { return data_dir_installed; }

std::string AssetPath(const std::string& relative) {
  if (data_dir == ".") return relative;
  return data_dir + "/" + relative;
}

FilesDirChoice ChooseFilesDir(const FilesDirFacts& facts) {
  if (!facts.data_dir_option.empty()) return {facts.data_dir_option, facts.data_dir_option, false};
  // Files beside the game where they already are: a portable copy, or the
  // player's own choice of folder; the home folder itself is never one.
  const bool desktop = facts.installed && (facts.working_dir_is_home || !facts.working_dir_has_files);
  if (!desktop) return {".", ".", false};
  const bool xdg_usable = !facts.xdg_data_home.empty() && facts.xdg_data_home[0] == '/';
  const std::string base = xdg_usable ? facts.xdg_data_home : facts.home + "/.local/share";
  const std::string dir = base + "/skitterworm";
  return {dir, dir + "/screenshots", true};
}

bool SettleFilesDir(const std::string& data_dir_option) {
  FilesDirFacts facts;
  facts.data_dir_option = data_dir_option;
  facts.installed = data_dir_installed;
  facts.home = HomeFolder();
  facts.working_dir_has_files = HoldsDataFiles(".");
  facts.working_dir_is_home = !facts.home.empty() && SameFolder(".", facts.home);
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) facts.xdg_data_home = xdg;
  const FilesDirChoice choice = ChooseFilesDir(facts);
  if (choice.from_desktop && facts.home.empty()) {
    std::fprintf(stderr, "%s: no home folder to keep the settings and highscores in\n", kProgram);
    return false;
  }
  if (choice.dir != "." && !MakeFolders(choice.dir)) {
    std::fprintf(stderr, "%s: cannot create the folder %s for the settings and highscores: %s\n", kProgram,
                 choice.dir.c_str(), std::strerror(errno));
    return false;
  }
  files_dir = choice.dir;
  screenshots_dir = choice.screenshots_dir;
  DebugLog("Settings, highscores and statistics are kept in " + files_dir);
  if (choice.from_desktop && HoldsDataFiles(facts.home)) {
    const int moved = MoveFilesOver(facts.home, files_dir, kDataFileNames, 3);
    if (moved > 0)
      DebugLog("Moved " + std::to_string(moved) + " file(s) of an earlier version from " + facts.home + " to " +
               files_dir);
  }
  return true;
}

const std::string& FilesDir() { return files_dir; }

std::string DataFilePath(const std::string& name) { return files_dir == "." ? name : files_dir + "/" + name; }

std::string ScreenshotDir() {
  if (screenshots_dir != "." && !MakeFolders(screenshots_dir))
    DebugLog("Cannot create the screenshot folder " + screenshots_dir);
  return screenshots_dir;
}

namespace {
// A symbolic link of another user, which no save of the game follows.
bool ForeignLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_uid != ::geteuid();
}
}  // namespace

bool SettlePlayersFolder(const std::string& dir) {
  if (ForeignLink(dir)) {
    DebugLog("The link " + dir + " belongs to another user, so it is replaced by a folder, not followed");
    if (::unlink(dir.c_str()) != 0) return false;
  }
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return FileType(dir) == FileKind::kDirectory;
}

int MoveFilesOver(const std::string& from, const std::string& to, const char* const* names, int count) {
  int moved = 0;
  for (int i = 0; i < count; ++i) {
    const std::string source = from + "/" + names[i], target = to + "/" + names[i];
    if (FileType(source) != FileKind::kFile) continue;
    if (MoveWithoutReplacing(source, target)) {
      DebugLog("Moved " + source + " to " + target);
      ++moved;
      // The game will read it from here: a file it cannot read is the player's to mend.
      if (const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0)
        ::close(fd);
      else
        Warn("Moved " + source + " to " + target + ", but it cannot be read there (" + std::strerror(errno) + ")");
    } else {
      DebugLog("Left " + source + " where it is: " +
               (FileType(target) != FileKind::kNone ? target + " exists already" : std::string(std::strerror(errno))));
    }
  }
  return moved;
}

namespace {
// A forked child (the display library's message box) is not the game: it lets
// go of the lock, so it can never keep the next start from running.
void ReleaseLockInChild() {
  if (lock_fd >= 0) ::close(lock_fd);
  lock_fd = -1;
}
}  // namespace

bool LockFilesDir() {
  if (lock_fd >= 0) return true;
  const std::string path = DataFilePath("skitterworm.lock");
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    // A folder that cannot hold a lock (read-only) cannot hold the saves either;
    // the saves report their own failures.
    DebugLog("Cannot open " + path + ": " + std::strerror(errno));
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  lock_fd = fd;
  static const bool registered = pthread_atfork(nullptr, nullptr, ReleaseLockInChild) == 0;
  (void)registered;
  return true;
}

namespace {
// A temporary name a save of this game gives its file: the file's own name
// with ".saving-" and six random letters or digits, or the screenshots'
// ".skitterworm-new-" with six; a move across file systems adds ".moving",
// and the game's first versions saved through the file's name and ".tmp".
// In the replays folder, which holds nothing but the game's own files, any
// name will do; beside the player's files only the data files' own.
bool IsOwnTempName(const std::string& name, bool any_base) {
  auto random_tail = [&](size_t from) {
    if (name.size() != from + 6) return false;
    for (size_t i = from; i < name.size(); ++i)
      if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
  };
  if (name.rfind(".skitterworm-new-", 0) == 0) return random_tail(17);
  const size_t saving = name.size() >= 14 ? name.size() - 14 : std::string::npos;
  if (saving == std::string::npos || name.compare(saving, 8, kSavingSuffix) != 0 || !random_tail(saving + 8)) {
    for (const char* file : kDataFileNames)
      if (name == std::string(file) + ".moving" || name == std::string(file) + ".tmp") return true;
    return false;
  }
  if (any_base) return true;
  for (const char* file : kDataFileNames)
    if (name.compare(0, saving, file) == 0 && std::strlen(file) == saving) return true;
  return false;
}
}  // namespace

int RemoveLeftoverTempFiles() {
  int removed = 0;
  const std::string replays = DataFilePath("replays");
  const bool screenshots_apart = !SameFolder(screenshots_dir, files_dir);
  for (const std::string& dir : {files_dir, screenshots_apart ? screenshots_dir : std::string(), replays}) {
    if (dir.empty() || (dir == replays && ForeignLink(replays))) continue;
    for (const std::string& name : ReadDirectory(dir)) {
      const std::string path = dir + "/" + name;
      struct stat st;
      if (!IsOwnTempName(name, dir == replays) || ::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      if (::unlink(path.c_str()) == 0) {
        DebugLog("Removed " + path + ", left over from a save that never finished");
        ++removed;
      }
    }
  }
  return removed;
}

std::string FilesDirInFull() {
  if (!files_dir.empty() && files_dir[0] == '/') return files_dir;
  return files_dir == "." ? CurrentDir() : CurrentDir() + "/" + files_dir;
}
