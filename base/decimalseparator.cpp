#include "base/decimalseparator.h"

namespace orthavion {

namespace {
char gDecimalSeparator = '.';
}

char DecimalSeparator() { return gDecimalSeparator; }
void SetDecimalSeparator(char separator) { gDecimalSeparator = separator; }

}  // namespace orthavion
