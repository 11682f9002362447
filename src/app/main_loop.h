#pragma once
#include "app/command_line.h"

// The splash and what follows it, until the player quits.
void RunMainLoop(const CommandLine& command_line);
