// Whole games, played with the keyboard and mouse as the input manager delivers them: a win
// across the shipped level, deaths in a pit and by a monster, and a fight with the monsters.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EventKeyboard.h"
#include "GameLoaders.h"
#include "GameTestSupport.h"
#include "Hero.h"
#include "ObjectList.h"
#include "PlayFixture.h"
#include "Player.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::findType;

namespace {

using PlayTest = play::PlayFixture;

/// The step at whose input phase P is tapped on the start screen.
const int START_STEP = 5;

/// Steps an end screen stays: one pass of its sprite at slowdown 15.
int screenSteps(const std::string &label) {
  ks::Sprite *p_sprite = ks::ResourceManager::getInstance().getSprite(label);
  return p_sprite == nullptr ? -1 : p_sprite->getFrameCount() * 15;
}

/// Index of the first message equal to `text` at or after `from`, or -1.
int find(const std::vector<std::string> &messages, const std::string &text, int from = 0) {
  for (int i = std::max(from, 0); i < static_cast<int>(messages.size()); i++)
    if (messages[i] == text)
      return i;
  return -1;
}

/// Index of the first `first` at or after `from` that the message `then` directly follows,
/// or -1.
int findPair(const std::vector<std::string> &messages, const std::string &first,
             const std::string &then, int from = 0) {
  for (int i = find(messages, first, from); i >= 0; i = find(messages, first, i + 1))
    if (i + 1 < static_cast<int>(messages.size()) && messages[i + 1] == then)
      return i;
  return -1;
}

/// Number of messages `first` directly followed by `then`.
int countPairs(const std::vector<std::string> &messages, const std::string &first,
               const std::string &then) {
  int n = 0;
  for (int i = findPair(messages, first, then); i >= 0; i = findPair(messages, first, then, i + 1))
    n++;
  return n;
}

const std::string PLAYING_SOUND = "Sound::play(): Playing sound.";

std::string soundLookup(const std::string &label) {
  return "ResourceManager::getSound(): Looking for sound '" + label + "'";
}

std::string musicLookup(const std::string &label) {
  return "ResourceManager::getMusic(): Looking for music '" + label + "'";
}

/// The hero's death from message `from` on: its sound, then the music stops, then the end
/// music plays; and before it, the music playing since the start screen and every sound
/// and music loaded from the run folder.
void expectDeathSounds(const std::vector<std::string> &messages, int from) {
  for (const char *label : {"fire", "monsterDeath", "heroDeath", "dig"})
    EXPECT_GE(find(messages, std::string("ResourceManager::loadSound(): Sound '") + label +
                                 "' successfully loaded"),
              0)
        << label;
  for (const char *label : {"music", "endMusic"})
    EXPECT_GE(find(messages, std::string("ResourceManager::loadMusic(): Music '") + label +
                                 "' successfully loaded"),
              0)
        << label;
  int start = findPair(messages, musicLookup("music"), "Music::play(): Playing music.");
  EXPECT_GE(start, 0);
  int death = findPair(messages, soundLookup("heroDeath"), PLAYING_SOUND, from);
  ASSERT_GE(death, std::max(from, start));
  int stop = findPair(messages, musicLookup("music"), "Music::stop(): Stopping music.", death);
  ASSERT_GT(stop, death);
  int end = findPair(messages, musicLookup("endMusic"), "Music::play(): Playing music.", stop);
  EXPECT_GT(end, stop);
  EXPECT_EQ(countPairs(messages, soundLookup("heroDeath"), PLAYING_SOUND), 1);
}

/// The hero created by P, or null before it exists or after its death.
Hero *hero(int *p_id) {
  if (*p_id < 0) {
    ks::Object *p_found = findType("Hero");
    if (p_found == nullptr)
      return nullptr;
    *p_id = p_found->getId();
  }
  return Hero::lookUp(*p_id);
}

TEST_F(PlayTest, WalksJumpsDigsAndBuildsItsWayToTheGoal) {
  std::unique_ptr<play::Player> player;
  int hero_id = -1, heroes_at_start = -1, win_step = -1, over_step = -1;
  float view_x = 0, highest = MAP_HEIGHT;
  int steps = play(2500, [&](int step) {
    if (step == START_STEP)
      controls.tap(ks::P);
    Hero *p_hero = hero(&hero_id);
    if (p_hero == nullptr) {
      if (over_step < 0 && findType("GameOver") != nullptr)
        over_step = step;
      return;
    }
    if (player == nullptr) {
      heroes_at_start = countType("Hero");
      player = std::make_unique<play::Player>(&controls);
    }
    view_x = std::max(view_x, ks::WorldManager::getInstance().getView().getCorner().getX());
    highest = std::min(highest, p_hero->getPosition().getY());
    if (win_step < 0 && p_hero->getPosition().getX() > 280 && findType("GameWin") != nullptr) {
      win_step = step;
      player->stop(); // and only shoot while the screen is up
    }
    player->play(p_hero);
  });
  ASSERT_NE(player, nullptr);
  RecordProperty("steps", steps);
  RecordProperty("digs", player->digs);
  RecordProperty("builds", player->builds);
  RecordProperty("jumps", player->jumps);
  RecordProperty("shots", player->shots);

  // One press of P started one game; the hero got to the goal and the screen ended the game.
  EXPECT_EQ(controls.pressCount(ks::P), 1);
  EXPECT_EQ(controls.pressCount(ks::Q), 0);
  EXPECT_EQ(heroes_at_start, 1);
  ASSERT_GT(win_step, 0) << "the hero got to x " << player->furthest;
  EXPECT_TRUE(endedByGame());
  EXPECT_NEAR(steps - win_step, screenSteps("gamewin"), 1);
  EXPECT_EQ(countType("GameWin"), 0);
  EXPECT_EQ(countType("WinCon"), 0);
  EXPECT_EQ(countType("Hero"), 1);
  EXPECT_EQ(over_step, -1);
  EXPECT_EQ(countType("GameOver"), 0);
  EXPECT_GE(view_x, 300 - 80 - 1) << "the view followed the hero to the end of the world";

  // It walked, jumped, dug and built; each dig and build changed its cell and played "dig".
  EXPECT_GE(player->jumps, 1);
  EXPECT_LT(highest, 8) << "only jumps lift the hero: it went over the hill at row 8";
  EXPECT_GE(player->digs, 1);
  EXPECT_GE(player->builds, 1);
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  for (const ks::Vector &cell : player->built) {
    ks::ObjectList at = wm.objectsInBox(ks::Box(cell, 0, 0));
    bool dirt = false;
    for (int i = 0; i < at.getCount(); i++)
      if (Tile *p_tile = dynamic_cast<Tile *>(at.getItem(i)))
        dirt = dirt || (p_tile->getPosition() == cell && p_tile->getTileType() == DIRT_TILE);
    EXPECT_TRUE(dirt) << "built at " << cell.getX() << "," << cell.getY();
  }
  for (const ks::Vector &cell : player->dug) {
    ks::ObjectList at = wm.objectsInBox(ks::Box(cell, 0, 0));
    for (int i = 0; i < at.getCount(); i++)
      if (Tile *p_tile = dynamic_cast<Tile *>(at.getItem(i)))
        if (p_tile->getPosition() == cell) {
          EXPECT_EQ(p_tile->getTileType(), EMPTY_TILE)
              << "dug at " << cell.getX() << "," << cell.getY();
        }
  }
  std::vector<std::string> messages = kstest::logMessages(log);
  EXPECT_EQ(countPairs(messages, soundLookup("dig"), PLAYING_SOUND), player->digs + player->builds);
  EXPECT_EQ(countPairs(messages, soundLookup("fire"), PLAYING_SOUND), player->shots);
  EXPECT_EQ(find(messages, "Player left."), -1);
  EXPECT_EQ(find(messages, soundLookup("heroDeath")), -1);
}

TEST_F(PlayTest, FallingIntoAPitEndsTheGameWithTheGameOverScreen) {
  std::unique_ptr<play::Player> player;
  int hero_id = -1, death_step = -1, over_step = -1;
  bool over_pit = false;
  int steps = play(1000, [&](int step) {
    if (step == START_STEP)
      controls.tap(ks::P);
    Hero *p_hero = hero(&hero_id);
    if (p_hero != nullptr) {
      if (player == nullptr)
        player = std::make_unique<play::Player>(&controls);
      float x = p_hero->getPosition().getX();
      if (x < 38) {
        player->play(p_hero); // over the steps
        return;
      }
      // From the top of the steps the held right arrow carries the hero over the pit at
      // columns 45 to 48; it lets go above it.
      player->stop();
      over_pit = over_pit || x >= 46.5f;
      if (over_pit)
        controls.release(ks::RIGHTARROW);
      else
        controls.press(ks::RIGHTARROW);
      return;
    }
    if (hero_id >= 0 && death_step < 0)
      death_step = step;
    if (over_step < 0 && findType("GameOver") != nullptr)
      over_step = step;
  });
  ASSERT_TRUE(over_pit);
  ASSERT_GT(death_step, 0);
  // The screen came with the death, lasted one pass of its sprite and ended the game.
  EXPECT_EQ(over_step, death_step);
  EXPECT_TRUE(endedByGame());
  EXPECT_NEAR(steps - over_step, screenSteps("gameover"), 1);
  EXPECT_EQ(countType("Hero"), 0);
  EXPECT_EQ(countType("GameOver"), 0);
  EXPECT_EQ(countType("Reticle"), 0);

  std::vector<std::string> messages = kstest::logMessages(log);
  int left = find(messages, "Player left.");
  ASSERT_GE(left, 0);
  EXPECT_EQ(find(messages, "Player left.", left + 1), -1);
  expectDeathSounds(messages, left);
}

TEST_F(PlayTest, AMonsterTouchingTheHeroEndsTheGameWithTheGameOverScreen) {
  int hero_id = -1, death_step = -1, over_step = -1;
  int steps = play(2000, [&](int step) {
    if (step == START_STEP)
      controls.tap(ks::P);
    // The hero stands where it starts, without a shot, until the first monster gets there.
    if (hero(&hero_id) != nullptr)
      return;
    if (hero_id >= 0 && death_step < 0)
      death_step = step;
    if (over_step < 0 && findType("GameOver") != nullptr)
      over_step = step;
  });
  ASSERT_GT(death_step, 0);
  EXPECT_EQ(over_step, death_step);
  EXPECT_TRUE(endedByGame());
  EXPECT_NEAR(steps - over_step, screenSteps("gameover"), 1);
  EXPECT_EQ(countType("Hero"), 0);
  // Monsters stay in the world after the hero's death.
  EXPECT_GE(countType("Monster"), 1);

  std::vector<std::string> messages = kstest::logMessages(log);
  EXPECT_EQ(find(messages, "Player left."), -1);
  expectDeathSounds(messages, 0);
}

TEST_F(PlayTest, ArrowsAimedThroughTheWindowKillThreeMonsters) {
  std::unique_ptr<play::Player> player;
  int hero_id = -1, most = 0, kills = 0;
  std::set<int> alive;
  int steps = play(2000, [&](int step) {
    if (step == START_STEP)
      controls.tap(ks::P);
    Hero *p_hero = hero(&hero_id);
    if (p_hero == nullptr)
      return;
    if (player == nullptr)
      player = std::make_unique<play::Player>(&controls, false);
    // Monsters go only by arrows: one that is no longer in the world was shot.
    std::set<int> now;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
    for (int i = 0; i < all.getCount(); i++)
      if (all.getItem(i)->getType() == "Monster")
        now.insert(all.getItem(i)->getId());
    for (int id : alive)
      kills += now.count(id) == 0 ? 1 : 0;
    alive = now;
    most = std::max(most, static_cast<int>(now.size()));
    if (kills >= 3) {
      controls.press(ks::Q); // held Q quits
      return;
    }
    player->play(p_hero);
  });
  ASSERT_NE(player, nullptr);
  RecordProperty("steps", steps);
  RecordProperty("shots", player->shots);
  EXPECT_GE(kills, 3);
  EXPECT_GE(player->shots, kills);
  EXPECT_TRUE(endedByGame());
  EXPECT_EQ(countType("Hero"), 1);
  EXPECT_EQ(countType("Monster"), static_cast<int>(alive.size()));
  EXPECT_EQ(countType("GameOver"), 0);

  std::vector<std::string> messages = kstest::logMessages(log);
  EXPECT_EQ(countPairs(messages, soundLookup("monsterDeath"), PLAYING_SOUND), kills);
  EXPECT_EQ(countPairs(messages, soundLookup("fire"), PLAYING_SOUND), player->shots);
  EXPECT_EQ(find(messages, soundLookup("heroDeath")), -1);
}

} // namespace
