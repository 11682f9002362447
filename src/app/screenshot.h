#pragma once
#include <string>

// Saves the picture as screenshotN.png in the working directory: N starts at
// the number of PNG files + 1 and moves on past every name already taken, so no
// file is ever replaced; a failed write leaves no file behind.
void SaveScreenshot();
// The name the next screenshot gets in the given folder.
std::string NextScreenshotName(const std::string& folder);
