#include "platform/backend.h"

namespace {
// Process-wide: the backend every platform service talks to.
Backend* installed = nullptr;
}  // namespace

Backend& ActiveBackend() { return installed ? *installed : DefaultBackend(); }

void SetBackend(Backend* backend) { installed = backend; }
