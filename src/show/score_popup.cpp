#include "show/score_popup.h"

#include "show/particle.h"

TParticle* CreateScorePopup(float x, float y, uint8_t type) {
  TParticle* popup = CreateParticle(x, y, type, "FFFF00", 150, 150);
  popup->yvel = -0.05f;
  popup->f = 1.01f;  // grows a little faster every frame
  return popup;
}
