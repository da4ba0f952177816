#pragma once
#include <string>

#include "protocol/protocol.h"

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

}  // namespace orthavion
