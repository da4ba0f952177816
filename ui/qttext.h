#pragma once
// Between the core's texts and Qt's: UTF-8 text as a QString, and a file
// name typed into a field as the operating system takes it.

#include <QString>
#include <string>
#include <string_view>

namespace orthavion {

/// `utf8` (a text of the catalogues, a protocol line, a report) as a QString.
QString ToQString(std::string_view utf8);

/// The file name in `name` as the core opens it: in the local 8-bit
/// encoding of file names (QFile::encodeName).
std::string LocalName(const QString& name);

}  // namespace orthavion
