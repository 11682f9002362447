#include "persist/online_replay.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <vector>

#include "persist/replay.h"
#include "persist/replay_store.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/stream.h"
#include "platform/text.h"

struct TOnlineReplayFetch::Download {
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  // Written by the download's thread before `done`, read by the frame loop after it.
  std::string bytes;
  std::string failure;
};

namespace {

// One cached file per scoreboard and game: the host and port keep two
// scoreboards' games of the same id apart.
std::string CachedName(const TOnlineHighscores& board, int32_t replay_id) {
  std::string host;
  for (const char c : board.url) host += std::isalnum(uint8_t(c)) || c == '.' || c == '-' ? c : '_';
  return OnlineReplaysDir() + "/" + host + "-" + std::to_string(board.port) + "-" + std::to_string(replay_id) +
         ".replay";
}

// The bytes are the game the row claims, whole and of this program's rules;
// otherwise why not, in words the player may read.
std::string CheckGame(std::string_view bytes, const TScores& row) {
  Replay replay;
  std::string error;
  if (bytes.size() > kReplayMaxBytes) return "the game is larger than a replay may be";
  if (!DecodeReplay(bytes, replay, error)) return "the game is damaged (" + error + ")";
  if (!SameRules(replay.header, error)) return error;
  const ReplayHeader& h = replay.header;
  if (h.score != row.user_score || h.stage != row.user_stage || h.wave != row.user_wave ||
      h.name.substr(0, kOnlineNameMax) != row.user_name)
    return "the scoreboard sent another game than its table shows";
  return {};
}

// The cached games, newest first, beyond the count and size kept are removed.
void TrimOnlineReplays() {
  namespace fs = std::filesystem;
  struct Kept {
    std::string path;
    fs::file_time_type when;
    uintmax_t size;
  };
  std::vector<Kept> kept;
  for (const std::string& name : ReadDirectory(OnlineReplaysDir())) {
    if (ExtractExt(name) != "replay") continue;
    std::error_code ec;
    const std::string path = OnlineReplaysDir() + "/" + name;
    const auto when = fs::last_write_time(path, ec);
    const auto size = ec ? 0 : fs::file_size(path, ec);
    if (!ec) kept.push_back({path, when, size});
  }
  std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.when > b.when; });
  uintmax_t total = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    total += kept[i].size;
    if (i < kOnlineReplaysKept && total <= kOnlineReplaysMaxBytes) continue;
    DebugLog("Online replays: " + kept[i].path + " makes way for newer games");
    DeleteFile(kept[i].path);
  }
}

}  // namespace

std::string OnlineReplaysDir() { return ReplaysDir() + "/online"; }

void TOnlineReplayFetch::Start(const TOnlineHighscores& board, const TScores& row) {
  Cancel();
  row_ = row;
  path_ = CachedName(board, row.replay_id);
  failure_.clear();
  std::string error;
  if (FileType(path_) == FileKind::kFile) {
    const auto file = Stream::OpenRead(path_, &error);
    std::string bytes(kReplayMaxBytes + 1, '\0');
    if (file) bytes.resize(file->ReadSome(bytes.data(), bytes.size()));
    if (file && CheckGame(bytes, row_).empty()) {
      DebugLog("Online replay " + std::to_string(row.replay_id) + " is kept in " + path_);
      state_ = State::kReady;
      return;
    }
    DebugLog("Online replay: the kept " + path_ + " is not the game; fetching it again");
  }
  state_ = State::kRunning;
  download_ = std::make_shared<Download>();
  auto post = TPost::Init(board.url, board.php_script, board.port, board.limits);
  post->limits.max_body = kReplayMaxBytes + 1;  // one byte more tells a replay too large
  post->limits.cancel = &download_->cancel;
  post->AddInputField("a", std::to_string(TOnlineHighscores::ACTION_GETREPLAY));
  post->AddInputField("v", board.current_version);
  post->AddInputField("i", std::to_string(row.replay_id));
  DebugLog("Online replay " + std::to_string(row.replay_id) + ": downloading");
  thread_ = std::thread([download = download_, post = std::move(post)] {
    auto answer = post->SendData();
    if (!answer)
      download->failure = "the scoreboard could not be reached or did not answer in time";
    else if (!answer->Ok())
      download->failure = "the scoreboard has no such game (" + answer->status_line + ")";
    else
      download->bytes = std::move(answer->body);
    download->done = true;
  });
}

TOnlineReplayFetch::State TOnlineReplayFetch::Poll() {
  if (state_ != State::kRunning || !download_->done) return state_;
  thread_.join();
  Finish(*download_);
  download_.reset();
  return state_;
}

void TOnlineReplayFetch::Finish(const Download& download) {
  failure_ = download.failure.empty() ? CheckGame(download.bytes, row_) : download.failure;
  if (!failure_.empty()) {
    DebugLog("Online replay " + std::to_string(row_.replay_id) + " cannot be watched: " + failure_);
    state_ = State::kFailed;
    return;
  }
  const SaveLock hold = HoldSaves();
  const bool saved =
      SettlePlayersFolder(ReplaysDir()) && SettlePlayersFolder(OnlineReplaysDir()) &&
      WriteFileAtomically(path_, [&](Stream& s) { s.WriteBytes(download.bytes.data(), download.bytes.size()); });
  if (!saved) {
    ReportFailedSave("replay", path_);
    failure_ = "the game cannot be kept in " + OnlineReplaysDir();
    state_ = State::kFailed;
    return;
  }
  DebugLog("Online replay " + std::to_string(row_.replay_id) + ": " + std::to_string(download.bytes.size()) +
           " bytes, kept in " + path_);
  TrimOnlineReplays();
  state_ = State::kReady;
}

void TOnlineReplayFetch::Cancel() {
  if (download_) {
    download_->cancel = true;
    thread_.join();  // every wait of a request given up ends within kCancelCheckMs
    download_.reset();
    DebugLog("Online replay " + std::to_string(row_.replay_id) + ": download given up");
  }
  state_ = State::kIdle;
}
