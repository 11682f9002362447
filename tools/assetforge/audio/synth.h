#pragma once
// Our sound-effect synthesizer, in the spirit of the classic arcade effect
// generators: one oscillator (square, saw, sine, triangle or noise) whose
// pitch can slide, jump (arpeggio) and wobble (vibrato), shaped by an
// attack / sustain (with punch) / decay envelope and swept low- and
// high-pass filters. Everything is expressed in physical units (seconds,
// Hz, semitones) so a recipe reads like a description of the sound.
//
// Rendering is a pure function of the parameters: noise comes from a
// seeded generator, so a recipe gives the same samples on every build.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetforge::audio {

enum class Wave { square, saw, sine, triangle, noise };

struct Voice {
  Wave wave = Wave::square;
  double frequency = 440.0;     // Hz at the start of the note
  double min_frequency = 0.0;   // a falling slide stops here (0: no floor)
  double max_frequency = 0.0;   // a rising slide stops here (0: no ceiling)
  double slide = 0.0;           // semitones per second
  double slide_accel = 0.0;     // semitones per second, per second
  double duty = 0.5;            // share of the square wave's period spent high
  double duty_sweep = 0.0;      // change of duty per second
  double vibrato_depth = 0.0;   // semitones
  double vibrato_rate = 0.0;    // Hz
  double tremolo_depth = 0.0;   // 0..1 of the amplitude
  double tremolo_rate = 0.0;    // Hz
  double arp_semitones = 0.0;   // pitch jump...
  double arp_time = 0.0;        // ...this many seconds into the note (0: none)
  double repeat = 0.0;          // restart pitch, slide, duty and arpeggio every this many seconds
  double attack = 0.0;          // seconds
  double sustain = 0.1;         // seconds
  double punch = 0.0;           // extra loudness at the start of the sustain, fading over it
  double decay = 0.2;           // seconds
  double decay_shape = 1.0;     // 1: linear fade; higher falls away faster
  double lowpass = 0.0;         // cutoff in Hz (0: open)
  double lowpass_sweep = 0.0;   // octaves per second
  double resonance = 0.0;       // 0..1
  double highpass = 0.0;        // cutoff in Hz (0: none)
  double highpass_sweep = 0.0;  // octaves per second
  double phaser_delay = 0.0;    // milliseconds of a comb delay mixed in (0: none)
  double phaser_sweep = 0.0;    // milliseconds per second
  double gain_db = 0.0;         // level of this voice in the mix
  uint32_t seed = 1;            // noise generator seed
};

// How long a note of this voice sounds: attack + sustain + decay.
double voice_length(const Voice& v);

// Renders one note of the voice at the given sample rate.
std::vector<float> render_voice(const Voice& v, double sample_rate);

// Renders `samples` samples of the voice held at full level with no attack or
// decay, used for seamless loops. The caller makes the periodic parameters
// (frequency, vibrato, tremolo) whole cycles of the loop.
std::vector<float> render_steady(const Voice& v, double sample_rate, size_t samples);

}  // namespace assetforge::audio
