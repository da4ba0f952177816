#pragma once
#include <string>

#include "points/pointfiles.h"
#include "points/runstate.h"

namespace orthavion {

/// The name of the protocol file: the folder part of the start-system file
/// name (up to and including its last '/'; nothing when it has none) and
/// "Trafoprotokoll.txt".
std::string ProtocolFileName(const std::string& startFile);

/// Writes the protocol's lines to `fileName` as Windows-1252 text, each line
/// ended by CR LF, without colour. The file is replaced only when it is
/// completely written; an existing one stays as it was on any failure.
/// Throws `Error` "Datei "<name>" kann nicht erstellt werden. <reason>" when
/// the file cannot be created, "Stream konnte nicht gespeichert werden" when
/// writing fails.
void SaveProtocol(const Protocol& protocol, const std::string& fileName);

/// The transformation run: clears the protocol, reads both point files,
/// forms the centroids and reduces to them, estimates the parameters and
/// saves the protocol as "Trafoprotokoll.txt" beside the start file. The
/// first error ends the run where it stands (as `Error`): the lines appended
/// so far stay in the protocol and no protocol file is written.
void TransformationRun(RunState& state, const std::string& startFile,
                       const std::string& targetFile, const ProcessEvents& processEvents = {});

}  // namespace orthavion
