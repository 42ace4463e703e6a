#include "SplashKestle.h"

#include "Color.h"
#include "EventKeyboard.h"
#include "EventStep.h"
#include "Frame.h"
#include "GameManager.h"
#include "Sprite.h"
#include "WorldManager.h"

namespace ks {

namespace {

const int FIGURE_WIDTH = 11;
const int FIGURE_HEIGHT = 7;
const int SMALL_WIDTH = 9;
const int SMALL_HEIGHT = 6;

// Two poses of the figure (wings up, wings down), row after row.
const char *const FIGURE_FRAME[2] = {
    " \\  ___  / "
    "  \\(o o)/  "
    "   ( v )   "
    "   /| |\\   "
    "  / | | \\  "
    "    ^ ^    "
    "           ",
    "    ___    "
    "  _(o o)_  "
    " / ( v ) \\ "
    "   /| |\\   "
    "   \\| |/   "
    "    ^ ^    "
    "           ",
};

// The figure at rest, wings folded.
const char *const SMALL_FRAME = "   ___   "
                                "  (o o)  "
                                "  ( v )  "
                                "  /| |\\  "
                                "   ^ ^   "
                                "         ";

Sprite *buildFigure() {
  Sprite *p_s = new Sprite(2);
  p_s->setWidth(FIGURE_WIDTH);
  p_s->setHeight(FIGURE_HEIGHT);
  p_s->setColor(BLUE);
  p_s->setLabel("splash-figure");
  for (const char *text : FIGURE_FRAME)
    p_s->addFrame(Frame(FIGURE_WIDTH, FIGURE_HEIGHT, text));
  return p_s;
}

Sprite *buildSmallFigure() {
  Sprite *p_s = new Sprite(1);
  p_s->setWidth(SMALL_WIDTH);
  p_s->setHeight(SMALL_HEIGHT);
  p_s->setColor(GREEN);
  p_s->setLabel("splash-figure-small");
  p_s->addFrame(Frame(SMALL_WIDTH, SMALL_HEIGHT, SMALL_FRAME));
  return p_s;
}

} // namespace

SplashKestle::SplashKestle(Vector init_target)
    : target(init_target), countdown(30), p_figure(buildFigure()) {
  setSprite(p_figure, true);
  setSpriteSlowdown(2);
  setType("SplashKestle");
  setSolidness(SPECTRAL);

  Box view = WorldManager::getInstance().getView();
  float start_y = view.getCorner().getY() + view.getVertical() + 6;
  setPosition(Vector(target.getX(), start_y));
  setVelocity(Vector(0, (target.getY() - start_y) / 30));

  registerInterest(STEP_EVENT);
  registerInterest(KEYBOARD_EVENT);
}

SplashKestle::~SplashKestle() {
  setSprite(nullptr, false);
  delete p_figure;
}

int SplashKestle::eventHandler(const Event *p_e) {
  GameManager &gm = GameManager::getInstance();
  WorldManager &wm = WorldManager::getInstance();
  if (gm.getGameOver()) {
    wm.markForDelete(this);
    return 0;
  }
  if (p_e->getType() == KEYBOARD_EVENT) {
    gm.setGameOver(true);
    wm.markForDelete(this);
    return 1;
  }
  if (p_e->getType() == STEP_EVENT) {
    countdown--;
    if (countdown <= 0 && target.getY() >= getPosition().getY())
      setVelocity(Vector(0, 0));
    if (countdown == -15) {
      // The new sprite replaces the old one before the old one is freed.
      Sprite *p_old = p_figure;
      p_figure = buildSmallFigure();
      setSprite(p_figure, true);
      delete p_old;
      setSpriteIndex(1);
      Vector here = getPosition();
      setPosition(Vector(here.getX() - 1, here.getY()));
    }
    if (countdown == -45) {
      gm.setGameOver(true);
      wm.markForDelete(this);
    }
    return 1;
  }
  return 0;
}

} // namespace ks
