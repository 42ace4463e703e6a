// The sound synthesizer: six decodable, audible, unclipped wave files, the same on every run,
// and the note names its scores are written in.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <sys/stat.h>
#include <vector>

#include <SFML/Audio/InputSoundFile.hpp>
#include <gtest/gtest.h>

#include "Score.h"
#include "TestSupport.h"
#include "Tone.h"
#include "Track.h"

namespace {

int runSynth(const std::string &args) {
  return std::system(("'" + std::string(KS_SYNTH) + "' " + args + " 2>/dev/null").c_str());
}

TEST(Synth, WritesSixAudibleUnclippedFilesTheSameOnEveryRun) {
  struct Piece {
    const char *file;
    double min_seconds, max_seconds;
    bool loop;
  } pieces[] = {{"fire.wav", 0.15, 0.8, false},         {"dig.wav", 0.1, 0.6, false},
                {"monster-death.wav", 0.3, 1.2, false}, {"hero-death.wav", 0.8, 3.0, false},
                {"music.wav", 10.0, 20.0, true},        {"end-music.wav", 5.0, 10.0, true}};
  std::string dir = kstest::scratchPath("sounds"), again = kstest::scratchPath("again");
  mkdir(dir.c_str(), 0755);
  mkdir(again.c_str(), 0755);
  ASSERT_EQ(0, runSynth("'" + dir + "'"));
  ASSERT_EQ(0, runSynth("'" + again + "'"));
  for (const Piece &p : pieces) {
    SCOPED_TRACE(p.file);
    std::string path = dir + "/" + p.file;
    EXPECT_TRUE(kstest::readFile(path) == kstest::readFile(again + "/" + p.file));
    sf::InputSoundFile in;
    ASSERT_TRUE(in.openFromFile(path));
    EXPECT_EQ(1u, in.getChannelCount());
    const size_t rate = in.getSampleRate();
    EXPECT_TRUE(rate == 44100 || rate == 22050) << rate;
    std::vector<sf::Int16> s(static_cast<size_t>(in.getSampleCount()));
    ASSERT_EQ(s.size(), in.read(s.data(), s.size()));
    ASSERT_GE(s.size(), p.min_seconds * rate);
    EXPECT_LE(s.size(), p.max_seconds * rate);
    double sum = 0;
    int peak = 0, largest_step = 0;
    for (size_t i = 0; i < s.size(); i++) {
      sum += double(s[i]) * s[i];
      peak = std::max(peak, std::abs(int(s[i])));
      if (i > 0)
        largest_step = std::max(largest_step, std::abs(s[i] - s[i - 1]));
    }
    EXPECT_GT(std::sqrt(sum / s.size()) / 32768.0, 0.03) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    // Effects fade out (no click at the end); loops neither fade nor jump at the wrap.
    int tail_peak = 0;
    for (size_t i = s.size() - (p.loop ? rate / 10 : rate / 200); i < s.size(); i++)
      tail_peak = std::max(tail_peak, std::abs(int(s[i])));
    if (p.loop) {
      EXPECT_LT(std::abs(s.front() - s.back()), largest_step / 2) << "jump at the wrap";
      EXPECT_GT(tail_peak, 1000) << "fades out";
    } else {
      EXPECT_LT(tail_peak, 200) << "ends with a click";
    }
  }
  EXPECT_NE(0, runSynth(""));
  EXPECT_NE(0, runSynth("'" + kstest::scratchPath("no-such-dir") + "'"));
}

// Details the six files would not show: the note names, rests and lengths scores are written in,
// a narrow pulse is centred, noise follows its seed, and a loop wraps what runs past its end
// back to its start.
TEST(Synth, ReadsNotesCentresPulsesSeedsNoiseAndWrapsLoops) {
  std::vector<synth::Note> notes;
  ASSERT_EQ(0, synth::parseNotes("C4:2 F#5:1  Bb3:3 -:4 A4:16", &notes));
  std::string read;
  for (const synth::Note &n : notes)
    read += std::to_string(n.key) + ":" + std::to_string(n.steps) + " ";
  EXPECT_EQ("60:2 78:1 58:3 -1:4 69:16 ", read);
  EXPECT_DOUBLE_EQ(440.0, synth::keyToHz(69));
  for (const char *bad : {"H4:2", "C4", "C4:0", "C:2", "C#:1", "c4:2", "C4x:2", "C4:-1"})
    EXPECT_EQ(-1, synth::parseNotes(bad, &notes)) << bad;
  synth::Tone pulse;
  pulse.duty = 0.125;
  pulse.env = {0.0001, 0.0, 1.0, 0.0};
  pulse.gate = 1.0;
  std::vector<float> s = synth::renderTone(pulse, 44100);
  EXPECT_LT(std::fabs(std::accumulate(s.begin(), s.end(), 0.0) / s.size()), 0.01);
  synth::Tone noise;
  noise.wave = synth::NOISE;
  noise.freq = 8000.0;
  noise.seed = 7;
  s = synth::renderTone(noise, 22050);
  noise.seed = 8;
  EXPECT_NE(s, synth::renderTone(noise, 22050));
  synth::Track loop = synth::Track::loop(1000, 1000);
  synth::Tone tone;
  tone.gate = 0.3;
  tone.env.release = 0.0;
  loop.addTone(0.9, tone); // 0.2 s of it runs past the end
  ASSERT_EQ(1000u, loop.getSamples().size());
  EXPECT_GT(std::count_if(loop.getSamples().begin(), loop.getSamples().begin() + 200,
                          [](float v) { return v != 0.0f; }),
            150);
}

} // namespace
