// The sprite file loader: good files, every kind of broken file, and the table of sprites.
#include <gtest/gtest.h>

#include "LogManager.h"
#include "ResourceManager.h"
#include "TestSupport.h"

using namespace kstest;
using Lines = std::vector<std::string>;

namespace {

std::string sprites(const std::string &name) {
  return std::string(KS_TEST_DATA_DIR) + "/sprites/" + name;
}

/// Restarts the log (at `level`) and the resource manager; messages() are those written since.
class SpriteLoader : public testing::Test {
protected:
  void start(int level) {
    log = startLog("log");
    ks::LogManager::getInstance().setLogLevel(level);
    rm.startUp();
    skip = logMessages(log).size();
  }
  void SetUp() override { start(0); }
  void TearDown() override { rm.shutDown(); }
  Lines messages() const {
    Lines all = logMessages(log);
    return Lines(all.begin() + std::min(skip, all.size()), all.end());
  }
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  std::string log;
  size_t skip = 0;
};

} // namespace

// Every file with its result, what was loaded ("WxH:" and the frames) and the lines written.
TEST_F(SpriteLoader, LoadsGoodFilesAndReportsBrokenOnesOnTheirLines) {
  const std::string RM = "ResourceManager::loadSprite(): ", E = "\tError line ";
  const std::string ADD = RM + "Cannot add frame!", OPENED = RM + "Opened file 'FILE'";
  const std::string ZERO = RM + "error readLineInt().  frames 0";
  const Lines LOADED = {OPENED, RM + "Sprite 's' successfully loaded"};
  const Lines RED = {RM + "Unrecognized color 'Red'",
                     "  Valid colors are: black, red, green, yellow,",
                     "                    blue, magenta, cyan and white."};
  const std::string TWO = "3x2:abcdef/|\\\\|/";
  const Lines PALE = {RM + "Unrecognized color ' pale'", RED[1], RED[2]};
  struct Case {
    const char *file;
    int level, rc, color;
    std::string frames;
    Lines lines;
  } cases[] = {
      {"two-frames.txt", 1, 0, ks::GREEN, TWO, LOADED},
      {"two-frames-crlf.txt", 0, 0, ks::GREEN, TWO, {}},
      {"trailing-blanks.txt", 0, 0, ks::CYAN, "4x2:ab    cd", {}},
      {"binary-rows.txt", 0, 0, ks::RED, std::string("3x2:\x00\xff\x01 \t\x7f", 10), {}},
      {"color-default.txt", 0, 0, ks::WHITE, TWO, {}},
      {"color-capital.txt", 0, 0, ks::WHITE, TWO, RED},
      {"color-untrimmed.txt", 0, 0, ks::WHITE, "2x1:ab", PALE},
      {"no-final-newline.txt", 0, -1, 0, "", {E + "11. End of file reached or missing newline."}},
      {"wide-row.txt", 0, -1, 0, "", {E + "6.  Width 4 of 3.", "\tLine is 'abcd'", ADD}},
      {"frames-zero.txt", 0, -1, 0, "", {}},
      {"frames-zero.txt", 10, -1, 0, "", {OPENED, ZERO}},
      {"tag-alone.txt", 10, -1, 0, "", {OPENED, ZERO}},
      {"frames-huge.txt", 10, -1, 0, "", {OPENED, RM + "error readLineInt().  frames -2147483648"}},
      {"color-alone.txt", 10, -1, 0, "", {OPENED, RM + "error readLineStr().  Color ''"}},
      {"frame-tag.txt", 0, -1, 0, "", {E + "1.  Expected 'frames #'", "\tHave 'frame 2'"}},
      {"short-frames.txt", 0, -1, 0, "", {ADD}},
      {"truncated.txt", 0, -1, 0, "", {ADD}},
      {"absurd-frames.txt", 0, -1, 0, "", {ADD}}, // two billion frames, memory for two
      {"absurd-size.txt", 0, -1, 0, "", {E + "5.  Width 3 of 2000000000.", "\tLine is 'abc'", ADD}},
      {"empty.txt", 0, -1, 0, "", {E + "1.  Unexpected end of file."}},
      {"missing-end.txt", 0, -1, 0, "", {E + "6.  Expected 'end'.", "\tLine is 'en'.", ADD}},
      {"missing-eof.txt", 0, -1, 0, "", {E + "7.  Expected 'eof'.", "\tLine is 'EOF'."}},
      {"no-such-sprite.txt", 0, -1, 0, "", {RM + "Cannot open file 'FILE'"}},
  };
  for (Case &c : cases) {
    SCOPED_TRACE(c.file);
    start(c.level);
    std::string file = sprites(c.file);
    for (std::string &line : c.lines)
      if (size_t at = line.find("FILE"); at != std::string::npos)
        line.replace(at, 4, file);
    EXPECT_EQ(c.rc, rm.loadSprite(file, "s"));
    EXPECT_EQ(c.lines, messages());
    ks::Sprite *p_s = rm.getSprite("s");
    std::string frames;
    if (p_s != nullptr) {
      EXPECT_EQ(c.color, p_s->getColor());
      frames = std::to_string(p_s->getWidth()) + "x" + std::to_string(p_s->getHeight()) + ":";
      for (int i = 0; i < p_s->getFrameCount(); i++)
        frames += p_s->getFrame(i).getString();
    }
    EXPECT_EQ(c.frames, frames);
  }
}

TEST_F(SpriteLoader, TableFindsTheFirstAndHoldsAThousand) {
  ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "same"));
  ASSERT_EQ(0, rm.loadSprite(sprites("color-default.txt"), "same"));
  ks::Sprite *p_same = rm.getSprite("same");
  EXPECT_EQ(ks::GREEN, p_same->getColor());
  // Full at the file's frame count; a frame out of range is the empty one.
  EXPECT_EQ(-1, p_same->addFrame(ks::Frame(3, 2, "abcdef")));
  EXPECT_EQ(2, p_same->getFrameCount());
  for (int index : {-1, 2})
    EXPECT_EQ(0, p_same->getFrame(index).getWidth() + p_same->getFrame(index).getHeight());
  EXPECT_EQ(nullptr, rm.getSprite("Same"));
  for (int i = 2; i < ks::MAX_SPRITES; i++)
    ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "s" + std::to_string(i)));
  // Refused before the file is even opened.
  EXPECT_EQ(-1, rm.loadSprite(sprites("no-such-sprite.txt"), "one too many"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Unable to add more Sprites (max is 1000)", ""}),
            messages());
  EXPECT_NE(nullptr, rm.getSprite("s999"));
  rm.shutDown();
  EXPECT_EQ(nullptr, rm.getSprite("s999"));
  EXPECT_EQ(-1, rm.loadSprite(sprites("two-frames.txt"), "s"));
  EXPECT_EQ("ResourceManager not started!", messages().back());
  // Started again without a shut-down: the table starts empty (and nothing leaks).
  rm.startUp();
  ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "t"));
  rm.startUp();
  EXPECT_EQ(nullptr, rm.getSprite("t"));
}
