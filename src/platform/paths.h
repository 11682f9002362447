#pragma once
#include <string>

// Where the asset folders (fonts/, graphics/, sound/, music/) are found: the
// folder given with --data, else the working directory, then the folder of the
// executable, then the installed data folder (beside the executable's bin/, or
// where the build was configured to install).
// A folder counts only when it holds the fonts and the images. False when no
// folder does; DataFoldersTried then lists where it looked.
bool FindDataDir(const std::string& override_dir, const std::string& executable_path);
const std::string& DataFoldersTried();
void SetDataDir(const std::string& dir);
const std::string& DataDir();
// The assets were found in the installed data folder (an installed game).
bool DataDirIsInstalled();
// The full path of an asset given as "graphics/shroom.png".
std::string AssetPath(const std::string& relative);

// Where the player's files (settings, highscores, statistics, screenshots) are
// kept. A build or a portable copy keeps them in the working directory, as
// ever; an installed game started from the desktop (its working directory is
// the home folder, or any folder holding none of its files) keeps them in
// $XDG_DATA_HOME/skitterworm, by default ~/.local/share/skitterworm, with the
// screenshots in its screenshots/; --data-dir names the folder outright.
struct FilesDirChoice {
  std::string dir;              // "." for the working directory
  std::string screenshots_dir;  // where F12 saves
  bool from_desktop = false;    // the desktop's folder: files from the home folder move over
};
struct FilesDirFacts {
  std::string data_dir_option;  // --data-dir, empty when not given
  bool installed = false;       // the assets came from the installed data folder
  bool working_dir_has_files = false;
  bool working_dir_is_home = false;
  std::string xdg_data_home;  // $XDG_DATA_HOME, empty when unset
  std::string home;           // $HOME
};
FilesDirChoice ChooseFilesDir(const FilesDirFacts& facts);

// Gathers the facts above for this process and settles the folder (creating
// it when needed); moves an earlier version's files from the home folder into
// the desktop's folder. Call after FindDataDir. False (with a message on
// stderr) when the folder cannot be made.
bool SettleFilesDir(const std::string& data_dir_option);
const std::string& FilesDir();
// Removes what a killed run left of its saves: temporary files of the game's
// own naming beside the player's files, the screenshots and the replays. Call only while
// holding the folder's lock (another copy's save may be under way otherwise).
// Returns how many went.
int RemoveLeftoverTempFiles();
// The files folder as an absolute path, for messages to the player.
std::string FilesDirInFull();
// The full path of a data file given by name ("skitterworm.cfg").
std::string DataFilePath(const std::string& name);
// The folder screenshots go to, created when missing.
std::string ScreenshotDir();
// A folder of the player's files (the replays), made when missing. Like every
// data file, it is reached through a symbolic link only when the player owns
// the link: a link of another user is replaced by a folder of the player's
// own, so the game never writes or deletes in a place someone else chose.
// False when no folder can be had there.
bool SettlePlayersFolder(const std::string& dir);

// Moves each named file from one folder into another where the other has no
// file of that name; a file that is there already is never replaced (the one
// left behind is logged). Returns how many moved.
int MoveFilesOver(const std::string& from, const std::string& to, const char* const* names, int count);

// One copy of the game per files folder: holds an exclusive lock on
// "skitterworm.lock" in it for the life of the process. False when another
// copy holds it. A child process forked later does not hold it.
bool LockFilesDir();
