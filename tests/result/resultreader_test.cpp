#include "result/resultreader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/casename.h"
#include "support/errortext.h"
#include "support/testdir.h"

namespace {

using orthavion::ParseResultTransformation;
using testsupport::ErrorText;

/// A valid result of a 150° turn about Z, with `replace` put in place of
/// `what` (once).
std::string Result(const std::string& what = "", const std::string& replace = "") {
  std::string text = R"({
  "format": "orthavion-result", "version": 1, "model": "similarity7",
  "start_centroid_m": [1000.5, 2000.25, 100.125],
  "target_centroid_m": [4501234.567891234, 5602345.678912345, 145.5],
  "rotation_matrix": [[-0.8660254037844387, -0.49999999999999994, 0.0],
                      [0.49999999999999994, -0.8660254037844387, 0.0],
                      [0.0, 0.0, 1.0]],
  "scale": 1.0000123456789012,
  "other": "keys a reader does not know are left alone"
})";
  if (!what.empty()) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    text.replace(at, what.size(), replace);
  }
  return text;
}

TEST(ResultReaderTest, TheDoublesComeBackExactly) {
  const orthavion::Transformation t = ParseResultTransformation(Result());
  EXPECT_EQ(t.model, orthavion::Model::Similarity7);
  EXPECT_EQ(t.startCentroid, (std::array<double, 3>{1000.5, 2000.25, 100.125}));
  EXPECT_EQ(t.targetCentroid[0], 4501234.567891234);
  EXPECT_EQ(t.targetCentroid[1], 5602345.678912345);
  EXPECT_EQ(t.R[0][1], -0.49999999999999994);
  EXPECT_EQ(t.scale, 1.0000123456789012);
  EXPECT_EQ(t.rowScale, (std::array<double, 3>{t.scale, t.scale, t.scale}));

  const auto horizontal = ParseResultTransformation(
      Result("\"similarity7\"", "\"horizontal5\""));
  EXPECT_EQ(horizontal.rowScale, (std::array<double, 3>{1.0000123456789012, 1.0000123456789012, 1}));
  std::string rigidText = Result("\"similarity7\"", "\"rigid6\"");
  rigidText.replace(rigidText.find("1.0000123456789012"), 18, "1");
  const auto rigid = ParseResultTransformation(rigidText);
  EXPECT_EQ(rigid.rowScale, (std::array<double, 3>{1, 1, 1}));
}

struct HostileCase {
  const char* name;
  std::string text;
  const char* error;
};

const HostileCase kHostile[] = {
    {"Empty", "", "Ergebnisdatei ungültig: kein JSON (Byte 1)"},
    {"Truncated", Result().substr(0, 60), "Ergebnisdatei ungültig: kein JSON (Byte 61)"},
    {"NotAnObject", "[1, 2, 3]", "Ergebnisdatei ungültig: Schlüssel \"format\" fehlt"},
    {"OtherFormat", Result("orthavion-result", "something-else"),
     "Ergebnisdatei ungültig: Schlüssel \"format\" hat einen unbekannten Wert"},
    {"FormatNotText", Result("\"orthavion-result\"", "7"),
     "Ergebnisdatei ungültig: Schlüssel \"format\" hat den falschen Typ"},
    {"LaterVersion", Result("\"version\": 1", "\"version\": 2"),
     "Ergebnisdatei ungültig: Schlüssel \"version\" hat einen unbekannten Wert"},
    {"VersionNotInteger", Result("\"version\": 1", "\"version\": 1.5"),
     "Ergebnisdatei ungültig: Schlüssel \"version\" hat den falschen Typ"},
    {"UnknownModel", Result("similarity7", "affine12"),
     "Ergebnisdatei ungültig: Schlüssel \"model\" hat einen unbekannten Wert"},
    {"MissingCentroid", Result("\"start_centroid_m\"", "\"start_centroid\""),
     "Ergebnisdatei ungültig: Schlüssel \"start_centroid_m\" fehlt"},
    {"ShortCentroid", Result("[1000.5, 2000.25, 100.125]", "[1000.5, 2000.25]"),
     "Ergebnisdatei ungültig: Schlüssel \"start_centroid_m\" hat den falschen Typ"},
    {"CentroidAsText", Result("1000.5,", "\"1000.5\","),
     "Ergebnisdatei ungültig: Schlüssel \"start_centroid_m\" hat den falschen Typ"},
    {"NullNumber", Result("145.5", "null"),
     "Ergebnisdatei ungültig: Schlüssel \"target_centroid_m\" hat den falschen Typ"},
    {"InfiniteNumber", Result("145.5", "1e999"),
     "Ergebnisdatei ungültig: Schlüssel \"target_centroid_m\" enthält keine endliche Zahl"},
    {"MissingScale", Result("\"scale\"", "\"Scale\""),
     "Ergebnisdatei ungültig: Schlüssel \"scale\" fehlt"},
    {"ZeroScale", Result("1.0000123456789012", "0"),
     "Ergebnisdatei ungültig: Schlüssel \"scale\" hat einen unbekannten Wert"},
    {"RigidWithScale", Result("\"similarity7\"", "\"rigid6\""),
     "Ergebnisdatei ungültig: Schlüssel \"scale\" passt nicht zum Modell"},
    {"NotOrthonormal", Result("-0.8660254037844387, -0.49999999999999994", "-0.8660254037844387, -0.5000001"),
     "Ergebnisdatei ungültig: Schlüssel \"rotation_matrix\" ist keine Drehmatrix"},
    // Orthonormal, but a mirror image: det R = −1.
    {"Reflection", Result("[0.0, 0.0, 1.0]]", "[0.0, 0.0, -1.0]]"),
     "Ergebnisdatei ungültig: Schlüssel \"rotation_matrix\" ist keine Drehmatrix"},
    {"TwoRows", Result(",\n                      [0.0, 0.0, 1.0]]", "]"),
     "Ergebnisdatei ungültig: Schlüssel \"rotation_matrix\" hat den falschen Typ"},
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class ResultReaderHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(ResultReaderHostileTest, IsRefusedNamingTheKey) {
  EXPECT_EQ(ErrorText([] { ParseResultTransformation(GetParam().text); }), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ResultReaderHostileTest, ::testing::ValuesIn(kHostile),
                         testsupport::CaseName());

TEST(ResultReaderTest, AHorizontalModelMustTurnAboutTheVerticalOnly) {
  // A turn about X labelled horizontal5.
  const std::string text = Result("\"similarity7\"", "\"horizontal5\"");
  const std::string tilted = R"([[1.0, 0.0, 0.0], [0.0, 0.0, -1.0], [0.0, 1.0, 0.0]])";
  std::string t = text;
  const std::size_t from = t.find("[[-0.866"), to = t.find("]]", from) + 2;
  t.replace(from, to - from, tilted);
  EXPECT_EQ(ErrorText([&] { ParseResultTransformation(t); }),
            "Ergebnisdatei ungültig: Schlüssel \"rotation_matrix\" passt nicht zum Modell");
}

TEST(ResultReaderTest, AFileThatCannotBeReadGivesTheIoText) {
  testsupport::TestDir dir;
  EXPECT_EQ(ErrorText([&] { orthavion::ReadResultTransformation(dir.file("fehlt.json")); }),
            "Datei nicht gefunden");
  const std::string file = dir.write("ergebnis.json", Result());
  EXPECT_EQ(orthavion::ReadResultTransformation(file).scale, 1.0000123456789012);
}

}  // namespace
