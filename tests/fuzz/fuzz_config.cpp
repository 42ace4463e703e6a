// The configuration text, given directly and read from the configuration file.
#include "Configuration.h"
#include "FuzzSupport.h"
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  ksfuzz::startEngine();
  ks::Configuration &config = ks::Configuration::getInstance();
  ksfuzz::inputFile(data, size, "ks-config.txt");
  ksfuzz::inFolder("", [&config] { config.loadConfig(config.readConfig()); });
  config.reset();
  config.loadConfig(std::string(reinterpret_cast<const char *>(data), size));
  config.reset();
  return 0;
}
