#pragma once
#include <algorithm>
#include <string_view>

namespace fuzzcheck {

/// The fixed error texts with which a failed run or OBJ command may end,
/// written down here independently of the program's catalogue (a test
/// compares the two).
inline constexpr std::string_view kFixedErrorTexts[] = {
    "Ungültige Gleitkommaoperation",
    "Gleitkommadivision durch Null",
    "Gleitkommaüberlauf",
    "Datei nicht gefunden",
    "Ungültiger Dateiname",
    "Zu viele geöffnete Dateien",
    "Dateizugriff verweigert",
    "Fehler beim Einfügen einer Zeile in RichEdit",
    "Stream konnte nicht gespeichert werden",
};

/// True when `text` is one of the system's error texts, with which every
/// failed command must end: the floating-point errors, the I/O errors, the
/// full protocol, the failed save, and the messages that name a file that
/// cannot be created or opened (their name and reason vary).
inline bool IsSystemErrorText(std::string_view text) {
  if (std::find(std::begin(kFixedErrorTexts), std::end(kFixedErrorTexts), text) !=
      std::end(kFixedErrorTexts))
    return true;

  constexpr std::string_view kIoError = "E/A-Fehler ";
  if (text.starts_with(kIoError)) {
    const std::string_view number = text.substr(kIoError.size());
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
  }
  // "Datei "<name>" kann nicht erstellt werden. <reason>" and
  // "Datei <name> kann nicht geöffnet werden. <reason>".
  const auto namesFile = [text](std::string_view opening, std::string_view middle) {
    const std::size_t at = text.rfind(middle);
    return text.starts_with(opening) && at != std::string_view::npos && at >= opening.size() &&
           at + middle.size() < text.size();
  };
  return namesFile("Datei \"", "\" kann nicht erstellt werden. ") ||
         namesFile("Datei ", " kann nicht geöffnet werden. ");
}

}  // namespace fuzzcheck
