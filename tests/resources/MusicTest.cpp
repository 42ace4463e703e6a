// Music streams through OpenAL Soft's wave writer and without any audio device, each run in a
// child process of its own.
#include <gtest/gtest.h>

#include <dirent.h>

#include "AudioSupport.h"
#include "Configuration.h"
#include "LogManager.h"
#include "Platform.h"
#include "ResourceManager.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

/// Threads of this process.
int threadCount() {
  int count = 0;
  if (DIR *p_dir = opendir("/proc/self/task")) {
    while (dirent *p_entry = readdir(p_dir))
      if (p_entry->d_name[0] != '.')
        count++;
    closedir(p_dir);
  }
  return count;
}

} // namespace

TEST(Music, LoopsUntilStopped) {
  std::string wav = scratchPath("tune.wav"), out = scratchPath("out.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(wav, 0.25f, 330.0f);
  writeWaveConf(conf, out);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 5);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.loadMusic(wav, "music") == 0);
    ks::Music *p_music = rm.getMusic("music");
    CHILD_CHECK(p_music != nullptr);
    p_music->play(true);
    ks::sleepMilliseconds(1000);
    CHILD_CHECK(p_music->isPlaying()); // four times the stream's length
    p_music->stop();
    CHILD_CHECK(!p_music->isPlaying());
    ks::sleepMilliseconds(500);
    return 0;
  });
  ASSERT_EQ(0, rc);
  EXPECT_TRUE(logContains(log, "ResourceManager::loadMusic(): Music 'music' successfully loaded"));
  EXPECT_TRUE(logContains(log, "ResourceManager::getMusic(): Looking for music 'music'"));
  EXPECT_TRUE(logContains(log, "Music::play(): Playing music."));
  EXPECT_TRUE(logContains(log, "Music::stop(): Stopping music."));
  WaveStats stats = readWaveStats(out);
  ASSERT_TRUE(stats.valid);
  ASSERT_GT(stats.rate, 0);
  EXPECT_GT(stats.loud_frames, stats.rate * 7 / 10);
  EXPECT_LT(stats.last_loud, stats.frames - stats.rate * 3 / 10);
}

TEST(Music, PlaysOnceWithoutLoop) {
  std::string wav = scratchPath("tune.wav"), out = scratchPath("out.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(wav, 0.25f, 330.0f);
  writeWaveConf(conf, out);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.loadMusic(wav, "music") == 0);
    rm.getMusic("music")->play(false);
    ks::sleepMilliseconds(800);
    CHILD_CHECK(!rm.getMusic("music")->isPlaying());
    return 0;
  });
  ASSERT_EQ(0, rc);
  WaveStats stats = readWaveStats(out);
  ASSERT_TRUE(stats.valid);
  EXPECT_GT(stats.loud_frames, stats.rate * 15 / 100);
  EXPECT_LT(stats.loud_frames, stats.rate * 4 / 10);
}

TEST(Music, WithoutAudioDeviceLoopingStartsNoThread) {
  std::string wav = scratchPath("tune.wav"), conf = scratchPath("alsoft.conf");
  std::string log = scratchPath("log");
  writeToneWav(wav, 0.25f);
  writeNoDeviceConf(conf);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 5);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(!rm.hasAudio());
    CHILD_CHECK(rm.loadMusic(wav, "music") == 0);
    ks::Music *p_music = rm.getMusic("music");
    CHILD_CHECK(p_music != nullptr && p_music->getLabel() == "music");
    int threads = threadCount();
    p_music->play(true);
    ks::sleepMilliseconds(100);
    CHILD_CHECK(threadCount() == threads);
    CHILD_CHECK(!p_music->isPlaying());
    rm.shutDown(); // stops the music with its line
    return 0;
  });
  ASSERT_EQ(0, rc);
  EXPECT_EQ(1, logCount(log, "ResourceManager::startUp(): No audio device. Sounds and music "
                             "will not play."));
  EXPECT_TRUE(logContains(log, "Music::stop(): Stopping music."));
}

TEST(Music, LoadFailures) {
  std::string wav = scratchPath("tune.wav"), conf = scratchPath("alsoft.conf");
  std::string log = scratchPath("log"), missing = scratchPath("missing.ogg");
  writeToneWav(wav, 0.05f);
  writeNoDeviceConf(conf);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    // The label is checked before the file is touched.
    CHILD_CHECK(rm.loadMusic(missing, "") == -1);
    CHILD_CHECK(rm.loadMusic(missing, "gone") == -1);
    CHILD_CHECK(rm.getMusic("gone") == nullptr);
    for (int i = 0; i < ks::MAX_MUSICS; i++)
      CHILD_CHECK(rm.loadMusic(wav, "m" + std::to_string(i)) == 0);
    CHILD_CHECK(rm.loadMusic(wav, "one too many") == -1);
    CHILD_CHECK(rm.getMusic("m127") != nullptr);
    return 0;
  });
  ASSERT_EQ(0, rc);
  std::vector<std::string> lines = logMessages(log);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ("ResourceManager::loadMusic(): Must provide label for music", lines[1]);
  EXPECT_EQ("ResourceManager::loadmusic(): Cannot load music from file '" + missing + "'",
            lines[2]);
  EXPECT_EQ("ResourceManager::getMusic(): Music 'gone' not found", lines[3]);
  EXPECT_EQ(1, logCount(log, "ResourceManager::loadMusic(): Unable to add more musics (max is "
                             "128)"));
}
