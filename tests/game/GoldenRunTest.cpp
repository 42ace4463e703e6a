// Whole games replayed from recordings kept with the tests: the frames at chosen steps and at
// the end, and the sounds and music of the run, must be the stored ones. After a change to the
// game that is meant to change them, store the new ones with
//   KS_UPDATE_GOLDEN=1 ctest --test-dir build -R GoldenRun
// and look at the difference before committing it.
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "GameRun.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

struct GoldenRun {
  const char *name;
  std::vector<int> frames; ///< frames to compare besides the last one
};

std::ostream &operator<<(std::ostream &out, const GoldenRun &run) {
  return out << run.name;
}

const GoldenRun RUNS[] = {
    {"quit", {3, 12}}, // a released key ends the splash; Q on the start screen
    {"splash", {0, 14, 15, 30, 45, 60, 89}}, // the splash to its end by itself, then Q
    {"win", {100, 300, 500, 700, 830}},      // across the level to the win screen
    {"pit", {100, 130, 150}},                // a fall into the pit, the game-over screen
    {"monster", {139, 305, 320}},            // a monster comes and kills the idle hero
    {"fight", {150, 250, 350}},              // arrows kill three monsters, held Q quits
};

std::string golden(const std::string &file) {
  return std::string(KS_TEST_DATA_DIR) + "/golden/" + file;
}

/// Starts replaying `name` in the run folder `dir`; the process id.
pid_t startReplay(const std::string &name, const std::string &dir) {
  return startProgram(dir,
                      {dir + "/kestle-game", "--replay", golden(name + ".rec"), "--text",
                       "--frame-log", "frames.txt", "--final-frame", "final.txt"},
                      {"ALSOFT_DRIVERS=null", "DISPLAY="}); // no X server at all
}

/// Replays `name` in a run folder of its own; the folder, or "" if the game failed.
std::string replay(const std::string &name, const std::string &folder) {
  std::string dir = makeRunFolder(folder, "log_level:5,");
  int status = waitProgram(startReplay(name, dir), 300000);
  EXPECT_EQ(0, status) << readFile(dir + "/stderr.txt");
  return status == 0 ? dir : "";
}

/// The log without its time column (step numbers and messages), and without the lines that
/// name the run's own folder.
std::string untimed(const std::string &log) {
  std::istringstream in(readFile(log));
  std::string line, text;
  while (std::getline(in, line))
    if (line.find("Frame log:") == std::string::npos)
      text += (line.size() > 9 ? line.substr(9) : line) + "\n";
  return text;
}

/// The log lines about sounds, music and the player leaving the world.
std::string soundsOf(const std::string &log) {
  std::istringstream in(untimed(log));
  std::string line, text;
  while (std::getline(in, line))
    if (line.find("sound") != std::string::npos || line.find("music") != std::string::npos ||
        line.find("Player left") != std::string::npos)
      text += line + "\n";
  return text;
}

bool updating() {
  return getenv("KS_UPDATE_GOLDEN") != nullptr;
}

class GoldenRunTest : public testing::TestWithParam<GoldenRun> {};

} // namespace

TEST_P(GoldenRunTest, ReplayShowsTheStoredFramesAndPlaysTheStoredSounds) {
  const GoldenRun &run = GetParam();
  std::string dir = replay(run.name, run.name);
  ASSERT_NE("", dir);
  std::map<int, ks::TextFrame> frames = readFrameLog(dir + "/frames.txt");
  ASSERT_FALSE(frames.empty());
  ks::TextFrame final_frame;
  ASSERT_EQ(0, final_frame.readFile(dir + "/final.txt"));
  EXPECT_EQ("", frameDifference(frames.rbegin()->second, final_frame)) << "--final-frame";

  std::map<int, ks::TextFrame> chosen{*frames.rbegin()};
  for (int number : run.frames)
    chosen[number] = frames[number];
  std::string sounds = soundsOf(dir + "/kestle.log");
  if (updating()) {
    writeFrameLog(golden(std::string(run.name) + ".frames"), chosen);
    writeFile(golden(std::string(run.name) + ".sounds"), sounds);
    return;
  }
  std::map<int, ks::TextFrame> expected = readFrameLog(golden(std::string(run.name) + ".frames"));
  ASSERT_EQ(expected.rbegin()->first, chosen.rbegin()->first) << "the run's number of frames";
  for (const auto &[number, frame] : expected)
    EXPECT_EQ("", frameDifference(frame, chosen[number])) << "frame " << number;
  EXPECT_EQ(readFile(golden(std::string(run.name) + ".sounds")), sounds);
}

INSTANTIATE_TEST_SUITE_P(Runs, GoldenRunTest, testing::ValuesIn(RUNS),
                         [](const testing::TestParamInfo<GoldenRun> &run) {
                           return std::string(run.param.name);
                         });

TEST(Replay, TwoReplaysGiveTheSameFrameAtEveryStepAndTheSameLog) {
  // Side by side, so that a run of its own could differ only by what the machine is doing.
  std::string first = makeRunFolder("first", "log_level:5,");
  std::string second = makeRunFolder("second", "log_level:5,");
  pid_t first_pid = startReplay("fight", first), second_pid = startReplay("fight", second);
  ASSERT_EQ(0, waitProgram(first_pid, 300000));
  ASSERT_EQ(0, waitProgram(second_pid, 300000));
  EXPECT_TRUE(readFile(first + "/frames.txt") == readFile(second + "/frames.txt"));
  EXPECT_TRUE(untimed(first + "/kestle.log") == untimed(second + "/kestle.log"));
}
