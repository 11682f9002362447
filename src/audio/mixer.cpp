#include "audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <libopenmpt/libopenmpt.hpp>

#include "platform/audio_output.h"
#include "platform/log.h"

namespace {

// Below the knee samples pass unchanged, so a quiet mix is bit-exact; above it
// a tanh curve bends the sum smoothly towards full scale instead of clipping.
constexpr float kKnee = 0.75f;

inline float SoftClip(float x) {
  const float a = std::fabs(x);
  if (a <= kKnee) return x;
  const float bent = kKnee + (1.0f - kKnee) * std::tanh((a - kKnee) / (1.0f - kKnee));
  return x < 0 ? -bent : bent;
}

bool ValidIndex(int index) { return index >= 0 && index < AudioSystem::kChannels; }

}  // namespace

void Channel::SetPaused(bool paused) const {
  if (system) system->SetPaused(*this, paused);
}

void Channel::Stop() const {
  if (system) system->Stop(*this);
}

bool Channel::IsPlaying() const { return system && system->IsPlaying(*this); }

AudioSystem::~AudioSystem() { SystemRelease(); }

void AudioSystem::Create() { SystemRelease(); }

int AudioSystem::Init(int max_channels, int /*flags*/) {
  if (initialised_) return 0;
  if (max_channels > kChannels) DebugLog("Audio: only 32 channels are mixed");
  AudioOutputFailure failure = AudioOutputFailure::kNone;
  device_ = OpenAudioOutput(kMixRate, kBlockFrames, DeviceCallback, this, failure);
  if (device_ == 0) return failure == AudioOutputFailure::kNoDriver ? 1 : 2;
  initialised_ = true;
  return 0;
}

int AudioSystem::InitOffline() {
  initialised_ = true;
  return 0;
}

void AudioSystem::DeviceCallback(void* self, float* out, int frames) {
  static_cast<AudioSystem*>(self)->Render(out, frames);
}

Sound* AudioSystem::CreateSound(const std::string& path, int mode) { return AddSound(Sound::Load(path, mode)); }

Sound* AudioSystem::AddSound(std::unique_ptr<Sound> sound) {
  if (!sound) return nullptr;
  sounds_.push_back(std::move(sound));
  return sounds_.back().get();
}

Channel AudioSystem::PlaySound(int index, Sound* sound, bool paused) {
  if (!initialised_) return {};
  if (!ValidIndex(index)) {
    DebugLog("Audio: play on a channel index out of range");
    return {};
  }
  if (++next_generation_ == 0) ++next_generation_;  // 0 never names a start
  // The module this index played is let go before the next one opens: two
  // module players at once would only raise the peak memory (1.3 MB each).
  if (sound && sound->is_module() && wanted_[index].sound != sound && !wanted_[index].stopped) {
    Wanted dropped = wanted_[index];
    dropped.stopped = true;
    Want(index, dropped);
    CloseIdleModules();
  }
  // A module gets its player now, on this thread, before the audio thread can reach it.
  if (sound && sound->is_module() && !sound->Open()) sound = nullptr;
  Want(index, Wanted{sound, next_generation_, paused, sound == nullptr});
  CloseIdleModules();
  return Channel{this, static_cast<int8_t>(index), next_generation_};
}

void AudioSystem::SetPaused(const Channel& channel, bool paused) {
  if (channel.system != this || !ValidIndex(channel.index)) return;
  Wanted w = wanted_[channel.index];
  if (w.generation != channel.generation) return;
  w.paused = paused;
  Want(channel.index, w);
}

void AudioSystem::Stop(const Channel& channel) {
  if (channel.system != this || !ValidIndex(channel.index)) return;
  Wanted w = wanted_[channel.index];
  if (w.generation != channel.generation) return;
  w.stopped = true;
  Want(channel.index, w);
  CloseIdleModules();
}

void AudioSystem::CloseIdleModules() {
  for (const auto& owned : sounds_) {
    Sound* sound = owned.get();
    if (!sound->module()) continue;
    const bool wanted =
        std::any_of(wanted_.begin(), wanted_.end(), [&](const Wanted& w) { return w.sound == sound && !w.stopped; });
    if (wanted) continue;
    // Waits for a block being mixed to finish. A voice still on the module
    // was already replaced or stopped by the game and only waits to hear of it.
    std::lock_guard render(render_mutex_);
    for (Voice& v : voices_)
      if (v.sound == sound) v = Voice{};
    sound->Close();
  }
}

bool AudioSystem::IsPlaying(const Channel& channel) const {
  if (channel.system != this || !ValidIndex(channel.index)) return false;
  const Wanted& w = wanted_[channel.index];
  return w.generation == channel.generation && !w.stopped && w.sound != nullptr &&
         finished_[channel.index].load(std::memory_order_acquire) != channel.generation;
}

void AudioSystem::Want(int index, const Wanted& wanted) {
  wanted_[index] = wanted;
  std::lock_guard lock(wanted_mutex_);
  handover_[index] = wanted;
  handover_dirty_ |= 1u << index;
}

