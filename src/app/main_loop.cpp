#include "app/main_loop.h"

#include "app/display_modes.h"
#include "app/frame_driver.h"
#include "app/game_loop.h"
#include "app/splash.h"
#include "frontend/frontend_hooks.h"
#include "frontend/menu.h"
#include "frontend/name_entry.h"
#include "game/autopilot.h"

// The splash leads to the menu; the menu starts games, and a game hands back
// to the name entry or the menu. Quit, Escape on the main menu or closing the
// window ends the program.
void RunMainLoop(const CommandLine& command_line) {
  autopilotOn = command_line.autopilot;
  quitProgram = false;
  frontendHooks.toggle_fullscreen = ToggleFullscreen;
  frontendHooks.toggle_resolution = ToggleResolution;
  frontendHooks.next_window_scale = NextWindowScale;
  frontendHooks.set_window_scale = SetWindowScale;
  frontendHooks.start_game = StartGame;
  frontendHooks.watch_replay = WatchReplay;
  frontendHooks.attract_mode = command_line.autopilot;
  SetScreenAfterSplash(ScreenAfterStart());
  // A replay named on the command line is shown at once, and ends the program.
  if (!command_line.replay.empty()) {
    if (WatchReplay(command_line.replay)) RunScreens(TheGameScreen());
    return;
  }
  RunScreens(TheSplashScreen());
}
