#pragma once
// The show's own state: every particle of the program, the game's sparks,
// splats, flashes and pop-ups and the menus' sparks alike, from one pool.
// Reset() makes it as at start-up. The program reaches them by their usual
// names (lstParticles is show.lstParticles...).
#include "core/object_list.h"
#include "show/particle.h"

struct Show {
  // The pool comes before its list, so the list hands its particles back
  // before the pool goes.
  Pool<TParticle> particlePool{4096};
  ObjectList<TParticle> lstParticles{ReleaseParticle};

  Show() = default;
  Show(const Show&) = delete;
  Show& operator=(const Show&) = delete;
  void Reset();
};

extern Show show;

inline Pool<TParticle>& particlePool = show.particlePool;
inline ObjectList<TParticle>& lstParticles = show.lstParticles;
