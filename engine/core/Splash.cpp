#include "Splash.h"

#include "Color.h"
#include "EventKeyboard.h"
#include "EventStep.h"
#include "Frame.h"
#include "GameManager.h"
#include "LogManager.h"
#include "SplashKestle.h"
#include "Sprite.h"
#include "WorldManager.h"

namespace ks {

namespace {

const int LETTERS_WIDTH = 47;
const int LETTERS_HEIGHT = 8;

// Two letterings of the engine's name, row after row.
const char *const LETTERS_FRAME[2] = {
    " #   #  ######   #####  ######  #       ###### "
    " #  #   #       #         ##    #       #      "
    " # #    #       #         ##    #       #      "
    " ##     #####    ####     ##    #       #####  "
    " # #    #            #    ##    #       #      "
    " #  #   #            #    ##    #       #      "
    " #   #  ######  #####     ##    ######  ###### "
    "                                               ",
    "                                               "
    "||  //  ||====  //===\\\\  ======  ||      ||===="
    "|| //   ||      ||         ||    ||      ||    "
    "||<<    ||===   \\\\===\\\\    ||    ||      ||=== "
    "|| \\\\   ||           ||    ||    ||      ||    "
    "||  \\\\  ||====  \\\\===//    ||    ||====  ||===="
    "                                               "
    "                                               ",
};

Sprite *buildLetters() {
  Sprite *p_s = new Sprite(2);
  p_s->setWidth(LETTERS_WIDTH);
  p_s->setHeight(LETTERS_HEIGHT);
  p_s->setColor(GREEN);
  p_s->setLabel("splash");
  for (const char *text : LETTERS_FRAME)
    p_s->addFrame(Frame(LETTERS_WIDTH, LETTERS_HEIGHT, text));
  return p_s;
}

} // namespace

int splash() {
  LogManager &lm = LogManager::getInstance();
  GameManager &gm = GameManager::getInstance();
  lm.writeLog(10, "splash(): Started.");
  if (!gm.isStarted()) {
    lm.writeLog("splash(): Error! Cannot run splash screen until game manger is started.");
    return -1;
  }
  new Splash;
  gm.run();
  lm.writeLog(10, "splash(): Finished.");
  return 0;
}

Splash::Splash() : countdown(15), p_letters(buildLetters()) {
  setSprite(p_letters, true);
  setSpriteSlowdown(0);
  setType("Splash");
  setSolidness(SPECTRAL);

  Box view = WorldManager::getInstance().getView();
  float half_width = getBox().getHorizontal() / 2;
  setPosition(Vector(view.getCorner().getX() + view.getHorizontal() + half_width,
                     view.getCorner().getY() + view.getVertical() / 2));
  // Whole cells to travel, so that the name stops on the same column whatever the view.
  int travel = static_cast<int>(half_width + view.getHorizontal() / 2);
  setVelocity(Vector(-static_cast<float>(travel) / 15, 0));

  registerInterest(STEP_EVENT);
  registerInterest(KEYBOARD_EVENT);
}

Splash::~Splash() {
  setSprite(nullptr, false);
  delete p_letters;
}

int Splash::eventHandler(const Event *p_e) {
  GameManager &gm = GameManager::getInstance();
  WorldManager &wm = WorldManager::getInstance();
  if (gm.getGameOver()) {
    wm.markForDelete(this);
    return 0;
  }
  if (p_e->getType() == KEYBOARD_EVENT) {
    gm.setGameOver(true);
    wm.markForDelete(this);
    return 0;
  }
  if (p_e->getType() == STEP_EVENT) {
    countdown--;
    if (countdown == 0) {
      setSpriteIndex(1);
      setVelocity(Vector(0, 0));
      Vector here = getPosition();
      new SplashKestle(Vector(here.getX() + 24, here.getY() + 1));
    }
    if (countdown == -75)
      wm.markForDelete(this);
    return 1;
  }
  return 0;
}

} // namespace ks
