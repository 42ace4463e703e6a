// The run folder assembled by the build: the game's data beside the font and configuration.
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "ResourceManager.h"
#include "TestSupport.h"

namespace {

const std::string RUN = KS_RUN_DIR;

bool isFile(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

TEST(RunFolderTest, HoldsSoundsFontAndConfiguration) {
  for (const char *sound :
       {"fire.wav", "dig.wav", "monster-death.wav", "hero-death.wav", "music.wav", "end-music.wav"})
    EXPECT_TRUE(isFile(RUN + "/sounds/" + sound)) << sound;
  EXPECT_TRUE(isFile(RUN + "/ks-font.ttf"));
  EXPECT_EQ(kstest::readFile(RUN + "/ks-config.txt"),
            kstest::readFile(std::string(KS_GAME_DATA_DIR) + "/ks-config.txt"));
  // The font file is a TrueType font, not a stray copy of something else.
  std::string font = kstest::readFile(RUN + "/ks-font.ttf");
  ASSERT_GE(font.size(), 4u);
  EXPECT_EQ(font.substr(0, 4), std::string("\0\1\0\0", 4));
}

// Sprites and the level map are copied as they are, however many there are.
TEST(RunFolderTest, HoldsCopiesOfTheSpritesAndTheMap) {
  const std::string data = KS_GAME_DATA_DIR;
  std::vector<std::string> sprites;
  if (DIR *p_dir = opendir((data + "/sprites").c_str())) {
    while (dirent *p_entry = readdir(p_dir)) {
      std::string name = p_entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0)
        sprites.push_back(name);
    }
    closedir(p_dir);
  }
  for (const std::string &name : sprites) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(isFile(RUN + "/sprites/" + name));
    EXPECT_TRUE(kstest::readFile(RUN + "/sprites/" + name) ==
                kstest::readFile(data + "/sprites/" + name))
        << "stale copy";
  }
  if (isFile(data + "/map.csv")) {
    EXPECT_TRUE(kstest::readFile(RUN + "/map.csv") == kstest::readFile(data + "/map.csv"))
        << "map.csv missing or stale";
  }
}

// The game loads its audio under fixed labels; the engine must accept every synthesized file.
TEST(RunFolderTest, EngineLoadsTheGameSoundsAndMusic) {
  std::string log = kstest::startHeadless("log");
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ASSERT_TRUE(rm.isStarted());
  EXPECT_EQ(rm.loadMusic(RUN + "/sounds/music.wav", "music"), 0);
  EXPECT_EQ(rm.loadMusic(RUN + "/sounds/end-music.wav", "endMusic"), 0);
  EXPECT_EQ(rm.loadSound(RUN + "/sounds/fire.wav", "fire"), 0);
  EXPECT_EQ(rm.loadSound(RUN + "/sounds/monster-death.wav", "monsterDeath"), 0);
  EXPECT_EQ(rm.loadSound(RUN + "/sounds/hero-death.wav", "heroDeath"), 0);
  EXPECT_EQ(rm.loadSound(RUN + "/sounds/dig.wav", "dig"), 0);
  for (const char *label : {"fire", "monsterDeath", "heroDeath", "dig"})
    EXPECT_NE(rm.getSound(label), nullptr) << label;
  EXPECT_NE(rm.getMusic("music"), nullptr);
  EXPECT_NE(rm.getMusic("endMusic"), nullptr);
  EXPECT_FALSE(kstest::logContains(log, "Cannot load"));
  ks::GameManager::getInstance().shutDown();
}

} // namespace
