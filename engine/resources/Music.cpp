#include "Music.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Music.hpp>

#include "LogManager.h"

namespace ks {

Music::Music() : p_music(nullptr), label("[Undefined]") {}

Music::~Music() {
  delete p_music;
}

int Music::openMusic(std::string filename, bool audio) {
  if (!audio) {
    // Without a device a stream would spin its thread on OpenAL errors: only check the file.
    sf::InputSoundFile file;
    return file.openFromFile(filename) ? 0 : -1;
  }
  sf::Music *p_new = new sf::Music();
  if (!p_new->openFromFile(filename)) {
    delete p_new;
    return -1;
  }
  delete p_music;
  p_music = p_new;
  return 0;
}

void Music::setLabel(std::string new_label) {
  label = new_label;
}

std::string Music::getLabel() const {
  return label;
}

void Music::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Music::play(): Playing music.");
  if (p_music == nullptr)
    return;
  // Looping first: the stream thread may read a short file to its end before a later
  // setLoop() is seen, and the music would then play once.
  p_music->setLoop(loop);
  p_music->play();
}

void Music::stop() {
  LogManager::getInstance().writeLog(5, "Music::stop(): Stopping music.");
  if (p_music != nullptr)
    p_music->stop();
}

bool Music::isPlaying() const {
  return p_music != nullptr && p_music->getStatus() == sf::Music::Playing;
}

} // namespace ks
