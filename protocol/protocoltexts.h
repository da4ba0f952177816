#pragma once
// The protocol's own texts: its error when full and the name of its file.
// Written once in protocoltexts.cpp (see base/texts.h).

#include <string_view>

namespace orthavion::texts {

/// The error of a protocol that has reached its capacity.
extern const std::string_view kProtocolFull;
/// "Trafoprotokoll.txt"
extern const std::string_view kProtocolFileName;

}  // namespace orthavion::texts
