#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/screen.h"
#include "frontend/text_input.h"
#include "persist/replay.h"

// The screen after a game whose score enters the table or may go online:
// fireworks, a message, the final score and the name entry. Enter stores the
// name (when the score qualifies), then the score goes online when that is
// on, with a retry on failure; then the highscores screen shows the table.
class NameEntryScreen : public Screen {
 public:
  void Enter() override;
  void Step() override;
  void Leave() override;

  // Where the entry stands: the name being typed, the score being put online,
  // the scoreboard's answer shown, leaving.
  static constexpr uint8_t kTyping = 1, kPosting = 2, kPostResult = 3, kLeaving = 4;
  uint8_t phase = 0;
  // The finished game as recorded: its result (the header) and the replay
  // that goes online with the name.
  Replay game;
  uint8_t message = 1;  // which pair of messages (1..10)
  int32_t firework_delay = 0;
  bool submit_due = false;  // "Putting online..." has been shown; submit now
  bool submitted_ok = false;
  std::string refusal;  // the scoreboard's reason, shown under "Failed."
  int32_t entered = 0;  // when the screen was entered
  std::unique_ptr<TTextInput> input;

 private:
  void Fireworks();
  void Texts() const;
  void Typing();
  void Result();
  void AddToTable();
  std::string SignedReplay() const;
};

NameEntryScreen& TheNameEntryScreen();

// Where the splash leads: the name entry of the last game when that game
// enters the table but never reached it (the program ended during its name
// entry: the player signs it now), otherwise the menu.
Screen* ScreenAfterStart();
// Where a finished game goes: the name entry (which takes the game) when the
// score is above 0 and enters the table or online scores are on, otherwise
// the menu.
Screen* ScreenAfterGame(const Replay& game);
// The autopilot's signature in the table.
constexpr const char* kAutopilotName = "Autopilot";
