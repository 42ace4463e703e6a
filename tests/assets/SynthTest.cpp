// The sound synthesizer: six decodable, audible, unclipped WAV files, the same on every run.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <SFML/Audio/InputSoundFile.hpp>
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

struct Expected {
  const char *file;
  double min_seconds;
  double max_seconds;
  bool loop;
};

const Expected PIECES[] = {
    {"fire.wav", 0.15, 0.8, false},         {"dig.wav", 0.1, 0.6, false},
    {"monster-death.wav", 0.3, 1.2, false}, {"hero-death.wav", 0.8, 3.0, false},
    {"music.wav", 10.0, 20.0, true},        {"end-music.wav", 5.0, 10.0, true},
};

/// Decoded samples of one file.
struct Decoded {
  bool ok = false;
  unsigned channels = 0;
  unsigned rate = 0;
  std::vector<int16_t> samples;
  double seconds() const { return rate == 0 ? 0.0 : double(samples.size()) / rate; }
};

Decoded decode(const std::string &path) {
  Decoded d;
  sf::InputSoundFile in;
  if (!in.openFromFile(path))
    return d;
  d.channels = in.getChannelCount();
  d.rate = in.getSampleRate();
  d.samples.resize(static_cast<size_t>(in.getSampleCount()));
  d.ok = in.read(d.samples.data(), d.samples.size()) == d.samples.size();
  return d;
}

int runSynth(const std::string &args) {
  std::string command = std::string("'") + KS_SYNTH + "' " + args + " 2>/dev/null";
  return std::system(command.c_str());
}

std::string makeScratchDir(const std::string &name) {
  std::string dir = kstest::scratchPath(name);
  mkdir(dir.c_str(), 0755);
  return dir;
}

class SynthTest : public testing::Test {
protected:
  void SetUp() override {
    dir = makeScratchDir("sounds");
    ASSERT_EQ(runSynth("'" + dir + "'"), 0);
  }
  std::string dir;
};

TEST_F(SynthTest, WritesSixMonoFilesOfTheExpectedLength) {
  for (const Expected &e : PIECES) {
    SCOPED_TRACE(e.file);
    Decoded d = decode(dir + "/" + e.file);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.channels, 1u);
    EXPECT_TRUE(d.rate == 44100 || d.rate == 22050) << d.rate;
    EXPECT_GE(d.seconds(), e.min_seconds);
    EXPECT_LE(d.seconds(), e.max_seconds);
  }
}

TEST_F(SynthTest, LevelsAreAudibleWithoutClipping) {
  for (const Expected &e : PIECES) {
    SCOPED_TRACE(e.file);
    Decoded d = decode(dir + "/" + e.file);
    ASSERT_TRUE(d.ok);
    ASSERT_FALSE(d.samples.empty());
    double sum = 0.0;
    int peak = 0;
    for (int16_t s : d.samples) {
      sum += double(s) * s;
      peak = std::max(peak, std::abs(int(s)));
    }
    double rms = std::sqrt(sum / d.samples.size()) / 32768.0;
    EXPECT_GT(rms, 0.03);
    EXPECT_GT(peak, 32768 / 4);
    EXPECT_LT(peak, 32767) << "clipped";
  }
}

// Effects fade out (no click at the end); loops neither fade nor jump at the wrap.
TEST_F(SynthTest, EffectsFadeOutAndLoopsWrapSmoothly) {
  for (const Expected &e : PIECES) {
    SCOPED_TRACE(e.file);
    Decoded d = decode(dir + "/" + e.file);
    ASSERT_TRUE(d.ok);
    ASSERT_GT(d.samples.size(), 1000u);
    int largest_step = 0;
    for (size_t i = 1; i < d.samples.size(); i++)
      largest_step = std::max(largest_step, std::abs(d.samples[i] - d.samples[i - 1]));
    int wrap_step = std::abs(d.samples.front() - d.samples.back());
    if (e.loop) {
      EXPECT_LT(wrap_step, largest_step / 2);
      // The tail is as loud as the rest: music, not a fade-out.
      int tail_peak = 0;
      for (size_t i = d.samples.size() - d.rate / 10; i < d.samples.size(); i++)
        tail_peak = std::max(tail_peak, std::abs(int(d.samples[i])));
      EXPECT_GT(tail_peak, 1000);
    } else {
      for (size_t i = d.samples.size() - d.rate / 200; i < d.samples.size(); i++)
        EXPECT_LT(std::abs(int(d.samples[i])), 200) << "sample " << i;
    }
  }
}

TEST_F(SynthTest, OutputIsTheSameOnEveryRun) {
  std::string again = makeScratchDir("again");
  ASSERT_EQ(runSynth("'" + again + "'"), 0);
  for (const Expected &e : PIECES) {
    SCOPED_TRACE(e.file);
    std::string first = kstest::readFile(dir + "/" + e.file);
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == kstest::readFile(again + "/" + e.file));
  }
}

TEST(SynthUsageTest, FailsWithoutFolderOrWhenFolderIsMissing) {
  EXPECT_NE(runSynth(""), 0);
  EXPECT_NE(runSynth("'" + kstest::scratchPath("no-such-dir") + "'"), 0);
}

} // namespace
