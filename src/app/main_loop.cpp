#include "app/main_loop.h"

#include "app/frame_driver.h"
#include "app/game_loop.h"
#include "app/splash.h"
#include "player/autopilot.h"

// Until the front end exists the splash leads straight into a game, and a
// game that ends (game over, or quit from the pause screen) is followed by
// the next one. Closing the window ends the program.
void RunMainLoop(const CommandLine& command_line) {
  autopilotOn = command_line.autopilot;
  quitProgram = false;
  SetScreenAfterSplash(TheGameScreen());
  SetScreenAfterGame(nullptr);
  RunScreens(TheSplashScreen());
}
