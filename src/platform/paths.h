#pragma once
#include <string>

// Where the asset folders (fonts/, graphics/, sound/, music/) are found: the
// folder given with --data, else the working directory, then the folder of the
// executable, then the installed data folder (beside the executable's bin/, or
// where the build was configured to install). Data files (settings, highscores,
// statistics, screenshots) always go to the working directory.
void FindDataDir(const std::string& override_dir, const std::string& executable_path);
void SetDataDir(const std::string& dir);
const std::string& DataDir();
// The full path of an asset given as "graphics/shroom.png".
std::string AssetPath(const std::string& relative);
