#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audio/sound.h"

class AudioSystem;

// A handle to what was started on one channel index. It stays valid until
// something else is started on that index; after that every call on it does
// nothing and IsPlaying is false. A default handle is "no channel".
struct Channel {
  AudioSystem* system = nullptr;
  int8_t index = -1;
  uint32_t generation = 0;

  bool Exists() const { return system != nullptr; }
  void SetPaused(bool paused) const;
  void Stop() const;
  bool IsPlaying() const;
};

// The game's mixer: 32 channels addressed by fixed index, one audio
// device at 44.1 kHz stereo, sums with a soft clip so a crowded moment
// saturates instead of cracking.
//
// The game thread never touches what the audio thread mixes: each call writes
// the wanted state of one channel into a small table under a mutex, and the
// audio thread copies the changed entries at the start of each block. The
// audio thread reports back only when a one-shot reaches its end. Nothing in
// the mixing path allocates.
class AudioSystem {
 public:
  static constexpr int kChannels = 32;
  static constexpr int kBlockFrames = 1024;

  AudioSystem() = default;
  ~AudioSystem();
  AudioSystem(const AudioSystem&) = delete;
  AudioSystem& operator=(const AudioSystem&) = delete;

  // Back to a fresh, uninitialised system with no sounds.
  void Create();
  // Opens the audio device. 0 on success; any other value is a failure and a
  // later call tries again.
  int Init(int max_channels, int flags);
  // Initialised without a device: the caller pulls the mix with Render.
  int InitOffline();
  bool initialised() const { return initialised_; }
  bool has_device() const { return device_ != 0; }
  size_t sound_count() const { return sounds_.size(); }

  // Null (with a debug log line) when the file is missing or unreadable.
  // Sounds can be created before Init.
  Sound* CreateSound(const std::string& path, int mode);
  Sound* AddSound(std::unique_ptr<Sound> sound);
  // Starts sound on index 0..31 from its beginning, replacing whatever played
  // there. A null sound just silences the index. Without Init nothing plays and
  // the handle is empty.
  Channel PlaySound(int index, Sound* sound, bool paused);
  void SetPaused(const Channel& channel, bool paused);
  void Stop(const Channel& channel);
  bool IsPlaying(const Channel& channel) const;
  int32_t GetLength(const Sound* sound) const { return sound ? sound->length_ms() : 0; }
  // Stops every channel playing the sound, then frees it.
  void Release(Sound* sound);
  // Closes the device and frees every sound.
  void SystemRelease();

  // Mixes the next frames (interleaved stereo floats) of every channel. The
  // device callback calls this; offline it is the only way the mix advances.
  void Render(float* out, int frames);

 private:
  // What the game wants on one index.
  struct Wanted {
    Sound* sound = nullptr;
    uint32_t generation = 0;
    bool paused = false;
    bool stopped = true;
  };
  // What the audio thread is playing on one index.
  struct Voice {
    Sound* sound = nullptr;
    uint32_t generation = 0;
    bool paused = false;
    bool active = false;
    int64_t position = 0;  // frames into a decoded effect
  };

  static void DeviceCallback(void* self, float* out, int frames);
  void Want(int index, const Wanted& wanted);
  void TakeWanted();
  void StartVoice(int index, const Wanted& wanted);
  void MixVoice(int index, float* out, int frames);
  void MixPcm(Voice& voice, float* out, int frames);
  bool MixModule(Voice& voice, float* out, int frames);
  void Finish(int index);
  // Drops the player of every module that no channel wants any more.
  void CloseIdleModules();
  void CloseDevice();

  bool initialised_ = false;
  uint32_t device_ = 0;
  uint32_t next_generation_ = 0;
  std::vector<std::unique_ptr<Sound>> sounds_;

  // Game thread side (written only by the game thread).
  std::array<Wanted, kChannels> wanted_{};
  // Shared: the entries changed since the audio thread last looked.
  std::mutex wanted_mutex_;
  std::array<Wanted, kChannels> handover_{};
  uint32_t handover_dirty_ = 0;
  // Audio thread side; the game thread takes render_mutex_ only to free sounds.
  std::mutex render_mutex_;
  std::array<Voice, kChannels> voices_{};
  std::array<std::atomic<uint32_t>, kChannels> finished_{};
  float scratch_[kBlockFrames * 2] = {};
};
