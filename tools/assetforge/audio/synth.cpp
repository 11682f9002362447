#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetforge::audio {
namespace {

constexpr double kPi = 3.14159265358979323846;
// The oscillator and filters run this many times faster than the output and
// are averaged down: it tames aliasing of the hard-edged waves.
constexpr int kOversample = 8;

// A small, fixed pseudo-random generator (xorshift32): the same seed gives the
// same noise on every machine and compiler.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  float next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / static_cast<float>(1 << 23) * 2.0f - 1.0f;
  }

 private:
  uint32_t state_;
};

// Polynomial band-limited step: rounds off the jump of a square or saw
// wave over one sample either side, so its overtones no longer fold back
// as a hiss of aliases. `t` is the phase (0..1), `dt` the phase step.
double poly_blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

// Trapezoidal state-variable low-pass: stable at any cutoff, with resonance.
class LowPass {
 public:
  void set(double cutoff, double resonance, double rate) {
    cutoff = std::clamp(cutoff, 10.0, rate * 0.45);
    g_ = std::tan(kPi * cutoff / rate);
    k_ = 2.0 - 1.9 * std::clamp(resonance, 0.0, 1.0);
    a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
  }
  double process(double x) {
    double v3 = x - ic2_;
    double v1 = a1_ * ic1_ + g_ * a1_ * v3;
    double v2 = ic2_ + g_ * v1;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return v2;
  }

 private:
  double g_ = 0, k_ = 2, a1_ = 1, ic1_ = 0, ic2_ = 0;
};

// One-pole trapezoidal high-pass: removes rumble and thins a sound out.
class HighPass {
 public:
  void set(double cutoff, double rate) {
    cutoff = std::clamp(cutoff, 1.0, rate * 0.45);
    double g = std::tan(kPi * cutoff / rate);
    a_ = g / (1.0 + g);
  }
  double process(double x) {
    double v = (x - s_) * a_;
    double low = v + s_;
    s_ = low + v;
    return x - low;
  }

 private:
  double a_ = 0, s_ = 0;
};

// The running state of one note.
class Oscillator {
 public:
  Oscillator(const Voice& v, double rate) : v_(v), dt_(1.0 / rate), noise_(v.seed) {
    restart();
    refill_noise();
  }

  // Back to the start pitch: used at the note start and by `repeat`.
  void restart() {
    semitones_ = 0.0;
    slide_ = v_.slide;
    duty_ = v_.duty;
    arp_ = 0.0;
    since_restart_ = 0.0;
  }

  double step(double t) {
    if (v_.repeat > 0.0 && since_restart_ >= v_.repeat) restart();
    if (v_.arp_time > 0.0 && since_restart_ >= v_.arp_time) arp_ = v_.arp_semitones;
    double f = current_frequency(t);
    advance_slide();
    step_ = std::min(f * dt_, 0.5);
    phase_ += step_;
    if (phase_ >= 1.0) {
      phase_ -= std::floor(phase_);
      if (v_.wave == Wave::noise) refill_noise();
    }
    since_restart_ += dt_;
    return shape();
  }

 private:
  double current_frequency(double t) const {
    double vib = v_.vibrato_depth * std::sin(2.0 * kPi * v_.vibrato_rate * t);
    double f = v_.frequency * std::pow(2.0, (semitones_ + arp_ + vib) / 12.0);
    if (v_.min_frequency > 0.0) f = std::max(f, v_.min_frequency);
    if (v_.max_frequency > 0.0) f = std::min(f, v_.max_frequency);
    return f;
  }

  void advance_slide() {
    semitones_ += slide_ * dt_;
    slide_ += v_.slide_accel * dt_;
    duty_ = std::clamp(duty_ + v_.duty_sweep * dt_, 0.02, 0.98);
  }

  void refill_noise() {
    for (float& n : noise_buffer_) n = noise_.next();
  }

