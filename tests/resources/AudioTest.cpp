// Sounds and music heard through OpenAL Soft's wave writer, and the resource manager without an
// audio device. Each run is a child process, so that OpenAL reads its configuration afresh.
#include <SFML/Audio/OutputSoundFile.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

#include "Configuration.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WaveFile.h"

using namespace kstest;
namespace fs = std::filesystem;

namespace {

/// A mono 44100 Hz wave file of a 440 Hz tone of a quarter of a second.
void writeTone(const std::string &path) {
  std::vector<sf::Int16> samples(44100 / 4);
  for (size_t i = 0; i < samples.size(); i++)
    samples[i] = static_cast<sf::Int16>(16000 * std::sin(i * 0.0627));
  sf::OutputSoundFile file;
  ASSERT_TRUE(file.openFromFile(path, 44100, 1));
  file.write(samples.data(), samples.size());
}

/// Runs `body` in a child whose OpenAL writes to the wave file `out` (no device if `out` is
/// empty), with the log at `level` in `log` and the resource manager started. True if the
/// child's checks held. The child leaves through exit(), which completes the wave file.
bool runAudio(const std::string &out, const std::string &log, int level,
              const std::function<void(ks::ResourceManager &)> &body) {
  std::string conf = scratchPath("alsoft.conf");
  writeFile(conf, out.empty() ? "[general]\ndrivers = no-such-driver\n"
                              : "[general]\ndrivers = wave\n[wave]\nfile = " + out + "\n");
  pid_t pid = fork();
  if (pid == 0) {
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    ks::Configuration::getInstance().setLogFile(log);
    ks::LogManager::getInstance().setFlush(true);
    ks::LogManager::getInstance().startUp();
    ks::LogManager::getInstance().setLogLevel(level);
    ks::ResourceManager::getInstance().startUp();
    body(ks::ResourceManager::getInstance());
    exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

/// Waits for `cond`, up to about 10 s.
bool waitFor(const std::function<bool()> &cond) {
  for (int i = 0; i < 500 && !cond(); i++)
    usleep(20000);
  return cond();
}

/// Seconds in the wave file `path`, and how many of them are loud.
std::pair<double, double> hear(const std::string &path) {
  Wave wave;
  if (!readWave(path, wave) || wave.rate <= 0)
    return {0, 0};
  double loud = 0;
  for (float sample : wave.mono)
    loud += std::fabs(sample) > 0.01 ? 1.0 / wave.rate : 0;
  return {static_cast<double>(wave.mono.size()) / wave.rate, loud};
}

} // namespace

// Played once, a 0.25 s tone is heard once; looping, it is heard until it is stopped (sounds
// only by the resource manager's shut-down, music by Music::stop()), and then no more.
TEST(Audio, PlaysOnceOrLoopsUntilStopped) {
  for (bool music : {false, true})
    for (bool loop : {false, true}) {
      SCOPED_TRACE(std::string(music ? "music" : "sound") + (loop ? " looping" : " once"));
      std::string tone = scratchPath("tone.wav"), out = scratchPath("out.wav");
      std::string log = scratchPath("log"), kind = music ? "Music" : "Sound";
      writeTone(tone);
      EXPECT_TRUE(runAudio(out, log, 1, [&](ks::ResourceManager &rm) {
        ASSERT_TRUE(rm.hasAudio());
        ASSERT_EQ(0, music ? rm.loadMusic(tone, "tone") : rm.loadSound(tone, "tone"));
        EXPECT_TRUE(logContains(log, "ResourceManager::load" + kind + "(): " + kind +
                                         " 'tone' successfully loaded"));
        ks::Music *p_music = music ? rm.getMusic("tone") : nullptr;
        ks::Sound *p_sound = music ? nullptr : rm.getSound("tone");
        music ? p_music->play(loop) : p_sound->play(loop);
        if (loop) {
          ASSERT_TRUE(waitFor([&]() { return hear(out).second > 0.75; }));
          music ? p_music->stop() : rm.shutDown();
        } else {
          EXPECT_TRUE(
              waitFor([&]() { return !(music ? p_music->isPlaying() : p_sound->isPlaying()); }));
        }
        auto [seconds, loud] = hear(out);
        ASSERT_TRUE(waitFor([&]() { return hear(out).first > seconds + 0.5; }));
        EXPECT_LT(hear(out).second, loud + 0.1) << "heard after it ended";
        EXPECT_GT(hear(out).second, loop ? 0.75 : 0.15);
        EXPECT_LT(hear(out).second, loop ? 100 : 0.4);
      }));
    }
}

// Without a device loads and lookups work and nothing plays: looping music starts no thread.
// Failed loads use no slot and say why; 128 of each fit; the first of two labels is found.
TEST(Audio, WithoutDeviceLoadsAndFindsWithinLimits) {
  std::string tone = scratchPath("tone.wav"), bad = scratchPath("bad.wav");
  std::string missing = scratchPath("missing.ogg"), log = scratchPath("log");
  writeTone(tone);
  writeFile(bad, "RIFF, but not really a sound file\n");
  ASSERT_TRUE(runAudio("", log, 0, [&](ks::ResourceManager &rm) {
    EXPECT_FALSE(rm.hasAudio());
    EXPECT_EQ(-1, rm.loadMusic(missing, "")); // the label is checked first
    EXPECT_TRUE(rm.loadMusic(missing, "gone") == -1 && rm.getMusic("gone") == nullptr);
    EXPECT_TRUE(rm.loadSound(bad, "bad") == -1 && rm.loadSound(missing, "missing") == -1);
    EXPECT_EQ(nullptr, rm.getSound("bad"));
    ASSERT_EQ(0, rm.loadSound(tone, "same"));
    ks::Sound *p_first = rm.getSound("same");
    EXPECT_TRUE(rm.loadSound(bad, "same") == -1 && rm.loadSound(tone, "same") == 0);
    EXPECT_TRUE(rm.getSound("same") == p_first && rm.getSound("Same") == nullptr);
    for (int i = 0; i < ks::MAX_MUSICS; i++) // as many as sounds
      ASSERT_TRUE((i < 2 || rm.loadSound(tone, std::to_string(i)) == 0) &&
                  rm.loadMusic(tone, std::to_string(i)) == 0);
    EXPECT_TRUE(rm.loadSound(tone, "x") == -1 && rm.loadMusic(tone, "x") == -1);
    ks::Music *p_music = rm.getMusic("127"); // a crash fails the child
    auto threads = []() { return std::distance(fs::directory_iterator("/proc/self/task"), {}); };
    auto before = threads();
    p_first->play(true);
    p_music->play(true);
    EXPECT_EQ(before, threads()); // a stream without a device would spin a thread
    EXPECT_FALSE(p_first->isPlaying() || p_music->isPlaying());
    rm.shutDown();
    EXPECT_TRUE(rm.loadSound(tone, "late") == -1 && rm.loadMusic(tone, "late") == -1);
  }));
  const std::string RM = "ResourceManager::";
  std::vector<std::string> lines = logMessages(log);
  auto first = std::find(lines.begin(), lines.end(),
                         RM + "startUp(): No audio device. Sounds and music will not play.");
  ASSERT_NE(lines.end(), first);
  EXPECT_EQ(
      (std::vector<std::string>{RM + "loadMusic(): Must provide label for music",
                                RM + "loadmusic(): Cannot load music from file '" + missing + "'",
                                RM + "getMusic(): Music 'gone' not found",
                                RM + "loadSound(): Cannot load sound from file '" + bad + "'",
                                RM + "loadSound(): Cannot load sound from file '" + missing + "'",
                                RM + "getSound(): Sound 'bad' not found",
                                RM + "loadSound(): Cannot load sound from file '" + bad + "'",
                                RM + "getSound(): Sound 'Same' not found",
                                RM + "loadSound(): Unable to add more sounds (max is 128)",
                                RM + "loadMusic(): Unable to add more musics (max is 128)",
                                "ResourceManager not started!", "ResourceManager not started!"}),
      std::vector<std::string>(first + 1, lines.end()));
}
