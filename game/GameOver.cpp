#include "GameOver.h"

#include "ResourceManager.h"

GameOver::GameOver() : EndScreen("GameOver", "gameover") {
  if (!isShowing())
    return;
  if (ks::Music *p_music = ks::ResourceManager::getInstance().getMusic("endMusic"))
    p_music->play(true);
}
