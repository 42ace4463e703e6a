#include "Recorder.h"

#include "LogManager.h"

namespace ks {

Recorder::Recorder() : p_file(nullptr), header_written(false) {}

Recorder::~Recorder() {
  if (p_file != nullptr)
    fclose(p_file);
}

int Recorder::open(const std::string &filename) {
  if (p_file != nullptr)
    fclose(p_file);
  p_file = fopen(filename.c_str(), "w");
  header_written = false;
  if (p_file == nullptr) {
    LogManager::getInstance().writeLog("Recorder::open(): Unable to write recording '%s'.",
                                       filename.c_str());
    return -1;
  }
  return 0;
}

bool Recorder::isOpen() const {
  return p_file != nullptr;
}

void Recorder::put(const std::string &text) {
  if (p_file == nullptr)
    return;
  fputs(text.c_str(), p_file);
  fflush(p_file);
}

void Recorder::writeHeader(const RecordingSettings &settings) {
  if (header_written)
    return;
  put(Recording::headerText(settings));
  header_written = true;
}

void Recorder::write(int step, const InputEvent &event) {
  put(Recording::eventLine(step, event));
}

void Recorder::close(int steps) {
  if (p_file == nullptr)
    return;
  put(Recording::endLine(steps));
  fclose(p_file);
  p_file = nullptr;
}

} // namespace ks
