#pragma once
#include <cstdint>
#include <vector>

// The game's window as the X server shows it (after the swap): opaque pixels
// in the picture's RGBA byte order, top row first. False when it cannot be
// read. Kept apart from the tests, whose names clash with Xlib's.
bool ReadWindowAsShown(std::vector<uint32_t>& pixels, int& width, int& height);

// The window's size as the X server has it now, which may lag the size the
// game asked for.
bool ShownWindowSize(int& width, int& height);
