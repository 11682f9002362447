#include "persist/highscores.h"

#include "app/game_state.h"
#include "platform/log.h"
#include "platform/stream.h"

uint8_t highscoreHighlight = 255;

THighscores::THighscores() {
  for (int i = 0; i < kEntries; ++i) {
    stage[i] = 1;
    wave[i] = 1;
  }
}

namespace {

// A name line ends at byte 10, at byte 0 or at the end of the file; every
// byte 13 is dropped.
std::string ReadName(Stream& in) {
  std::string name;
  for (;;) {
    const uint8_t c = in.ReadByte();
    if (in.eof() || c == 10 || c == 0) return name;
    if (c != 13) name.push_back(char(c));
  }
}

}  // namespace

bool THighscores::Load(const std::string& path) {
  auto in = Stream::OpenRead(path);
  if (!in) return false;
  if (in->ReadLine() != kGameVersion) {
    in.reset();
    DebugLog("Highscore file " + path + " is of another version; it is deleted and written afresh");
    DeleteFile(path);
    return false;
  }
  for (int i = 0; i < kEntries; ++i) {
    score[i] = in->ReadInt();
    player[i] = ReadName(*in);
    stage[i] = in->ReadByte();
    wave[i] = in->ReadShort();
  }
  if (in->eof()) DebugLog("Highscore file " + path + " is cut short; the missing entries read as zero");
  return true;
}

bool THighscores::Save(const std::string& path) const {
  return WriteFileAtomically(path, [this](Stream& out) {
    out.WriteLine(kGameVersion);
    for (int i = 0; i < kEntries; ++i) {
      out.WriteInt(score[i]);
      out.WriteLine(player[i]);
      out.WriteByte(stage[i]);
      out.WriteShort(wave[i]);
    }
  });
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
