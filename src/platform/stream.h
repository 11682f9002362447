#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A byte stream over a file with little-endian fixed-width values. Reads past
// the end return 0 and set eof(), so a truncated file can never be read beyond.
class Stream {
 public:
  // Only a regular file opens for reading (a pipe or a device never blocks
  // the game); nothing otherwise, with errno set and the reason in `why`.
  static std::unique_ptr<Stream> OpenRead(const std::string& path, std::string* why = nullptr);
  static std::unique_ptr<Stream> OpenWrite(const std::string& path);
  ~Stream();

  uint8_t ReadByte();
  uint16_t ReadShort();
  int32_t ReadInt();
  float ReadFloat();
  // Reads up to LF and drops a trailing CR. A line longer than max_bytes is
  // not read any further: what was read is returned and overlong() is set, so
  // a huge file with no line end is never taken in whole.
  std::string ReadLine(size_t max_bytes);
  // Reads exactly n bytes into out; false (and eof) when fewer remain.
  bool ReadBytes(void* out, size_t n);
  // Reads up to n bytes into out and returns how many; fewer means the end.
  size_t ReadSome(void* out, size_t n);

  void WriteByte(uint8_t v);
  void WriteShort(uint16_t v);
  void WriteInt(int32_t v);
  void WriteFloat(float v);
  void WriteLine(const std::string& line);  // appends CR LF
  void WriteBytes(const void* data, size_t n);

  bool eof() const { return eof_; }
  // The system reported an error while reading (not merely the end of the file).
  bool read_error() const { return read_error_; }
  // The last line read went on past its limit.
  bool overlong() const { return overlong_; }
  bool failed() const { return failed_; }  // a write or flush did not succeed
  // Flushes and closes; false when any write failed.
  bool Close();

 private:
  friend bool WriteFileAtomically(const std::string&, void (*)(Stream&, const void*), const void*);
  explicit Stream(FILE* f) : file_(f) {}
  FILE* file_;
  bool eof_ = false;
  bool failed_ = false;
  bool read_error_ = false;
  bool overlong_ = false;
};

// The whole of a regular file of at most max_bytes (fonts, images, sounds):
// false, with the reason in `why`, for a pipe, a device, a folder, a read
// error or a larger file, so no asset can hold up or flood the game.
bool ReadRegularFile(const std::string& path, size_t max_bytes, std::vector<uint8_t>& out, std::string* why = nullptr);

enum class FileKind { kNone = 0, kFile = 1, kDirectory = 2 };
FileKind FileType(const std::string& path);
bool DeleteFile(const std::string& path);
// Names of the entries of a folder in the order the system lists them, without
// "." and ".."; empty when the folder cannot be read.
std::vector<std::string> ReadDirectory(const std::string& path);
std::string CurrentDir();
// The text after the last "." that has no "/" after it, or empty.
std::string ExtractExt(const std::string& path);

// A data file that exists but could not be read holds the player's data all
// the same: the loader names it here, and no save replaces it for the rest of
// the run (the game goes on with defaults in memory). Paths are compared as
// given. Process-wide, since the rule binds every writer of that file.
void KeepFileUntouched(const std::string& path);
bool FileKeptUntouched(const std::string& path);
// The loaders' common verdict on a file that failed to open or read (errno
// still set by the failure): unless the file is simply missing, says so on
// stderr and in the debug log and keeps the file untouched.
void ReportUnreadableFile(const std::string& what, const std::string& path);

// A save of the player's files that failed: said on stderr and in the debug
// log, and kept for the screens to show (what: "highscores", "statistics",
// "settings"). `serial` counts the failures, so a new one can be told apart.
struct FailedSave {
  std::string what, path;
  int serial = 0;
};
void ReportFailedSave(const std::string& what, const std::string& path);
FailedSave LastFailedSave();
// The serial alone, for a look every frame that copies nothing.
int FailedSaveSerial();
// Forgets the failures on record, as at the start of a run.
void ClearFailedSaves();

// Writes a data file so that a crash or a full disk never leaves half a file:
// `write` fills a temporary file beside the target, which then replaces the
// target in one rename. A target that is a symbolic link is written through
// to the file it points to; the temporary name is unique (no other process can
// collide with it), and the folder is synced after the rename so the new name
// survives a power cut. Returns false (and the old file stays) on any failure,
// and for a file kept untouched.
bool WriteFileAtomically(const std::string& path, void (*write)(Stream&, const void*), const void* context);
// The temporary file's name: the target's, this, and six random letters or digits.
constexpr const char* kSavingSuffix = ".saving-";
template <typename F>
bool WriteFileAtomically(const std::string& path, F&& write) {
  auto thunk = [](Stream& s, const void* ctx) { (*static_cast<const std::remove_reference_t<F>*>(ctx))(s); };
  return WriteFileAtomically(path, thunk, &write);
}

// One save at a time. The stop watchdog's final save runs on its own thread
// and may come while the game itself saves (at a game's end, say): every
// write of a data file holds this lock, and a save of several files holds it
// across all of them (the lock may be taken again by its holder). The timed
// form gives up after `wait` (owns_lock() is false then).
using SaveLock = std::unique_lock<std::recursive_timed_mutex>;
SaveLock HoldSaves();
SaveLock HoldSaves(std::chrono::milliseconds wait);

// Puts a new file in place without ever replacing one: `write` fills a
// temporary file beside the first of `names` that is still free (it is given
// the temporary path and says whether the write succeeded), which then takes
// that name. A name taken in the meantime moves on to the next; a failed
// write leaves nothing behind. Returns the name used, or empty.
std::string WriteNewFile(const std::function<std::string(int)>& names, int first,
                         const std::function<bool(const std::string& temp)>& write);
