// Sound effects through OpenAL Soft's wave writer, and the resource manager without any
// audio device. Every run happens in a child process so that OpenAL reads its configuration
// afresh.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include "AudioSupport.h"
#include "Configuration.h"
#include "LogManager.h"
#include "Platform.h"
#include "ResourceManager.h"
#include "TestSupport.h"

using namespace kstest;

TEST(Sound, PlaysOnceThroughTheAudioDevice) {
  std::string wav = scratchPath("tone.wav"), out = scratchPath("out.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(wav, 0.3f);
  writeWaveConf(conf, out);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 5);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.hasAudio());
    CHILD_CHECK(rm.loadSound(wav, "beep") == 0);
    ks::Sound *p_sound = rm.getSound("beep");
    CHILD_CHECK(p_sound != nullptr);
    p_sound->play(false);
    CHILD_CHECK(p_sound->isPlaying());
    ks::sleepMilliseconds(700);
    CHILD_CHECK(!p_sound->isPlaying());
    return 0;
  });
  ASSERT_EQ(0, rc);
  EXPECT_FALSE(logContains(log, "No audio device"));
  EXPECT_TRUE(logContains(log, "ResourceManager::loadSound(): Sound 'beep' successfully loaded"));
  EXPECT_TRUE(logContains(log, "ResourceManager::getSound(): Looking for sound 'beep'"));
  EXPECT_TRUE(logContains(log, "Sound::play(): Playing sound."));
  WaveStats stats = readWaveStats(out);
  ASSERT_TRUE(stats.valid);
  ASSERT_GT(stats.rate, 0);
  // The 0.3 s tone reached the device, once.
  EXPECT_GT(stats.loud_frames, stats.rate * 2 / 10);
  EXPECT_LT(stats.loud_frames, stats.rate * 45 / 100);
}

TEST(Sound, LoopsUntilShutDownStopsIt) {
  std::string wav = scratchPath("tone.wav"), out = scratchPath("out.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(wav, 0.2f);
  writeWaveConf(conf, out);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.loadSound(wav, "loop") == 0);
    rm.getSound("loop")->play(true);
    ks::sleepMilliseconds(800);
    CHILD_CHECK(rm.getSound("loop")->isPlaying());
    rm.shutDown();
    CHILD_CHECK(!rm.getSound("loop")->isPlaying());
    ks::sleepMilliseconds(500);
    return 0;
  });
  ASSERT_EQ(0, rc);
  WaveStats stats = readWaveStats(out);
  ASSERT_TRUE(stats.valid);
  ASSERT_GT(stats.rate, 0);
  EXPECT_GT(stats.loud_frames, stats.rate * 6 / 10);              // several rounds of a 0.2 s tone
  EXPECT_LT(stats.last_loud, stats.frames - stats.rate * 3 / 10); // silence after the stop
}

TEST(Sound, WithoutAudioDeviceLoadsAndFindsButPlaysNothing) {
  std::string wav = scratchPath("tone.wav"), conf = scratchPath("alsoft.conf");
  std::string log = scratchPath("log");
  writeToneWav(wav, 0.2f);
  writeNoDeviceConf(conf);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(!rm.hasAudio());
    CHILD_CHECK(rm.loadSound(wav, "beep") == 0);
    ks::Sound *p_sound = rm.getSound("beep");
    CHILD_CHECK(p_sound != nullptr && p_sound->getLabel() == "beep");
    p_sound->play(true);
    CHILD_CHECK(!p_sound->isPlaying());
    p_sound->stop();
    rm.shutDown();
    return 0;
  });
  ASSERT_EQ(0, rc);
  EXPECT_EQ(1, logCount(log, "ResourceManager::startUp(): No audio device. Sounds and music "
                             "will not play."));
}

TEST(Sound, FailedLoadKeepsItsSlotFree) {
  std::string wav = scratchPath("tone.wav"), bad = scratchPath("bad.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(wav, 0.05f);
  writeFile(bad, "RIFF, but not really a sound file\n");
  writeNoDeviceConf(conf);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.loadSound(bad, "bad") == -1);
    CHILD_CHECK(rm.loadSound(bad + ".missing", "missing") == -1);
    CHILD_CHECK(rm.getSound("bad") == nullptr);
    // The failures used no slot: exactly MAX_SOUNDS loads still fit.
    for (int i = 0; i < ks::MAX_SOUNDS; i++)
      CHILD_CHECK(rm.loadSound(wav, "s" + std::to_string(i)) == 0);
    CHILD_CHECK(rm.loadSound(wav, "one too many") == -1);
    CHILD_CHECK(rm.getSound("s0") != nullptr);
    CHILD_CHECK(rm.getSound("s127") != nullptr);
    // A second sound under a used label is stored but never found.
    return 0;
  });
  ASSERT_EQ(0, rc);
  EXPECT_TRUE(
      logContains(log, "ResourceManager::loadSound(): Cannot load sound from file '" + bad + "'"));
  EXPECT_TRUE(logContains(log, "ResourceManager::getSound(): Sound 'bad' not found"));
  EXPECT_EQ(1, logCount(log, "ResourceManager::loadSound(): Unable to add more sounds (max is "
                             "128)"));
}

TEST(Sound, FirstOfTwoUnderOneLabelIsFound) {
  std::string one = scratchPath("one.wav"), two = scratchPath("two.wav");
  std::string conf = scratchPath("alsoft.conf"), log = scratchPath("log");
  writeToneWav(one, 0.05f);
  writeToneWav(two, 0.05f);
  writeNoDeviceConf(conf);
  int rc = runAudioChild(conf, [&]() {
    startResources(log, 0);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    CHILD_CHECK(rm.loadSound(one, "same") == 0);
    ks::Sound *p_first = rm.getSound("same");
    CHILD_CHECK(rm.loadSound(two, "same") == 0);
    CHILD_CHECK(rm.getSound("same") == p_first);
    CHILD_CHECK(rm.getSound("Same") == nullptr); // labels compare exactly
    return 0;
  });
  EXPECT_EQ(0, rc);
}

TEST(Sound, LoadBeforeStartUpFails) {
  std::string log = startLog("log");
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSound("whatever.wav", "x"));
  EXPECT_TRUE(logContains(log, "ResourceManager not started!"));
}
