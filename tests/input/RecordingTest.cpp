// Recordings: a replay's input recorded again as it was read up to its close or its end,
// recordings that don't read refused with the line at fault, and start-ups refused.
#include <gtest/gtest.h>

#include "Configuration.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Recording.h"
#include "RecordingObject.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

/// Starts the engine with the text display, its log in "log" and `settings`.
int start(const std::string &settings) {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile(scratchPath("log"));
  config.setOverrides("display:text,frame_time:0," + settings);
  return ks::GameManager::getInstance().startUp();
}

/// Runs the engine with `settings` until the input ends the game (100 steps at most).
void run(const std::string &settings) {
  ASSERT_EQ(0, start(settings));
  auto *p_guard = new RecordingObject;
  p_guard->registerInterest(ks::STEP_EVENT);
  p_guard->on_event = [](const ks::Event *) {
    if (ks::GameManager::getInstance().getStepCount() == 99)
      ks::GameManager::getInstance().setGameOver(true);
  };
  ks::GameManager::getInstance().run();
  ks::GameManager::getInstance().shutDown();
}

} // namespace

TEST(RecordingTest, AReplayIsRecordedAsItWasReadUpToItsCloseOrItsEnd) {
  // Settings that aren't the defaults: the replay runs with them, so they are recorded again.
  const std::string head = "kestle-recording 1\nview 40 10\nframe_time 0\nrandom_seed 99\n"
                           "path_plies 7\n";
  const std::string sent = "0 key pressed P\n0 key down P\n"
                           "2 mouse moved none 0.333333343 9.9989996\n"
                           "2 mouse clicked left -0.5 1.00000001e-07\n"
                           "2 mouse pressed middle 39.9000015 0\n"
                           "3 key released 136\n3 key down NUM0\n3 key pressed F12\n"
                           "3 key down BACKSPACE\n5 close\n";
  std::string in = scratchPath("in.rec"), out = scratchPath("out.rec"), log = scratchPath("log");
  writeFile(in, head + "# read, not sent\n" + sent + "5 key pressed Q\nend 9\n");
  run("log_level:1,replay_file:" + in + ",record_file:" + out);
  EXPECT_EQ(head + sent + "end 6\n", readFile(out)); // nothing after the close
  // Without a close the replay ends after the recorded run's steps.
  writeFile(in, head + "1 key pressed SPACE\nend 4\n");
  run("replay_file:" + in + ",record_file:" + out);
  EXPECT_EQ(head + "1 key pressed SPACE\nend 4\n", readFile(out));
  EXPECT_TRUE(logContains(
      log, "InputManager::getInput(): End of replay after 4 steps. Setting game over."));
}

TEST(RecordingTest, RecordingsThatDontReadAreRefusedNamingTheLine) {
  const std::string head = "kestle-recording 1\nview 80 24\nframe_time 33\nrandom_seed 1\n"
                           "path_plies 100\n";
  struct Bad {
    std::string text;
    int line;
    std::string says;
  } bad[] = {
      {"kestle-recording 2\n", 1, "expected \"kestle-recording 1\""},
      {"kestle-recording 1\nview 80\n", 2, "expected \"view <columns> <rows>\""},
      {"kestle-recording 1\nview 0 24\n", 2, "expected \"view <columns> <rows>\""},
      {"kestle-recording 1\nview 80 24\nframe_time -1\n", 3, "frame_time"},
      {"kestle-recording 1\nview 80 24\nframe_time 33\nseed 1\n", 4, "random_seed"},
      {head + "# a comment\n\n3 jump\n", 8, "expected \"<step> key"},
      {head + "3 key pressed A\n2 key released A\n", 7, "step 2 comes after step 3"},
      {head + "x key pressed A\n", 6, "expected a step number"},
      {head + "0 key pressed SHIFT\n", 6, "unknown key 'SHIFT'"},
      {head + "0 key tapped A\n", 6, "unknown key action 'tapped'"},
      {head + "0 mouse clicked thumb 1 1\n", 6, "unknown mouse button 'thumb'"},
      {head + "0 mouse moved none nan 1\n", 6, "bad mouse position"},
      {head + "0 mouse moved none 1e99 1\n", 6, "bad mouse position"},
      {head + "0 key pressed A\n", 6, "truncated"},
      {head + "4 key pressed A\nend 4\n", 7, "past the last event's step"},
      {head + "end 4\n0 close\n", 7, "nothing may follow"},
  };
  std::string log = startLog("log");
  ks::Recording recording;
  ASSERT_EQ(0, recording.readText(head + "2 key pressed 200\n2 close\nend 3\n", "good"));
  for (const Bad &b : bad) {
    EXPECT_EQ(-1, recording.readText(b.text, "bad.rec")) << b.text;
    EXPECT_EQ(2u, recording.getEvents().size()) << "half-read: " << b.text;
    std::vector<std::string> lines = logMessages(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::string::npos,
              lines.back().find("Error in 'bad.rec' line " + std::to_string(b.line) + ": "))
        << lines.back();
    EXPECT_NE(std::string::npos, lines.back().find(b.says)) << lines.back();
  }
  EXPECT_EQ(200, recording.getEvents()[0].event.key);
  ks::LogManager::getInstance().shutDown();
}

TEST(InputManager, StartUpNeedsTheGraphicsManagerAndAReplayThatReads) {
  std::string log = startLog("log");
  ks::InputManager &im = ks::InputManager::getInstance();
  EXPECT_EQ(-1, im.startUp());
  EXPECT_FALSE(im.isStarted());
  im.getInput(); // no display at all
  for (const char *line : {"InputManager::startUp(): Error starting InputManager. "
                           "GraphicsManager must be started first.",
                           "InputManager::getInput(): GraphicsManager unexpectedly returned "
                           "null window!"})
    EXPECT_TRUE(logContains(log, line)) << line;
  // A replay that doesn't read stops the engine's start-up with its line.
  std::string file = scratchPath("bad.rec");
  writeFile(file, "kestle-recording 1\nview 80 24\nframe_time 33\nrandom_seed 1\npath_plies 1\n"
                  "0 key pressed SHIFT\nend 1\n");
  ks::LogManager::getInstance().shutDown();
  EXPECT_EQ(-1, start("replay_file:" + file));
  EXPECT_TRUE(logContains(log, "line 6: unknown key 'SHIFT'"));
  ks::GameManager::getInstance().shutDown();
}
