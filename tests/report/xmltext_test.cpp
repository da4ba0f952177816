// XML text: escaping of arbitrary point numbers, locale-free numbers.
#include "report/xmltext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using orthavion::AppendNumber;
using orthavion::AppendXmlEscaped;

struct EscapeCase {
  std::string text, escaped;
};

const EscapeCase kEscapes[] = {
    {"101", "101"},
    {"<&\"'>", "&lt;&amp;&quot;&apos;&gt;"},
    {"a&amp;b", "a&amp;amp;b"},                // an entity in the text stays text
    {"P\t1", "P&#9;1"},                        // an attribute would read a raw tab as a blank
    {"\n\r", "&#10;&#13;"},
    {"\xC3\x9C-1\xE2\x82\xAC", "\xC3\x9C-1\xE2\x82\xAC"},  // Ü-1€ as it is
    {"\xF0\x9F\x93\x8D", "\xF0\x9F\x93\x8D"},              // a 4-byte character
    {std::string("a\0b", 3), "a\xEF\xBF\xBD" "b"},          // XML has no NUL
    {"\x01\x1F\x7F", "\xEF\xBF\xBD\xEF\xBF\xBD\x7F"},       // C0 controls; DEL is allowed
    {"\xEF\xBF\xBE", "\xEF\xBF\xBD"},                       // U+FFFE
    {"\xFF" "1", "\xEF\xBF\xBD" "1"},                       // not UTF-8
    {"\xC3", "\xEF\xBF\xBD"},                               // cut off
    {"\xC0\xBC", "\xEF\xBF\xBD\xEF\xBF\xBD"},               // overlong '<'
    {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
    {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // beyond U+10FFFF
};

TEST(XmlTextTest, EscapesEveryPointNumber) {
  for (const EscapeCase& c : kEscapes) {
    std::string out = "=";
    AppendXmlEscaped(out, c.text);
    EXPECT_EQ(out, "=" + c.escaped) << c.text;
  }
}

struct NumberCase {
  double value;
  int decimals;
  const char* text;
};

const NumberCase kNumbers[] = {
    {0, 2, "0.00"},       {-0.004, 2, "0.00"},  // no "-0.00"
    {-0.006, 2, "-0.01"}, {-0.0, 0, "0"},
    {12.5, 0, "12"},  // an exact half goes to the even digit
    {4513268.303, 2, "4513268.30"},
    {5625533.587, 3, "5625533.587"}, {1e20, 0, "100000000000000000000"},
    {-250.125, 1, "-250.1"},
};

TEST(XmlTextTest, NumbersWithADecimalPointInAnyLocale) {
  for (const char* locale : {"C", "de_DE.UTF-8"}) {
    if (!std::setlocale(LC_ALL, locale)) continue;  // no German locale installed
    for (const NumberCase& c : kNumbers) {
      std::string out;
      AppendNumber(out, c.value, c.decimals);
      EXPECT_EQ(out, c.text) << c.value << " in " << locale;
    }
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace
