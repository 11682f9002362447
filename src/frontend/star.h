#pragma once
#include "core/object_list.h"

// One star of the field that falls behind the game; faster stars are brighter.
// A star that reaches the bottom of the playfield starts again at the top, at
// a new place and speed, so the field keeps its density.
class TStar : public Listed {
 public:
  float x = 0, y = 0;
  float ylim = 226;
  float vel = 0;

  TStar(float x, float y, float vel) : x(x), y(y), vel(vel) {}
  static TStar* Create(float x, float y, float vel);
  void Die();
  void Update();
  void Draw() const;
};

// The star field behind the game.
void CreateGameStars(int count);  // new game: count stars at random places and speeds
void UpdateStars();
void DrawStars();
void KillStars();
