#include "core/common.h"

#include <memory>

Common common;

// Made anew in place, so every member is as at start-up and the names that
// refer into it stay valid.
void Common::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
