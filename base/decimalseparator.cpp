#include "base/decimalseparator.h"

namespace orthavion {

namespace {
thread_local char gDecimalSeparator = '.';
}

char DecimalSeparator() { return gDecimalSeparator; }
void SetDecimalSeparator(char separator) { gDecimalSeparator = separator; }

}  // namespace orthavion
