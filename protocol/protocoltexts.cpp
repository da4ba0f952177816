#include "protocol/protocoltexts.h"

namespace orthavion::texts {

const std::string_view kProtocolFull = "Fehler beim Einfügen einer Zeile in RichEdit";
const std::string_view kProtocolFileName = "Trafoprotokoll.txt";

}  // namespace orthavion::texts
