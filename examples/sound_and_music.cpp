// Sounds and music: loads the game's effects and its music loop from the run folder
// (sounds/*.wav), plays the music looping and one effect after another on top of it.
// Ends by itself after about six seconds. Without an audio device nothing is heard, but the
// program runs the same (see kestle.log).
// Run it in the build's run folder (<build>/run), which holds the font ks-font.ttf.
#include <string>

#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "Music.h"
#include "Object.h"
#include "ResourceManager.h"
#include "Sound.h"

namespace {

const char *const EFFECTS[] = {"fire", "dig", "monsterDeath", "heroDeath"};

/// Plays an effect every 40 steps and shows which one.
class Jukebox : public ks::Object {
public:
  Jukebox() {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
    setPosition(ks::Vector(40, 12));
  }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return ks::Object::eventHandler(p_e);
    int step = static_cast<const ks::EventStep *>(p_e)->getStepCount();
    if (step % 40 == 10 && step / 40 < 4) {
      now_playing = EFFECTS[step / 40];
      // Lookups return null for labels that failed to load: always check.
      if (ks::Sound *p_sound = ks::ResourceManager::getInstance().getSound(now_playing))
        p_sound->play(false);
    }
    if (step >= 180)
      ks::GameManager::getInstance().setGameOver();
    return 1;
  }

  void draw() override {
    ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
    gm.drawString(getPosition(), "music: music.wav (looping)", ks::CENTER_JUSTIFIED, ks::CYAN);
    gm.drawString(getPosition() + ks::Vector(0, 2), "effect: " + now_playing, ks::CENTER_JUSTIFIED,
                  ks::YELLOW);
  }

private:
  std::string now_playing; ///< label of the last effect started
};

} // namespace

int main() {
  ks::GameManager &game = ks::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  ks::ResourceManager &resources = ks::ResourceManager::getInstance();
  // Effects are decoded into memory; music is streamed from its file while it plays.
  resources.loadSound("sounds/fire.wav", "fire");
  resources.loadSound("sounds/dig.wav", "dig");
  resources.loadSound("sounds/monster-death.wav", "monsterDeath");
  resources.loadSound("sounds/hero-death.wav", "heroDeath");
  resources.loadMusic("sounds/music.wav", "music");
  if (ks::Music *p_music = resources.getMusic("music"))
    p_music->play(true);
  new Jukebox;
  game.run();
  game.shutDown(); // stops the sounds and the music
  return 0;
}
