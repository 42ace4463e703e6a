#include "InputSource.h"

namespace ks {

InputSource::~InputSource() {}

} // namespace ks
