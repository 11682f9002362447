#include "frontend/frontend.h"

#include <memory>

#include "frontend/clickable_text.h"
#include "frontend/credits.h"
#include "frontend/logo.h"
#include "frontend/option_set.h"
#include "frontend/star.h"

Frontend frontend;

Frontend::Frontend() = default;
Frontend::~Frontend() = default;

// Made anew in place: every list is emptied and every value is as at start-up,
// and the names that refer into it stay valid.
void Frontend::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
