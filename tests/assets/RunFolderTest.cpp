// The run folder assembled by the build: the game's data beside the sounds, font and settings.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(RunFolder, HoldsTheSoundsFontSettingsAndFreshCopiesOfTheData) {
  const std::string run = KS_RUN_DIR, data = KS_GAME_DATA_DIR;
  for (const char *sound :
       {"fire.wav", "dig.wav", "monster-death.wav", "hero-death.wav", "music.wav", "end-music.wav"})
    EXPECT_TRUE(fs::is_regular_file(run + "/sounds/" + sound)) << sound;
  // The font is a TrueType font, not a stray copy of something else.
  EXPECT_EQ(std::string("\0\1\0\0", 4), kstest::readFile(run + "/ks-font.ttf").substr(0, 4));
  // Sprites, the map and the settings are copies, however many sprites there are.
  std::vector<std::string> copies = {"ks-config.txt", "map.csv"};
  for (const fs::directory_entry &entry : fs::directory_iterator(data + "/sprites"))
    if (entry.path().extension() == ".txt")
      copies.push_back("sprites/" + entry.path().filename().string());
  ASSERT_GT(copies.size(), 10u);
  for (const std::string &copy : copies)
    EXPECT_TRUE(kstest::readFile(run + "/" + copy) == kstest::readFile(data + "/" + copy) &&
                fs::file_size(run + "/" + copy) > 0)
        << copy << " missing or stale";
}

} // namespace
