#include "audio/audio.h"

#include <memory>

Audio audio;

// The tunes and effects go back to the mixer, then everything is made anew in
// place (the mixer closes its device as it goes), so the names that refer
// into it stay valid.
void Audio::Reset() {
  music.ReleaseAll();
  sfx.ReleaseAll();
  std::destroy_at(this);
  std::construct_at(this);
}
