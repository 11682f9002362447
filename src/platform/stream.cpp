#include "platform/stream.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "platform/log.h"

std::unique_ptr<Stream> Stream::OpenRead(const std::string& path, std::string* why) {
  // A pipe would hold the open until someone writes to it, and a device
  // might never end: the file is opened without waiting, and only a regular
  // file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd);
    if (why) *why = "not a regular file";
    errno = EINVAL;
    return nullptr;
  }
  FILE* f = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
  if (!f) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (why) *why = std::string("cannot be opened (") + std::strerror(error) + ")";
    errno = error;
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return std::unique_ptr<Stream>(new Stream(f));
}

std::unique_ptr<Stream> Stream::OpenWrite(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return nullptr;
  return std::unique_ptr<Stream>(new Stream(f));
}

Stream::~Stream() { Close(); }

bool Stream::Close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

bool Stream::ReadBytes(void* out, size_t n) {
  if (!file_ || eof_) {
    std::memset(out, 0, n);
    eof_ = true;
    return false;
  }
  const size_t got = std::fread(out, 1, n, file_);
  if (got < n) {
    if (std::ferror(file_)) read_error_ = true;
    // A value cut off by the end of the file reads as 0, never as half a value.
    std::memset(out, 0, n);
    eof_ = true;
    return false;
  }
  return true;
}

size_t Stream::ReadSome(void* out, size_t n) {
  if (!file_ || eof_) return 0;
  const size_t got = std::fread(out, 1, n, file_);
  if (got < n) {
    if (std::ferror(file_)) read_error_ = true;
    eof_ = true;
  }
  return got;
}

bool ReadRegularFile(const std::string& path, size_t max_bytes, std::vector<uint8_t>& out, std::string* why) {
  out.clear();
  const std::unique_ptr<Stream> in = Stream::OpenRead(path, why);
  if (!in) return false;
  uint8_t buffer[65536];
  while (!in->eof()) {
    const size_t n = in->ReadSome(buffer, sizeof buffer);
    if (out.size() + n > max_bytes) {
      if (why) *why = "larger than " + std::to_string(max_bytes) + " bytes";
      return false;
    }
    out.insert(out.end(), buffer, buffer + n);
  }
  if (in->read_error() && why) *why = "could not be read";
  return !in->read_error();
}

uint8_t Stream::ReadByte() {
  uint8_t b[1];
  ReadBytes(b, 1);
  return b[0];
}

uint16_t Stream::ReadShort() {
  uint8_t b[2];
  ReadBytes(b, 2);
  return uint16_t(b[0] | (b[1] << 8));
}

int32_t Stream::ReadInt() {
  uint8_t b[4];
  ReadBytes(b, 4);
  return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

float Stream::ReadFloat() {
  const int32_t bits = ReadInt();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string Stream::ReadLine(size_t max_bytes) {
  std::string line;
  overlong_ = false;
  if (!file_) {
    eof_ = true;
    return line;
  }
  for (;;) {
    // Up to two bytes past the limit: a CR before the LF is not counted.
    if (line.size() > max_bytes + 1) {
      overlong_ = true;
      break;
    }
    const int c = std::fgetc(file_);
    if (c == EOF) {
      if (std::ferror(file_)) read_error_ = true;
      eof_ = true;
      break;
    }
    if (c == '\n') break;
    line.push_back(char(c));
  }
  if (!overlong_ && !line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > max_bytes) overlong_ = true;
  return line;
}

void Stream::WriteBytes(const void* data, size_t n) {
  if (!file_ || std::fwrite(data, 1, n, file_) != n) failed_ = true;
}

void Stream::WriteByte(uint8_t v) { WriteBytes(&v, 1); }

void Stream::WriteShort(uint16_t v) {
  const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  WriteBytes(b, 2);
}

void Stream::WriteInt(int32_t value) {
  const uint32_t v = uint32_t(value);
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  WriteBytes(b, 4);
}

void Stream::WriteFloat(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteInt(bits);
}

void Stream::WriteLine(const std::string& line) {
  WriteBytes(line.data(), line.size());
  WriteBytes("\r\n", 2);
}

FileKind FileType(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return FileKind::kNone;
  if (S_ISDIR(st.st_mode)) return FileKind::kDirectory;
  if (S_ISREG(st.st_mode)) return FileKind::kFile;
  return FileKind::kNone;
}

bool DeleteFile(const std::string& path) {
  ::unlink(path.c_str());
  return FileType(path) == FileKind::kNone;
}

std::vector<std::string> ReadDirectory(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

std::string CurrentDir() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

std::string ExtractExt(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos) return {};
  if (path.find('/', dot) != std::string::npos) return {};
  return path.substr(dot + 1);
}

namespace {

std::set<std::string>& UntouchedFiles() {
  // Process-wide: files this run found unreadable and so must never overwrite.
  static std::set<std::string> paths;
  return paths;
}

// Where a save really puts the file. A symbolic link the player owns is
// followed (to a target that may not exist yet), so a link into a synced
// folder stays a link; a link owned by anyone else is not (the rule the system
// applies to links in shared folders): the save replaces the link itself, so
// nobody can point the game's save at a file of their choosing. Empty when the
// save must not go ahead, with the reason in `refusal`: the way leads to
// something that is not a regular file (a device, a pipe, a folder).
std::string WriteTarget(const std::string& path, std::string& refusal) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0) return target;  // a new file
    if (S_ISREG(st.st_mode)) return target;
    if (!S_ISLNK(st.st_mode)) {
      refusal = target + " is not a regular file";
      return {};
    }
    if (st.st_uid != ::geteuid()) {
      DebugLog("Saving " + path + ": the link " + target + " belongs to another user, so it is replaced, not followed");
      return target;
    }
    char buffer[4096];
    const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) return target;
    std::string next(buffer, size_t(n));
    if (next[0] != '/') {
      const size_t slash = target.find_last_of('/');
      if (slash != std::string::npos) next = target.substr(0, slash + 1) + next;
    }
    target = next;
  }
  refusal = path + " leads through too many links";
  return {};
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new data file gets: the old file's, or what the umask allows (a
// link being replaced lends nothing).
mode_t NewFileMode(const std::string& target) {
  struct stat st;
  if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

std::recursive_timed_mutex& SaveMutex() {
  // Process-wide: the one lock every save of the player's files takes.
  static std::recursive_timed_mutex mutex;
  return mutex;
}

// Process-wide: the last failed save, written by whichever thread saved.
std::mutex failed_save_mutex;
FailedSave failed_save;

}  // namespace

