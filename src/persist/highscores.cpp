#include "persist/highscores.h"

#include "core/version.h"
#include "persist/records.h"
#include "platform/log.h"
#include "platform/stream.h"

THighscores::THighscores() {
  for (int i = 0; i < kEntries; ++i) {
    stage[i] = 1;
    wave[i] = 1;
  }
}

namespace {

// No name typed into the entry field is longer than this (the field holds 85
// pixels of text); a longer line in the file is cut when read.
constexpr size_t kMaxNameBytes = 64;
// A name line longer than this was not written by the game: the file is
// damaged from there on and is not read further.
constexpr size_t kMaxNameLineBytes = 1024;

// A name line ends at byte 10, at byte 0 or at the end of the file; every
// byte 13 is dropped. False for a line past all bounds.
bool ReadName(Stream& in, std::string& name) {
  name.clear();
  for (size_t length = 0; length <= kMaxNameLineBytes; ++length) {
    const uint8_t c = in.ReadByte();
    if (in.eof() || c == 10 || c == 0) return true;
    if (c != 13 && name.size() < kMaxNameBytes) name.push_back(char(c));
  }
  return false;
}

}  // namespace

bool THighscores::Load(const std::string& path) {
  auto in = Stream::OpenRead(path);
  if (!in) {
    ReportUnreadableFile("Highscore file", path);
    return false;
  }
  const std::string version = in->ReadLine(kDataFileVersionMaxBytes);
  if (in->read_error()) {
    ReportUnreadableFile("Highscore file", path);
    return false;
  }
  if (version != kDataFileVersion) {
    const char* why = in->overlong() ? " is damaged" : " is of another version";
    in.reset();
    DebugLog("Highscore file " + path + why + "; it is deleted and written afresh");
    DeleteFile(path);
    return false;
  }
  // A record is taken only when the file holds all of it: a file cut short
  // keeps the defaults (score 0, stage 1, wave 1) for the entries it lacks.
  THighscores read = *this;
  int complete = 0;
  for (; complete < kEntries; ++complete) {
    const int i = complete;
    read.score[i] = in->ReadInt();
    if (!ReadName(*in, read.player[i])) {
      DebugLog("Highscore file " + path + " is damaged at entry " + std::to_string(i + 1) +
               " (a name line without end); the entries from there keep their defaults");
      break;
    }
    read.stage[i] = in->ReadByte();
    read.wave[i] = in->ReadShort();
    if (in->eof()) break;
  }
  if (in->read_error()) {
    ReportUnreadableFile("Highscore file", path);
    return false;
  }
  for (int i = 0; i < complete; ++i) {
    score[i] = read.score[i];
    player[i] = read.player[i];
    stage[i] = read.stage[i];
    wave[i] = read.wave[i];
  }
  if (complete < kEntries)
    DebugLog("Highscore file " + path + " is cut short; the missing entries keep their defaults");
  return true;
}

bool THighscores::Save(const std::string& path) const {
  const bool saved = WriteFileAtomically(path, [this](Stream& out) {
    out.WriteLine(kDataFileVersion);
    for (int i = 0; i < kEntries; ++i) {
      out.WriteInt(score[i]);
      out.WriteLine(player[i]);
      out.WriteByte(stage[i]);
      out.WriteShort(wave[i]);
    }
  });
  if (!saved) ReportFailedSave("highscores", path);
  return saved;
}

uint8_t THighscores::Check(int32_t new_score) const { return new_score > score[kEntries - 1] ? 1 : 0; }

void THighscores::Add(int32_t new_score, const std::string& name, uint8_t new_stage, uint16_t new_wave) {
  int i = kEntries - 1;
  for (; i >= 1; --i) {
    if (score[i - 1] >= new_score) break;
    score[i] = score[i - 1];
    player[i] = player[i - 1];
    stage[i] = stage[i - 1];
    wave[i] = wave[i - 1];
  }
  score[i] = new_score;
  player[i] = name;
  stage[i] = new_stage;
  wave[i] = new_wave;
  highscoreHighlight = uint8_t(i);
}

int32_t TopLocalScore() { return highscores.score[0]; }
