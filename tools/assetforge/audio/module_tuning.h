#pragma once
// How a sample sounds in tune in each format. A sample is rendered at some
// rate with its pitch at a "base note"; a player reaches other notes by
// playing it faster or slower. XM says how with a relative note and a
// finetune per sample; MOD has fixed Amiga periods (three octaves), so there
// the base note must sit where every note the instrument plays has a period.
#include <optional>
#include <string>
#include <vector>

#include "module.h"

namespace assetforge::audio {

enum class ModuleFormat { xm, mod };

// The rate samples are rendered at for a format.
double format_sample_rate(ModuleFormat format);

// Chooses each melodic instrument's base note from the notes it plays
// (drums stay at C4). Reports instruments whose range no base note covers.
void choose_base_notes(Module& module, ModuleFormat format, std::vector<std::string>& errors);

struct XmTuning {
  int relative_note = 0;  // semitones
  int finetune = 0;       // 1/128 semitone
};
XmTuning xm_tuning(const ModuleInstrument& instrument);

// XM pattern note number (1 = C-0 ... 96 = B-7) of a MIDI note.
int xm_note(int midi_note);

// The Amiga period that plays `midi_note` on this instrument, if the
// three-octave table has it.
std::optional<int> mod_period(const ModuleInstrument& instrument, int midi_note);

}  // namespace assetforge::audio
