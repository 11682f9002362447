#pragma once
#include <cstdint>
#include <string>

// The fifteen best games, best first, kept in "skitterworm.hi".
class THighscores {
 public:
  static constexpr int kEntries = 15;
  int32_t score[kEntries] = {};
  std::string player[kEntries];
  uint8_t stage[kEntries];
  uint16_t wave[kEntries];

  THighscores();
  // Reads the table. A file of another version is deleted and the table in
  // memory stays as it was; the next Save writes a fresh file. A file cut
  // short leaves the entries it did not reach at zero. False when nothing was read.
  bool Load(const std::string& path);
  // Writes the whole table to a temporary file that then replaces the old one,
  // so a failed save never damages the table on disk.
  bool Save(const std::string& path) const;
  // 1 when the score would enter the table: strictly above the fifteenth.
  uint8_t Check(int32_t new_score) const;
  // Inserts from the bottom, so an equal score goes below the ones already there.
  void Add(int32_t new_score, const std::string& name, uint8_t new_stage, uint16_t new_wave);
};

constexpr const char* kHighscoreFile = "skitterworm.hi";

int32_t TopLocalScore();  // entry 0 of the local table, for the HUD
