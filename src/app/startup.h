#pragma once
#include <cstdint>
#include <string>

#include "app/command_line.h"

// The whole program: start-up, the splash, the menu loop and shut-down.
// Returns the process exit code.
int RunProgram(const CommandLine& command_line);

// The seed of the run: --seed N, or one that differs from run to run.
int32_t StartupSeed(const CommandLine& command_line);

// Makes the program's state as at start-up: the common, records, world and
// front-end parts (each by its own Reset).
void ResetState();
// Probes the full-screen modes and reads "skitterworm.cfg" from the files
// folder, or takes the defaults when there is no such file.
void LoadSettings();
// Reads "skitterworm.hi" (writing the default table when there is none) and
// "skitterworm.stats" from the files folder; SaveRecords writes both back.
void LoadRecords();
void SaveRecords();
