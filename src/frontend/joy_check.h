#pragma once
#include <cstdint>

// Looks for joypads at most every five seconds, so one plugged in or pulled
// out while the menu runs shows up in the options without a restart.
class TJoyCheck {
 public:
  int64_t lastcheck = 0;

  void Update();
  void Check();
};
