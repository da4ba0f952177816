#pragma once
#include <string>

#include <vector>

#include "protocol/protocol.h"
#include "text/outputfiles.h"

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

/// Saves the protocol as `protocolFile` together with `files`, so that an
/// error leaves every one of them as it was: the files go completely into
/// temporary files first, then the protocol is saved, and only then are the
/// files renamed over their names (`SaveOutputFiles`).
void SaveWithProtocol(const Protocol& protocol, const std::string& protocolFile,
                      const std::vector<OutputFile>& files);

}  // namespace orthavion
