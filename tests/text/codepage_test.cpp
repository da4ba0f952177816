#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace orthavion {
namespace {

std::string Ansi(std::string_view text) {
  std::string out;
  AppendAnsi(out, text);
  return out;
}

TEST(CodePageTest, EveryByteSurvivesDecodingAndEncoding) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const std::string text = DecodeAnsi(bytes);
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_EQ(Utf8Length(text), 256u);  // one character per byte
  EXPECT_EQ(Ansi(text), bytes);
}

struct CharRow {
  std::string ansi;
  std::string utf8;
};

const CharRow kCharRows[] = {
    {"A", "A"},
    {"\xDF", "ß"},
    {"\xE4\xF6\xFC\xC4\xD6\xDC", "äöüÄÖÜ"},
    {"\x80", "€"},
    {"\x84", "„"},
    {"\x93", "“"},
    {"\x9F", "Ÿ"},
    {"\xA0", "\u00A0"},
    {"\xB0", "°"},
    {"\xFF", "ÿ"},
    {"\x81", "\u0081"},  // undefined in Windows-1252: kept as the control character
    {"\x9D", "\u009D"},
    {"Ma\xDFstabsfaktor", "Maßstabsfaktor"},
};

TEST(CodePageTest, DecodesAndEncodesCharacters) {
  for (const CharRow& row : kCharRows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(DecodeAnsi(row.ansi), row.utf8);
    EXPECT_EQ(Ansi(row.utf8), row.ansi);
  }
}

TEST(CodePageTest, EncodingAppendsAndReplacesWhatItCannotRepresent) {
  struct Row {
    std::string utf8;
    std::string ansi;
  };
  const Row rows[] = {
      {"\u4E2D", "?"},                 // CJK
      {"x\U0001F600y", "x?y"},         // a four-byte character
      {"\u0080", "?"},                 // a C1 control that 0x80 does not stand for
      {"\u20AC5\u4E2D", "\x80" "5?"},
      // Bytes that are not valid UTF-8 are taken as Windows-1252 already.
      {"Ma\xDFstab", "Ma\xDFstab"},
      {"\xC3", "\xC3"},                      // a sequence cut off at the end
      {"\xE2\x82", "\xE2\x82"},
      {"\xC0\xAF", "\xC0\xAF"},              // overlong form of '/'
      {"\xED\xA0\x80", "\xED\xA0\x80"},      // a surrogate
      {"\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},  // beyond U+10FFFF
      {"\x9F\xC3\x9F", "\x9F\xDF"},          // a stray continuation byte, then 'ß'
  };
  for (const Row& row : rows) {
    std::string out = "vorher:";
    AppendAnsi(out, row.utf8);
    EXPECT_EQ(out, "vorher:" + row.ansi);
  }
}

TEST(CodePageTest, RecognisesValidUtf8) {
  struct Row {
    std::string bytes;
    bool valid;
  };
  const Row rows[] = {
      {"", true},
      {"abc", true},
      {"Maßstab", true},
      {"\U0001F600", true},
      {"\xDF", false},
      {"\xC3", false},
      {"\xC0\xAF", false},
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\xF8\x88\x80\x80\x80", false},
      {"\x80", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsValidUtf8(row.bytes), row.valid) << row.bytes;
}

TEST(CodePageTest, FileNameText) {
  struct Row {
    std::string name;
    std::string shown;
  };
  const Row rows[] = {
      {"/daten/punkte.txt", "/daten/punkte.txt"},
      {"/daten/Maßstab.txt", "/daten/Maßstab.txt"},      // UTF-8 stays
      {"/daten/Ma\xDFstab.txt", "/daten/Maßstab.txt"},   // Windows-1252 is decoded
      {"/d\xE4ten/\x80.txt", "/däten/€.txt"},
      // A UTF-8 folder holding a file named on Windows: each part on its own.
      {"/Müller/M\xFCller.txt", "/Müller/Müller.txt"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(FileNameText(row.name), row.shown);
}

}  // namespace
}  // namespace orthavion
