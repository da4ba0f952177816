#pragma once
// Text for XML documents (the residual plot's SVG): escaped character data
// and numbers that do not depend on the locale.

#include <string>
#include <string_view>

namespace orthavion {

/// Appends UTF-8 `text` to `out` so that it reads back as the same text both
/// as character data and inside a double- or single-quoted attribute value:
/// & < > " ' become entity references, tab, LF and CR become character
/// references (an attribute would otherwise read them as blanks). Characters that XML 1.0 cannot carry
/// at all (the C0 controls other than tab, LF and CR; U+FFFE, U+FFFF) and
/// bytes that are not part of valid UTF-8 become U+FFFD, one per character or
/// byte, so the document stays well-formed whatever a point number holds.
void AppendXmlEscaped(std::string& out, std::string_view text);

/// Appends `value` in fixed notation with `decimals` decimals (0 to 17) and a
/// decimal point, whatever the locale; a value that rounds to zero is written
/// without a minus sign. `value` must be finite.
void AppendNumber(std::string& out, double value, int decimals);

}  // namespace orthavion