void ReportFailedSave(const std::string& what, const std::string& path) {
  Warn("The " + what + " could not be saved to " + path);
  std::lock_guard guard(failed_save_mutex);
  failed_save = {what, path, failed_save.serial + 1};
}

FailedSave LastFailedSave() {
  std::lock_guard guard(failed_save_mutex);
  return failed_save;
}

int FailedSaveSerial() {
  std::lock_guard guard(failed_save_mutex);
  return failed_save.serial;
}

void ClearFailedSaves() {
  std::lock_guard guard(failed_save_mutex);
  failed_save = {};
}

SaveLock HoldSaves() { return SaveLock(SaveMutex()); }

SaveLock HoldSaves(std::chrono::milliseconds wait) { return SaveLock(SaveMutex(), wait); }

void KeepFileUntouched(const std::string& path) { UntouchedFiles().insert(path); }

bool FileKeptUntouched(const std::string& path) { return UntouchedFiles().count(path) != 0; }

void ReportUnreadableFile(const std::string& what, const std::string& path) {
  const int error = errno;
  if (error == ENOENT) return;  // missing, not unreadable: the first save creates it
  Warn(what + " " + path + " cannot be read (" + std::strerror(error) +
       "); defaults are used and the file is left as it is");
  KeepFileUntouched(path);
}

bool WriteFileAtomically(const std::string& path, void (*write)(Stream&, const void*), const void* context) {
  const SaveLock hold = HoldSaves();
  if (FileKeptUntouched(path)) {
    DebugLog("Not saving " + path + ": it could not be read, so it is left as it is");
    return false;
  }
  std::string refusal;
  const std::string target = WriteTarget(path, refusal);
  if (target.empty()) {
    Warn("Not saving " + path + ": " + refusal);
    return false;
  }
  const std::string folder = FolderOf(target);
  std::string temp = target + kSavingSuffix + "XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    DebugLog("Cannot write a temporary file beside " + target + ": " + std::strerror(errno));
    return false;
  }
  ::fchmod(fd, NewFileMode(target));
  FILE* f = ::fdopen(fd, "wb");
  if (!f) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  bool ok;
  {
    Stream stream(f);
    write(stream, context);
    // Make the bytes durable before the rename makes them the real file.
    if (std::fflush(f) != 0 || ::fsync(fd) != 0) stream.failed_ = true;
    ok = stream.Close();
  }
  if (!ok || std::rename(temp.c_str(), target.c_str()) != 0) {
    DebugLog("Saving " + target + " failed; the previous file is kept");
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself lives in the folder: sync it so the new name survives.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

std::string WriteNewFile(const std::function<std::string(int)>& names, int first,
                         const std::function<bool(const std::string& temp)>& write) {
  std::string name = names(first);
  std::string temp = FolderOf(name) + "/.skitterworm-new-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    DebugLog("Cannot write a temporary file for " + name + ": " + std::strerror(errno));
    return {};
  }
  ::fchmod(fd, NewFileMode(name));
  ::close(fd);
  std::string placed;
  if (write(temp)) {
    // link() never replaces: a taken name fails with EEXIST and the next is tried.
    for (int n = first; n < first + 100000; ++n) {
      name = names(n);
      struct stat st;
      if (::lstat(name.c_str(), &st) == 0) continue;
      if (::link(temp.c_str(), name.c_str()) == 0) {
        placed = name;
        break;
      }
      if (errno != EEXIST) {
        DebugLog("Cannot name " + name + ": " + std::strerror(errno));
        break;
      }
    }
  }
  ::unlink(temp.c_str());
  return placed;
}
