// The synthesizer's building blocks: note names, tones and loop tracks.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "Score.h"
#include "Tone.h"
#include "Track.h"

namespace {

TEST(ScoreTest, ParsesNoteNamesRestsAndLengths) {
  std::vector<synth::Note> notes;
  ASSERT_EQ(synth::parseNotes("C4:2 F#5:1  Bb3:3 -:4 A4:16", &notes), 0);
  ASSERT_EQ(notes.size(), 5u);
  EXPECT_EQ(notes[0].key, 60);
  EXPECT_EQ(notes[0].steps, 2);
  EXPECT_EQ(notes[1].key, 78);
  EXPECT_EQ(notes[2].key, 58);
  EXPECT_EQ(notes[2].steps, 3);
  EXPECT_EQ(notes[3].key, -1);
  EXPECT_EQ(notes[3].steps, 4);
  EXPECT_EQ(notes[4].key, 69);
  EXPECT_EQ(notes[4].steps, 16);
  EXPECT_DOUBLE_EQ(synth::keyToHz(69), 440.0);
  EXPECT_NEAR(synth::keyToHz(60), 261.63, 0.01);
}

TEST(ScoreTest, RejectsMalformedItems) {
  for (const char *bad : {"H4:2", "C4", "C4:0", "C:2", "C#:1", "c4:2", "C4x:2", "C4:-1"}) {
    std::vector<synth::Note> notes;
    EXPECT_EQ(synth::parseNotes(bad, &notes), -1) << bad;
  }
}

TEST(ScoreTest, PlayNotesAdvancesByStepsAndSkipsRests) {
  synth::Track track(1000);
  synth::Tone tone;
  tone.env.release = 0.0;
  std::vector<synth::Note> notes = {{60, 2}, {-1, 3}, {64, 1}};
  EXPECT_EQ(synth::playNotes(track, notes, 4, 0.1, tone, 1.0), 10);
  // Last note: starts at step 9 (0.9 s), lasts one step.
  EXPECT_NEAR(track.getDuration(), 1.0, 0.002);
  // The rest (steps 6 to 8) is silent.
  for (size_t i = 620; i < 880; i++)
    ASSERT_EQ(track.getSamples()[i], 0.0f) << i;
}

TEST(ToneTest, LastsGatePlusReleaseAndFadesOut) {
  synth::Tone tone;
  tone.gate = 0.2;
  tone.env.release = 0.1;
  std::vector<float> s = synth::renderTone(tone, 10000);
  ASSERT_EQ(s.size(), 3000u);
  EXPECT_LT(std::fabs(s.back()), 0.001f);
  float peak = 0.0f;
  for (float v : s)
    peak = std::max(peak, std::fabs(v));
  EXPECT_GT(peak, 0.3f);
  EXPECT_LE(peak, 1.1f * float(tone.volume));
}

// A narrow pulse would sit off centre without its DC correction.
TEST(ToneTest, NarrowPulseIsCentred) {
  synth::Tone tone;
  tone.duty = 0.125;
  tone.env.attack = 0.0001;
  tone.env.sustain = 1.0;
  tone.gate = 1.0;
  tone.env.release = 0.0;
  std::vector<float> s = synth::renderTone(tone, 44100);
  double sum = 0.0;
  for (float v : s)
    sum += v;
  EXPECT_LT(std::fabs(sum / s.size()), 0.01);
}

TEST(ToneTest, NoiseDependsOnlyOnItsSeed) {
  synth::Tone noise;
  noise.wave = synth::NOISE;
  noise.freq = 8000.0;
  noise.seed = 7;
  std::vector<float> a = synth::renderTone(noise, 22050);
  EXPECT_EQ(a, synth::renderTone(noise, 22050));
  noise.seed = 8;
  EXPECT_NE(a, synth::renderTone(noise, 22050));
}

TEST(TrackTest, LoopWrapsTailsToTheStartAndKeepsItsLength) {
  synth::Track loop = synth::Track::loop(1000, 1000);
  synth::Tone tone;
  tone.gate = 0.3;
  tone.env.release = 0.0;
  loop.addTone(0.9, tone); // 0.2 s of it runs past the end
  ASSERT_EQ(loop.getSamples().size(), 1000u);
  int wrapped = 0;
  for (size_t i = 0; i < 200; i++)
    wrapped += loop.getSamples()[i] != 0.0f;
  EXPECT_GT(wrapped, 150);
  for (size_t i = 200; i < 900; i++)
    ASSERT_EQ(loop.getSamples()[i], 0.0f) << i;

  synth::Track once(1000);
  once.addTone(0.9, tone);
  EXPECT_EQ(once.getSamples().size(), 1200u);
}

TEST(TrackTest, NormalizeScalesToThePeakAndLeavesSilenceAlone) {
  synth::Track t(1000);
  synth::Tone tone;
  t.addTone(0.0, tone);
  t.normalize(0.5f);
  float peak = 0.0f;
  for (float v : t.getSamples())
    peak = std::max(peak, std::fabs(v));
  EXPECT_FLOAT_EQ(peak, 0.5f);

  synth::Track silent = synth::Track::loop(1000, 10);
  silent.normalize(0.5f);
  for (float v : silent.getSamples())
    EXPECT_EQ(v, 0.0f);
}

} // namespace
