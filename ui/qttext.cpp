#include "ui/qttext.h"

#include <QFile>

namespace orthavion {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string LocalName(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace orthavion