  double shape() const {
    switch (v_.wave) {
      case Wave::square: {
        double falling = phase_ - duty_ + (phase_ < duty_ ? 1.0 : 0.0);
        return (phase_ < duty_ ? 1.0 : -1.0) + poly_blep(phase_, step_) - poly_blep(falling, step_);
      }
      case Wave::saw:
        return 1.0 - 2.0 * phase_ + poly_blep(phase_, step_);
      case Wave::sine:
        return std::sin(2.0 * kPi * phase_);
      case Wave::triangle:
        return phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
      case Wave::noise:
        return noise_buffer_[static_cast<size_t>(phase_ * 32.0) & 31];
    }
    return 0.0;
  }

  const Voice& v_;
  double dt_;
  Noise noise_;
  std::array<float, 32> noise_buffer_{};
  double phase_ = 0.0, semitones_ = 0.0, slide_ = 0.0, duty_ = 0.5, arp_ = 0.0;
  double since_restart_ = 0.0;
  double step_ = 0.0;  // phase advance of the last step
};

// Amplitude envelope: linear attack, sustain with a fading punch, shaped decay.
double envelope(const Voice& v, double t) {
  if (t < v.attack) return t / v.attack;
  t -= v.attack;
  if (t < v.sustain) return 1.0 + v.punch * (1.0 - t / v.sustain);
  t -= v.sustain;
  if (t < v.decay) return std::pow(1.0 - t / v.decay, v.decay_shape);
  return 0.0;
}

// A comb delay whose length sweeps: the classic phaser / flanger colour.
class Phaser {
 public:
  Phaser(const Voice& v, double rate) : v_(v), rate_(rate), line_(1 << 16, 0.0f) {}
  double process(double x, double t) {
    line_[pos_ & (line_.size() - 1)] = static_cast<float>(x);
    double ms = std::max(0.0, v_.phaser_delay + v_.phaser_sweep * t);
    size_t delay = std::min<size_t>(static_cast<size_t>(ms * 0.001 * rate_), line_.size() - 1);
    double out = x + line_[(pos_ - delay) & (line_.size() - 1)];
    ++pos_;
    return out * 0.5;
  }

 private:
  const Voice& v_;
  double rate_;
  std::vector<float> line_;
  size_t pos_ = 0;
};

// Shared render loop. `steady` holds the note at full level for the whole
// length (loops); otherwise the envelope shapes it.
std::vector<float> render(const Voice& v, double sample_rate, size_t samples, bool steady) {
  double os_rate = sample_rate * kOversample;
  Oscillator osc(v, os_rate);
  LowPass low;
  HighPass high;
  Phaser phaser(v, os_rate);
  double gain = std::pow(10.0, v.gain_db / 20.0);
  std::vector<float> out(samples);
  double t = 0.0;
  const double dt = 1.0 / os_rate;
  for (size_t i = 0; i < samples; ++i) {
    // Filter cutoffs move slowly: updating them once per output sample is enough.
    if (v.lowpass > 0.0) low.set(v.lowpass * std::pow(2.0, v.lowpass_sweep * t), v.resonance, os_rate);
    if (v.highpass > 0.0) high.set(v.highpass * std::pow(2.0, v.highpass_sweep * t), os_rate);
    double sum = 0.0;
    for (int k = 0; k < kOversample; ++k) {
      double x = osc.step(t);
      if (v.phaser_delay > 0.0 || v.phaser_sweep != 0.0) x = phaser.process(x, t);
      if (v.lowpass > 0.0) x = low.process(x);
      if (v.highpass > 0.0) x = high.process(x);
      double level = steady ? 1.0 : envelope(v, t);
      if (v.tremolo_depth > 0.0)
        level *= 1.0 - v.tremolo_depth * 0.5 * (1.0 - std::cos(2.0 * kPi * v.tremolo_rate * t));
      sum += x * level;
      t += dt;
    }
    out[i] = static_cast<float>(sum / kOversample * gain);
  }
  return out;
}

}  // namespace

double voice_length(const Voice& v) { return v.attack + v.sustain + v.decay; }

std::vector<float> render_voice(const Voice& v, double sample_rate) {
  auto samples = static_cast<size_t>(std::ceil(voice_length(v) * sample_rate));
  return render(v, sample_rate, samples, false);
}

std::vector<float> render_steady(const Voice& v, double sample_rate, size_t samples) {
  return render(v, sample_rate, samples, true);
}

}  // namespace assetforge::audio
