#include "Display.h"

namespace ks {

Display::~Display() {}

} // namespace ks
