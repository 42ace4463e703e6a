// The sprite file loader: good files, every kind of broken file, and the sprite table.
#include <gtest/gtest.h>

#include <sstream>

#include "LogManager.h"
#include "ResourceManager.h"
#include "TestSupport.h"

using namespace kstest;

namespace {

std::string sprites(const std::string &name) {
  return std::string(KS_TEST_DATA_DIR) + "/sprites/" + name;
}

/// Starts the log (at `level`) and the resource manager; the loader's messages begin at
/// logMessages(log)[skip].
class SpriteLoader : public testing::Test {
protected:
  void start(int level) {
    log = startLog("log");
    ks::LogManager::getInstance().setLogLevel(level);
    ks::ResourceManager &rm = ks::ResourceManager::getInstance();
    if (rm.isStarted())
      rm.shutDown();
    rm.startUp();
    skip = logMessages(log).size();
  }
  void SetUp() override { start(0); }
  void TearDown() override { ks::ResourceManager::getInstance().shutDown(); }

  /// The messages written since start().
  std::vector<std::string> messages() const {
    std::vector<std::string> all = logMessages(log);
    return std::vector<std::string>(all.begin() + std::min(skip, all.size()), all.end());
  }

  std::string log;
  size_t skip = 0;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(SpriteLoader, LoadsAValidFile) {
  start(5);
  std::string file = sprites("two-frames.txt");
  ASSERT_EQ(0, ks::ResourceManager::getInstance().loadSprite(file, "walker"));
  ks::Sprite *p_s = ks::ResourceManager::getInstance().getSprite("walker");
  ASSERT_NE(nullptr, p_s);
  EXPECT_EQ(2, p_s->getFrameCount());
  EXPECT_EQ(3, p_s->getWidth());
  EXPECT_EQ(2, p_s->getHeight());
  EXPECT_EQ(ks::GREEN, p_s->getColor());
  EXPECT_EQ("walker", p_s->getLabel());
  EXPECT_EQ("abcdef", p_s->getFrame(0).getString());
  EXPECT_EQ("/|\\\\|/", p_s->getFrame(1).getString());
  EXPECT_EQ(3, p_s->getFrame(1).getWidth());
  EXPECT_EQ(2, p_s->getFrame(1).getHeight());
  EXPECT_EQ(
      (Lines{"ResourceManager::loadSprite(): Opened file '" + file + "'",
             "                               Frames: 2", "                                Width: 3",
             "                               Height: 2",
             "                                Color: green",
             "ResourceManager::loadSprite(): Sprite 'walker' successfully loaded"}),
      messages());
}

TEST_F(SpriteLoader, LoadsCrLfLineEnds) {
  ASSERT_EQ(0, ks::ResourceManager::getInstance().loadSprite(sprites("two-frames-crlf.txt"), "s"));
  ks::Sprite *p_s = ks::ResourceManager::getInstance().getSprite("s");
  ASSERT_NE(nullptr, p_s);
  EXPECT_EQ(ks::GREEN, p_s->getColor());
  EXPECT_EQ("abcdef", p_s->getFrame(0).getString());
  EXPECT_TRUE(messages().empty());
}

TEST_F(SpriteLoader, RowsKeepBlanksAndAnyBytes) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ASSERT_EQ(0, rm.loadSprite(sprites("trailing-blanks.txt"), "blanks"));
  EXPECT_EQ("ab    cd", rm.getSprite("blanks")->getFrame(0).getString());
  ASSERT_EQ(0, rm.loadSprite(sprites("binary-rows.txt"), "binary"));
  EXPECT_EQ(std::string("\x00\xff\x01 \t\x7f", 6), rm.getSprite("binary")->getFrame(0).getString());
  EXPECT_EQ(ks::RED, rm.getSprite("binary")->getColor());
}

TEST_F(SpriteLoader, MissingFinalNewline) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  EXPECT_EQ(-1, rm.loadSprite(sprites("no-final-newline.txt"), "s"));
  EXPECT_EQ(nullptr, rm.getSprite("s"));
  EXPECT_EQ((Lines{"\tError line 11. End of file reached or missing newline."}), messages());
}

