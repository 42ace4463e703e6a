// Recordings: a run's input written as sent and sent again in its steps, and recordings that
// don't read refused with the line at fault.
#include <sstream>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathFind.h"
#include "PathManager.h"
#include "Recording.h"
#include "RecordingObject.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

/// Sends a fixed script: `script[step]` in that step.
class ScriptedInput : public ks::InputSource {
public:
  explicit ScriptedInput(std::vector<std::vector<ks::InputEvent>> init_script)
      : script(std::move(init_script)) {}
  int start() override { return 0; }
  void stop() override {}
  void poll(int step, std::vector<ks::InputEvent> &events) override {
    if (step < static_cast<int>(script.size()))
      events.insert(events.end(), script[step].begin(), script[step].end());
  }

private:
  std::vector<std::vector<ks::InputEvent>> script;
};

/// Every keyboard and mouse event an object is sent, one line each, with the step it came in.
std::string describe(const ks::Event *p_e) {
  std::ostringstream out;
  out << ks::GameManager::getInstance().getStepCount() << " ";
  if (p_e->getType() == ks::KEYBOARD_EVENT) {
    auto *p_k = static_cast<const ks::EventKeyboard *>(p_e);
    out << "key " << p_k->getKeyboardAction() << " " << p_k->getKey();
  } else {
    auto *p_m = static_cast<const ks::EventMouse *>(p_e);
    out.precision(9);
    out << "mouse " << p_m->getMouseAction() << " " << p_m->getMouseButton() << " "
        << p_m->getMousePosition().getX() << " " << p_m->getMousePosition().getY();
  }
  return out.str();
}

/// Runs the engine with the text display and `settings` until the input ends the game or
/// `steps` steps have run; returns what an object interested in input was sent.
std::vector<std::string> run(const std::string &settings, int steps, ks::InputSource *p_source) {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile(scratchPath("log"));
  config.setOverrides("display:text,frame_time:0," + settings);
  ks::GameManager &game = ks::GameManager::getInstance();
  EXPECT_EQ(0, game.startUp());
  ks::InputManager::getInstance().setSource(p_source);
  std::vector<std::string> seen;
  auto *p_listener = new RecordingObject;
  p_listener->registerInterest(ks::KEYBOARD_EVENT);
  p_listener->registerInterest(ks::MOUSE_EVENT);
  p_listener->registerInterest(ks::STEP_EVENT);
  p_listener->on_event = [&seen, steps](const ks::Event *p_e) {
    if (p_e->getType() != ks::STEP_EVENT)
      seen.push_back(describe(p_e));
    else if (static_cast<const ks::EventStep *>(p_e)->getStepCount() + 1 >= steps)
      ks::GameManager::getInstance().setGameOver(true);
  };
  game.run();
  ks::InputManager::getInstance().setSource(nullptr);
  game.shutDown();
  return seen;
}

} // namespace

TEST(RecordingTest, WhatIsRecordedIsSentAgainInItsSteps) {
  using IE = ks::InputEvent;
  ScriptedInput script({
      {IE::keyboard(ks::KEY_PRESSED, ks::P), IE::keyboard(ks::KEY_DOWN, ks::P)},
      {},
      {IE::mouse(ks::MOVED, -1, ks::Vector(1.0f / 3, 23.999f)),
       IE::mouse(ks::CLICKED, ks::LEFT, ks::Vector(-0.5f, 1e-7f)),
       IE::mouse(ks::PRESSED, ks::MIDDLE, ks::Vector(79.9f, 0))},
      {IE::keyboard(ks::KEY_RELEASED, 39 + 97), IE::keyboard(ks::KEY_DOWN, ks::NUM0),
       IE::keyboard(ks::KEY_PRESSED, ks::F12), IE::keyboard(ks::KEY_DOWN, ks::BACKSPACE)},
      {},
      {IE::close(), IE::keyboard(ks::KEY_PRESSED, ks::Q)}, // nothing is sent after a close
  });
  std::string recording = scratchPath("run.rec");
  std::vector<std::string> live = run("record_file:" + recording + ",random_seed:99", 20, &script);
  ASSERT_EQ(9u, live.size());                                  // nothing after the close
  EXPECT_EQ(6, ks::GameManager::getInstance().getStepCount()); // it ended the run in step 5

  ks::Recording read;
  ASSERT_EQ(0, read.readFile(recording));
  EXPECT_EQ(6, read.getSteps());
  EXPECT_EQ(99, read.getSettings().random_seed);
  EXPECT_EQ(80, read.getSettings().horizontal);
  EXPECT_EQ(24, read.getSettings().vertical);
  EXPECT_EQ(100, read.getSettings().path_plies);
  EXPECT_EQ(10u, read.getEvents().size());

  // Replayed, the same events arrive in the same steps, whatever the other source says.
  ScriptedInput noise({{IE::keyboard(ks::KEY_PRESSED, ks::X)}});
  EXPECT_EQ(live, run("replay_file:" + recording, 20, &noise));
}

TEST(RecordingTest, AReplayEndsWhereTheRecordedRunEnded) {
  std::string recording = scratchPath("short.rec");
  writeFile(recording, std::string(ks::Recording::FORMAT_LINE) +
                           "\nview 40 10\nframe_time 33\nrandom_seed 5\npath_plies 7\n"
                           "1 key pressed SPACE\nend 4\n");
  EXPECT_EQ(std::vector<std::string>{"1 key 0 0"}, run("replay_file:" + recording, 100, nullptr));
  EXPECT_EQ(4, ks::GameManager::getInstance().getStepCount());
  EXPECT_EQ(40, ks::Configuration::getInstance().getWindowHorizontalChars());
  EXPECT_EQ(7, ks::Configuration::getInstance().getPathPlies());
  EXPECT_TRUE(logContains(ks::Configuration::getInstance().getLogFile(),
                          "InputManager::getInput(): End of replay after 4 steps. Setting game "
                          "over."));
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

  // A replay that doesn't read stops start-up with its line.
  std::string file = scratchPath("bad.rec");
  writeFile(file, head + "0 key pressed SHIFT\nend 1\n");
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile(scratchPath("start.log"));
  config.setOverrides("display:text,replay_file:" + file);
  ks::LogManager::getInstance().shutDown();
  EXPECT_EQ(-1, ks::GameManager::getInstance().startUp());
  EXPECT_TRUE(logContains(config.getLogFile(), "line 6: unknown key 'SHIFT'"));
  ks::GameManager::getInstance().shutDown();
}

TEST(RecordingTest, WhileRecordingPathSearchesGetTheSetNumberOfPliesEveryStep) {
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile(scratchPath("log"));
  config.setOverrides("display:text,frame_time:0,path_plies:7,record_file:" +
                      scratchPath("plies.rec"));
  ks::GameManager &game = ks::GameManager::getInstance();
  ASSERT_EQ(0, game.startUp());
  auto *p_walker = new RecordingObject;
  p_walker->setPosition(ks::Vector(1, 1));
  ASSERT_EQ(0, ks::PathManager::getInstance().findPath(p_walker, ks::Vector(78, 22)));
  std::vector<int> plies;
  p_walker->registerInterest(ks::STEP_EVENT);
  p_walker->on_event = [&](const ks::Event *p_e) {
    if (p_e->getType() != ks::STEP_EVENT)
      return;
    plies.push_back(p_walker->getPathFind()->getPly());
    if (plies.size() == 3)
      ks::GameManager::getInstance().setGameOver(true);
  };
  game.run();
  game.shutDown();
  EXPECT_EQ((std::vector<int>{7, 14, 21}), plies); // whatever the machine's speed
}
