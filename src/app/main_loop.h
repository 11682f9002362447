#pragma once
#include "app/command_line.h"

// What runs after the splash until the player quits.
void RunMainLoop(const CommandLine& command_line);