void AudioSystem::Release(Sound* sound) {
  if (!sound) return;
  auto owned = std::find_if(sounds_.begin(), sounds_.end(), [&](const auto& s) { return s.get() == sound; });
  if (owned == sounds_.end()) {
    DebugLog("Audio: release of a sound this system does not hold");
    return;
  }
  {
    // Waits for a block being mixed to finish; afterwards no channel can reach the sound.
    std::lock_guard render(render_mutex_);
    std::lock_guard lock(wanted_mutex_);
    for (int i = 0; i < kChannels; ++i) {
      if (voices_[i].sound == sound) voices_[i] = Voice{};
      for (Wanted* w : {&wanted_[i], &handover_[i]}) {
        if (w->sound == sound) {
          w->sound = nullptr;
          w->stopped = true;
        }
      }
    }
  }
  sounds_.erase(owned);
}

void AudioSystem::CloseDevice() {
  if (device_ == 0) return;
  // Not under render_mutex_: closing waits for the callback, which takes it.
  CloseAudioOutput(device_);
  device_ = 0;
}

void AudioSystem::SystemRelease() {
  CloseDevice();
  std::lock_guard render(render_mutex_);
  std::lock_guard lock(wanted_mutex_);
  voices_.fill(Voice{});
  wanted_.fill(Wanted{});
  handover_.fill(Wanted{});
  handover_dirty_ = 0;
  sounds_.clear();
  initialised_ = false;
}

void AudioSystem::Render(float* out, int frames) {
  std::lock_guard render(render_mutex_);
  TakeWanted();
  while (frames > 0) {
    const int n = std::min(frames, kBlockFrames);
    std::fill(out, out + n * 2, 0.0f);
    for (int i = 0; i < kChannels; ++i) MixVoice(i, out, n);
    for (int j = 0; j < n * 2; ++j) out[j] = SoftClip(out[j]);
    out += n * 2;
    frames -= n;
  }
}

void AudioSystem::TakeWanted() {
  std::array<Wanted, kChannels> changed;
  uint32_t dirty;
  {
    std::lock_guard lock(wanted_mutex_);
    dirty = handover_dirty_;
    handover_dirty_ = 0;
    for (int i = 0; i < kChannels; ++i)
      if (dirty & (1u << i)) changed[i] = handover_[i];
  }
  for (int i = 0; i < kChannels; ++i)
    if (dirty & (1u << i)) StartVoice(i, changed[i]);
}

void AudioSystem::StartVoice(int index, const Wanted& wanted) {
  Voice& v = voices_[index];
  if (wanted.generation == v.generation) {
    v.paused = wanted.paused;
    if (wanted.stopped) v.active = false;
    return;
  }
  v = Voice{wanted.sound, wanted.generation, wanted.paused, !wanted.stopped && wanted.sound != nullptr, 0};
  if (!v.active || !v.sound->is_module()) return;
  if (!v.sound->module()) {
    v.active = false;
    return;
  }
  // A module is one stream: starting it on this index takes it from any other.
  for (int i = 0; i < kChannels; ++i)
    if (i != index && voices_[i].active && voices_[i].sound == v.sound) Finish(i);
  try {
    v.sound->module()->set_position_seconds(0.0);
  } catch (const std::exception&) {
    v.active = false;
  }
}

void AudioSystem::MixVoice(int index, float* out, int frames) {
  Voice& v = voices_[index];
  if (!v.active || v.paused) return;
  if (v.sound->is_module()) {
    if (!v.sound->module() || !MixModule(v, out, frames)) Finish(index);
    return;
  }
  MixPcm(v, out, frames);
  if (!v.sound->loops() && v.position >= v.sound->frames()) Finish(index);
}

void AudioSystem::MixPcm(Voice& v, float* out, int frames) {
  const int64_t total = v.sound->frames();
  const int16_t* pcm = v.sound->pcm();
  const bool mono = v.sound->channels() == 1;
  while (frames > 0 && total > 0) {
    if (v.position >= total) {
      if (!v.sound->loops()) return;
      v.position = 0;
    }
    const int n = static_cast<int>(std::min<int64_t>(frames, total - v.position));
    if (mono) {
      // A mono effect plays the same on both sides.
      const int16_t* src = pcm + v.position;
      for (int j = 0; j < n; ++j) {
        const float s = float(src[j]) * kPcm16Scale;
        out[j * 2] += s;
        out[j * 2 + 1] += s;
      }
    } else {
      const int16_t* src = pcm + v.position * 2;
      for (int j = 0; j < n * 2; ++j) out[j] += float(src[j]) * kPcm16Scale;
    }
    out += n * 2;
    frames -= n;
    v.position += n;
  }
}

bool AudioSystem::MixModule(Voice& v, float* out, int frames) {
  size_t n = 0;
  try {
    n = v.sound->module()->read_interleaved_stereo(kMixRate, static_cast<size_t>(frames), scratch_);
  } catch (const std::exception&) {
    return false;
  }
  for (size_t j = 0; j < n * 2; ++j) out[j] += scratch_[j];
  return n == static_cast<size_t>(frames);  // a short read is the end of a one-shot module
}

void AudioSystem::Finish(int index) {
  Voice& v = voices_[index];
  v.active = false;
  finished_[index].store(v.generation, std::memory_order_release);
}
