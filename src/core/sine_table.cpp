#include "core/sine_table.h"

#include "platform/trig.h"

TSine::TSine() {
  for (int i = 0; i < 360; ++i) val[i] = SinDeg(float(i));
}

void TSine::Update() {
  ang += 5;
  if (ang >= 360) ang -= 360;
}

TCosine::TCosine() {
  for (int i = 0; i < 360; ++i) val[i] = CosDeg(float(i));
}
