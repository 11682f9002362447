#include "persist/records.h"

#include <memory>

Records records;

// Made anew in place, so the names that refer into it stay valid.
void Records::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
