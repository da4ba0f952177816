#pragma once
#include <string>

#include "base/hooks.h"
#include "points/runstate.h"

namespace orthavion {

/// The column titles of both point listings.
inline constexpr const char* kPointHeader = "Punktnummer            X            Y            Z";

/// Reads the start-system point file `fileName` ("PNR NIV X Y Z" per line):
/// appends "Startsystem: <name>" and the column titles to the protocol, cuts
/// the point table back to its centroid record, stores every record's start
/// coordinates and lists each record. A file that cannot be opened ends the
/// run with an I/O error before the protocol or the table are touched.
void LiesStartsystem(RunState& state, const std::string& fileName);

/// Reads the target-system point file: appends "Zielsystem: <name>" and the
/// column titles, stores every record's target coordinates, marks each point
/// that is also in the start file as a control point and lists those.
/// Runs `processEvents` after every line.
void LiesZielsystem(RunState& state, const std::string& fileName,
                    const ProcessEvents& processEvents);

}  // namespace orthavion
