// The version record of the window program, from the project's version.
// Built into the program alone: the file that carries the record is the one
// whose version the about box shows.

#include "ui/versionrecord.h"

namespace {

static_assert(ORTHAVION_VERSION_MAJOR <= 0xFFFF && ORTHAVION_VERSION_MINOR <= 0xFFFF &&
                  ORTHAVION_VERSION_PATCH <= 0xFFFF && ORTHAVION_VERSION_TWEAK <= 0xFFFF,
              "each part of the version is a 16-bit number");

// `used` keeps the object, which nothing refers to, in the program.
__attribute__((section(ORTHAVION_VERSION_SECTION), used))
constexpr orthavion::VersionRecord kProgramVersion = orthavion::MakeVersionRecord(
    ORTHAVION_VERSION_MAJOR, ORTHAVION_VERSION_MINOR, ORTHAVION_VERSION_PATCH,
    ORTHAVION_VERSION_TWEAK);

}  // namespace