TEST_F(SpriteLoader, RowOfTheWrongWidth) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("wide-row.txt"), "s"));
  EXPECT_EQ((Lines{"\tError line 6.  Width 4 of 3.", "\tLine is 'abcd'",
                   "ResourceManager::loadSprite(): Cannot add frame!"}),
            messages());
}

TEST_F(SpriteLoader, ZeroFramesGivesOnlyTheLevelledSummary) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("frames-zero.txt"), "s"));
  EXPECT_TRUE(messages().empty());
  start(10);
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("frames-zero.txt"), "s"));
  Lines lines = messages();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("ResourceManager::loadSprite(): error readLineInt().  frames 0", lines[1]);
}

TEST_F(SpriteLoader, WrongHeaderTag) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("frame-tag.txt"), "s"));
  EXPECT_EQ((Lines{"\tError line 1.  Expected 'frames #'", "\tHave 'frame 2'"}), messages());
}

TEST_F(SpriteLoader, TagAloneOnItsLineIsAnEmptyValue) {
  start(10);
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  EXPECT_EQ(-1, rm.loadSprite(sprites("tag-alone.txt"), "s"));
  EXPECT_EQ(-1, rm.loadSprite(sprites("color-alone.txt"), "t"));
  Lines lines = messages();
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("ResourceManager::loadSprite(): error readLineInt().  frames 0", lines[1]);
  EXPECT_EQ("ResourceManager::loadSprite(): error readLineStr().  Color ''", lines[3]);
}

TEST_F(SpriteLoader, UnknownColourIsReportedButLoads) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ASSERT_EQ(0, rm.loadSprite(sprites("color-capital.txt"), "red?"));
  EXPECT_EQ(ks::WHITE, rm.getSprite("red?")->getColor());
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Unrecognized color 'Red'",
                   "  Valid colors are: black, red, green, yellow,",
                   "                    blue, magenta, cyan and white."}),
            messages());
  ASSERT_EQ(0, rm.loadSprite(sprites("color-default.txt"), "default"));
  EXPECT_EQ(ks::WHITE, rm.getSprite("default")->getColor());
  EXPECT_EQ(3u, messages().size());
}

TEST_F(SpriteLoader, FewerFramesThanStated) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("short-frames.txt"), "s"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Cannot add frame!"}), messages());
}

TEST_F(SpriteLoader, TruncatedInsideAFrame) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("truncated.txt"), "s"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Cannot add frame!"}), messages());
}

TEST_F(SpriteLoader, EmptyFile) {
  EXPECT_EQ(-1, ks::ResourceManager::getInstance().loadSprite(sprites("empty.txt"), "s"));
  EXPECT_EQ((Lines{"\tError line 1.  Unexpected end of file."}), messages());
}

TEST_F(SpriteLoader, AbsurdCountsFailOnTheirLines) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  // Two billion frames: the second frame finds the "eof" line and then the end of the file.
  EXPECT_EQ(-1, rm.loadSprite(sprites("absurd-frames.txt"), "s"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Cannot add frame!"}), messages());
  EXPECT_EQ(-1, rm.loadSprite(sprites("absurd-size.txt"), "t"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Cannot add frame!",
                   "\tError line 5.  Width 3 of 2000000000.", "\tLine is 'abc'",
                   "ResourceManager::loadSprite(): Cannot add frame!"}),
            messages());
}

TEST_F(SpriteLoader, MissingEndAndEofLines) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  EXPECT_EQ(-1, rm.loadSprite(sprites("missing-end.txt"), "s"));
  EXPECT_EQ(-1, rm.loadSprite(sprites("missing-eof.txt"), "t"));
  EXPECT_EQ((Lines{"\tError line 6.  Expected 'end'.", "\tLine is 'en'.",
                   "ResourceManager::loadSprite(): Cannot add frame!",
                   "\tError line 7.  Expected 'eof'.", "\tLine is 'EOF'."}),
            messages());
  EXPECT_EQ(nullptr, rm.getSprite("s"));
  EXPECT_EQ(nullptr, rm.getSprite("t"));
}

