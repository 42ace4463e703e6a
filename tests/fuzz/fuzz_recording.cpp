// The recorded-run reader; what it accepts, written back, reads again to the same run.
#include "FuzzSupport.h"
#include "Recording.h"
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  ksfuzz::startEngine();
  ks::Recording run;
  if (run.readFile(ksfuzz::inputFile(data, size, "run.rec")) != 0)
    return 0;
  std::string text = ks::Recording::headerText(run.getSettings());
  for (const ks::RecordedEvent &e : run.getEvents())
    text += ks::Recording::eventLine(e.step, e.event);
  text += ks::Recording::endLine(run.getSteps());
  ks::Recording again;
  if (again.readText(text, "again") != 0 || again.getEvents().size() != run.getEvents().size())
    abort();
  return 0;
}
