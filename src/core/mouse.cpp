#include "core/mouse.h"

#include "platform/input.h"

void TMouse::Update() {
  x = MouseX();
  y = MouseY();
  over = -1;
  anydown = 0;
  for (int i = 0; i < 3; ++i) down[i] = clicked[i] = 0;
  int32_t* held[3] = {&m1, &m2, &m3};
  for (int n = 1; n <= 3; ++n) {
    int32_t& counter = *held[n - 1];
    if (MouseDown(n)) {
      ++counter;
      down[n - 1] = 1;
      anydown = 1;
      if (counter == 1) clicked[n - 1] = 1;
    } else {
      counter = 0;
    }
  }
  const int32_t wheel = MouseZ();
  wdn = wheel < w;
  wup = wheel > w;
  w = wheel;
}
