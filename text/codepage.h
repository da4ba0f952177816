#pragma once
#include <string>
#include <string_view>

namespace orthavion {

/// The system's texts are UTF-8 inside the program. Files are read and
/// written as 8-bit text in Windows-1252, the ANSI code page of Western
/// European Windows; these functions convert between the two.

/// Decodes Windows-1252 bytes to UTF-8. The five bytes that Windows-1252
/// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
/// characters of the same number, as Windows decodes them, so the mapping is
/// one to one and encoding the result gives the bytes back.
std::string DecodeAnsi(std::string_view bytes);

/// Appends the Windows-1252 encoding of UTF-8 `text` to `out`. A character
/// that Windows-1252 cannot represent becomes '?'; a byte that is not part of
/// valid UTF-8 is taken as a Windows-1252 byte already.
void AppendAnsi(std::string& out, std::string_view text);

/// Reads the UTF-8 sequence at `pos` of `s` into `cp` and returns its
/// length, or 0 when the bytes there are not a valid sequence (overlong
/// forms, surrogates and values beyond U+10FFFF are not valid).
std::size_t DecodeUtf8At(std::string_view s, std::size_t pos, char32_t& cp);

/// True when `bytes` is valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

/// The text of a file name as the user sees it: each part of the path
/// between '/' as its bytes when they are valid UTF-8 (the usual encoding of
/// Linux file names), otherwise decoded as Windows-1252.
std::string FileNameText(std::string_view name);

/// The number of characters of UTF-8 `text` (bytes that do not continue a
/// multi-byte sequence).
std::size_t Utf8Length(std::string_view text);

}  // namespace orthavion
