#include "show/show.h"

#include <memory>

// Process-wide: the one show of the program.
Show show;

// Made anew in place: every particle goes back and the names that refer into
// it stay valid.
void Show::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
