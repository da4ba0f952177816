#include "points/runstate.h"

#include "base/error.h"
#include "base/texts.h"

namespace orthavion {

const Transformation& RunState::TransformationInForce() const {
  if (!transformation) throw Error(texts::kNoTransformation);
  return *transformation;
}

}  // namespace orthavion