TEST_F(SpriteLoader, MissingFileAndNotStarted) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  std::string missing = sprites("no-such-sprite.txt");
  EXPECT_EQ(-1, rm.loadSprite(missing, "s"));
  EXPECT_EQ((Lines{"ResourceManager::loadSprite(): Cannot open file '" + missing + "'"}),
            messages());
  rm.shutDown();
  EXPECT_EQ(-1, rm.loadSprite(sprites("two-frames.txt"), "s"));
  EXPECT_EQ("ResourceManager not started!", messages().back());
}

TEST_F(SpriteLoader, FirstOfTwoUnderOneLabelIsFound) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "same"));
  ks::Sprite *p_first = rm.getSprite("same");
  ASSERT_EQ(0, rm.loadSprite(sprites("color-default.txt"), "same"));
  EXPECT_EQ(p_first, rm.getSprite("same"));
  EXPECT_EQ(ks::GREEN, rm.getSprite("same")->getColor());
  EXPECT_EQ(nullptr, rm.getSprite("Same"));
}

TEST_F(SpriteLoader, TableHoldsAThousandSprites) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  for (int i = 0; i < ks::MAX_SPRITES; i++)
    ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "s" + std::to_string(i)));
  // Refused before the file is even opened.
  EXPECT_EQ(-1, rm.loadSprite(sprites("no-such-sprite.txt"), "one too many"));
  EXPECT_EQ(1, logCount(log, "ResourceManager::loadSprite(): Unable to add more Sprites (max is "
                             "1000)"));
  EXPECT_EQ(0, logCount(log, "Cannot open file"));
  EXPECT_NE(nullptr, rm.getSprite("s999"));
}

TEST_F(SpriteLoader, ShutDownDeletesTheSprites) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "s"));
  rm.shutDown();
  EXPECT_EQ(nullptr, rm.getSprite("s"));
  rm.startUp();
  EXPECT_EQ(nullptr, rm.getSprite("s"));
  // Started again without a shut-down: the table starts empty and nothing leaks.
  ASSERT_EQ(0, rm.loadSprite(sprites("two-frames.txt"), "t"));
  rm.startUp();
  EXPECT_EQ(nullptr, rm.getSprite("t"));
}

TEST_F(SpriteLoader, LineReadersCountLines) {
  std::istringstream in("frames: 12\nwidthless\ncolor  pale\r\n");
  int line = 0;
  EXPECT_EQ(12, ks::ResourceManager::readLineInt(in, &line, "frames"));
  EXPECT_EQ(1, line);
  EXPECT_EQ(-1, ks::ResourceManager::readLineInt(in, &line, "height"));
  EXPECT_EQ(2, line);
  // The value starts after one separator and is not trimmed; the CR goes.
  EXPECT_EQ(" pale", ks::ResourceManager::readLineStr(in, &line, "color"));
  EXPECT_EQ(3, line);
  EXPECT_EQ("", ks::ResourceManager::readLineStr(in, &line, "color"));
  EXPECT_EQ(4, line);

  std::istringstream rows("ab\ncd\nend\nab\n");
  line = 10;
  ks::Frame frame = ks::ResourceManager::readFrame(rows, &line, 2, 2);
  EXPECT_EQ("abcd", frame.getString());
  EXPECT_EQ(13, line);
  EXPECT_EQ("", ks::ResourceManager::readFrame(rows, &line, 2, 2).getString());

  std::istringstream big("frames 99999999999\n");
  line = 0;
  EXPECT_EQ(2147483647, ks::ResourceManager::readLineInt(big, &line, "frames"));
}
