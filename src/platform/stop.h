#pragma once

// Ending the program when the desktop asks for it (SIGTERM, SIGINT, SIGHUP at a
// logout) or when the display goes away: the player's files are saved, then the
// program ends at once instead of waiting on a display that will never answer.
//
// A stop signal asks the frame loops to end the program the usual way (the
// close request of every screen). Should the loop be stuck, a watchdog saves and
// ends the process shortly after, sooner on a second signal: every data file is written to a temporary file and
// renamed, so ending mid-save can never damage one.

// What saves the player's files; set once they have been loaded, so a stop
// before that never replaces them with defaults.
using FinalSave = void (*)();
void SetFinalSave(FinalSave save);

// Installs the signal handlers and starts the watchdog; call before the display
// library starts, so it keeps its own handlers out of the way.
void InstallStopSignals();

// A stop signal arrived (the close request of every screen follows it).
bool StopRequested();

// The exit code when a stop signal ends the process: 0 while the game runs; a
// start-up that has already failed (and shows why in a message box) keeps its
// failure.
void SetStopExitCode(int code);

// Runs the final save once, whoever asks first; a second caller waits for the
// first to finish (for a bounded time). The save holds the save lock
// (HoldSaves), so it never runs beside another save of the player's files.
void RunFinalSave();

// The display connection is gone: saves, says so on stderr and ends the
// process with code 1 without running any exit handler or static destructor
// (they would wait on the dead display).
[[noreturn]] void EndAfterLostDisplay();
