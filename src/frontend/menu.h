#pragma once
#include <cstdint>

#include "core/screen.h"

// The menu: main menu, options, highscores, statistics, help, credits and
// the joypad-missing dialog, one at a time (menuScreen), changed by a fade
// of the text, a rebuild of the screen's widgets and a fade back in.
class MenuScreen : public Screen {
 public:
  // Prepares the menu: fades, widgets, particles, logo, the menu tune.
  void Enter() override;
  // One frame: faders, the screen switch, the body, widgets, input, pointer.
  void Step() override;
  void Leave() override;
};

MenuScreen& TheMenuScreen();

// The parts of the menu the screens and the tests reach.
void BuildScreen(uint8_t screen);
void MenuActivate(uint8_t id);
void MenuBack();
void MenuSelectNext();
void MenuSelectPrevious();

// The pages' moves: the text fades out and the target page (or kStartGame)
// follows; the second fades the whole scene, for a game.
void MenuFadeTo(uint8_t target);
void MenuFadeAllTo(uint8_t target);
