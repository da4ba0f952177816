#include "base/error.h"

#include <new>

#include "base/texts.h"

namespace orthavion {

std::string CommandErrorText(const std::exception& e) {
  if (dynamic_cast<const Error*>(&e)) return e.what();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return std::string(texts::kOutOfMemory);
  return std::string(texts::kInternalErrorPrefix) + e.what();
}

}  // namespace orthavion
