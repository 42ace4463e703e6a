#include "Reticle.h"

#include "EventMouse.h"
#include "GraphicsManager.h"
#include "Hero.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "ResourceManager.h"
#include "Tile.h"
#include "WorldManager.h"

Reticle::Reticle() : hero_id(-1) {
  setType("Reticle");
  setSolidness(ks::SPECTRAL);
  setAltitude(ks::MAX_ALTITUDE);
  registerInterest(ks::MOUSE_EVENT);
  ks::Box boundary = ks::WorldManager::getInstance().getBoundary();
  setPosition(ks::Vector(boundary.getHorizontal() * 0.5f, boundary.getVertical() * 0.5f));
}

Reticle::~Reticle() {
  if (Hero *p_hero = getHero())
    p_hero->forgetReticle();
}

void Reticle::setHero(Hero *p_new_hero) {
  hero_id = p_new_hero != nullptr ? p_new_hero->getId() : -1;
}

Hero *Reticle::getHero() const {
  return hero_id < 0 ? nullptr : Hero::lookUp(hero_id);
}

// The world cell that a click at window position `m` works on: pointer and view corner are
// each truncated to whole cells.
ks::Vector Reticle::clickedCell(ks::Vector m) {
  ks::Vector corner = ks::WorldManager::getInstance().getView().getCorner();
  return ks::Vector(
      static_cast<float>(static_cast<int>(m.getX()) + static_cast<int>(corner.getX())),
      static_cast<float>(static_cast<int>(m.getY()) + static_cast<int>(corner.getY())));
}

void Reticle::draw() {
  // On the cell a click would dig or fill, so that the '+' and the tile it changes line up
  // even while the view stands at a fractional corner.
  ks::GraphicsManager::getInstance().drawCh('+', ks::RED, clickedCell(getPosition()));
}

int Reticle::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::MOUSE_EVENT)
    return 0;
  const auto *p_mouse = static_cast<const ks::EventMouse *>(p_e);
  int action = p_mouse->getMouseAction();
  ks::Vector m = p_mouse->getMousePosition();
  if (action == ks::MOVED) {
    setPosition(m);
    return 1;
  }
  if (action == ks::CLICKED && p_mouse->getMouseButton() == ks::LEFT) {
    // Between the hero's death and the reticle's removal a click does nothing.
    if (Hero *p_hero = getHero())
      digOrFill(p_hero, m);
  }
  return 1;
}

void Reticle::digOrFill(Hero *p_hero, ks::Vector m) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();

  // The hero's world box grown by 4 cells on every side (the corner kept inside the world).
  ks::Box hero_box = p_hero->getBox();
  ks::Vector hero_pos = p_hero->getPosition();
  float x = hero_box.getCorner().getX() + hero_pos.getX() - 4;
  float y = hero_box.getCorner().getY() + hero_pos.getY() - 4;
  if (x < 0)
    x = 0;
  if (y < 0)
    y = 0;
  ks::Box reach(ks::Vector(x, y), hero_box.getHorizontal() + 8, hero_box.getVertical() + 8);

  ks::Vector cell = clickedCell(m);
  int cell_x = static_cast<int>(cell.getX());
  int cell_y = static_cast<int>(cell.getY());

  ks::ObjectList near = wm.objectsInBox(reach);
  ks::ObjectListIterator li(&near);
  for (li.first(); !li.isDone(); li.next()) {
    ks::Object *p_o = li.currentObject();
    ks::Vector at = p_o->getPosition();
    if (static_cast<int>(at.getX()) != cell_x || static_cast<int>(at.getY()) != cell_y)
      continue;
    if (p_o->getType() != "tile")
      continue;
    Tile *p_tile = static_cast<Tile *>(p_o);
    if (p_tile->getTileType() == DIRT_TILE) {
      p_tile->setTileType(EMPTY_TILE);
      if (ks::Sound *p_sound = rm.getSound("dig"))
        p_sound->play(false);
      return;
    }
    if (p_tile->getTileType() == EMPTY_TILE) {
      if (ks::Sound *p_sound = rm.getSound("dig"))
        p_sound->play(false);
      p_tile->setTileType(DIRT_TILE);
      return;
    }
  }
}
