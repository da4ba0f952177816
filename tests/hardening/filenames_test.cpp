// File names: names that cannot be opened (a folder, an empty name, 5000
// characters) in a run and in the OBJ command, and names with spaces,
// umlauts in UTF-8 and in Windows-1252 bytes, characters beyond
// Windows-1252 and double quotes, as they appear in the protocol's titles,
// in the protocol file and in the error texts.
#include <gtest/gtest.h>

#include <fstream>

#include "hardening/hardeningsupport.h"
#include "hardening/program.h"
#include "carry/obj.h"
#include "support/casename.h"
#include "support/errortext.h"

using hardening::Entries;
using hardening::Lines;
using testsupport::ErrorText;
using testsupport::ReadBytes;
using testsupport::TestDir;
namespace fs = std::filesystem;

namespace {

enum class Name { Example, Folder, Empty, Long };

struct UnopenableCase {
  const char* name;
  Name start, target;
  const char* error;
};

void PrintTo(const UnopenableCase& c, std::ostream* os) { *os << c.name; }

const UnopenableCase kUnopenable[] = {
    {"StartIsAFolder", Name::Folder, Name::Example, "Dateizugriff verweigert"},
    {"TargetIsAFolder", Name::Example, Name::Folder, "Dateizugriff verweigert"},
    {"EmptyStartName", Name::Empty, Name::Example, "Ungültiger Dateiname"},
    {"EmptyTargetName", Name::Example, Name::Empty, "Ungültiger Dateiname"},
    {"StartNameOf5000Characters", Name::Long, Name::Example, "Ungültiger Dateiname"},
    {"TargetNameOf5000Characters", Name::Example, Name::Long, "Ungültiger Dateiname"},
};

class UnopenableNameTest : public ::testing::TestWithParam<UnopenableCase> {};

TEST_P(UnopenableNameTest, EndsTheRunBeforeTheFileIsListed) {
  const UnopenableCase& c = GetParam();
  TestDir dir;
  hardening::CopyExamples(dir.path());
  fs::create_directory(dir.path() / "ordner");
  const std::string earlier = dir.write("Trafoprotokoll.txt", "alt\r\n");
  const auto before = Entries(dir.path());
  const auto name = [&](Name n, const char* example) {
    switch (n) {
      case Name::Example: return dir.file(example);
      case Name::Folder: return dir.file("ordner");
      case Name::Empty: return std::string();
      case Name::Long: return dir.file(std::string(5000, 'n'));
    }
    return std::string();
  };
  orthavion::RunState state;
  EXPECT_EQ(ErrorText([&] {
              orthavion::TransformationRun(state, name(c.start, "startsystem.txt"),
                                           name(c.target, "zielsystem.txt"));
            }),
            c.error);
  // A start file that cannot be opened leaves the protocol empty; a target
  // file, the start title, header and the 11 example points.
  EXPECT_EQ(state.protocol.Count(), c.start == Name::Example ? 13u : 0u);
  EXPECT_EQ(ReadBytes(earlier), "alt\r\n");
  EXPECT_EQ(Entries(dir.path()), before);
  EXPECT_TRUE(fs::is_empty(dir.path() / "ordner"));
}

INSTANTIATE_TEST_SUITE_P(Names, UnopenableNameTest, ::testing::ValuesIn(kUnopenable),
                         testsupport::CaseName());

TEST(UnopenableNameTest, ObjNamesOf5000Characters) {
  TestDir dir;
  const orthavion::RunState state = hardening::ExampleRun();
  const std::string model = dir.write("modell.obj", "v 1250 2250 120\n");
  const std::string longName = dir.file(std::string(5000, 'n'));
  EXPECT_EQ(ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), longName, dir.file("neu.obj"), {}); }),
            "Datei " + longName + " kann nicht geöffnet werden. Der Dateiname ist zu lang");
  EXPECT_EQ(ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), model, longName, {}); }),
            "Ungültiger Dateiname");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"modell.obj"});
  EXPECT_EQ(ReadBytes(model), "v 1250 2250 120\n");
}

struct NameCase {
  const char* name;
  std::string folder, file;  // the bytes of the names
  std::string shown;         // folder/file as the protocol and the messages show it (UTF-8)
  std::string ansi;          // folder/file as the protocol file holds it (Windows-1252)
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

const NameCase kNames[] = {
    {"Spaces", "Mess daten", " punkte 1.txt", "Mess daten/ punkte 1.txt",
     "Mess daten/ punkte 1.txt"},
    {"Utf8Umlauts", "Müller", "Maßstab ä.txt", "Müller/Maßstab ä.txt",
     "M\xFCller/Ma\xDFstab \xE4.txt"},
    {"Windows1252Umlauts", "M\xFCller", "Ma\xDFstab \x80.txt", "Müller/Maßstab €.txt",
     "M\xFCller/Ma\xDFstab \x80.txt"},
    {"BeyondWindows1252", "Ωmega", "Punkte ✓.txt", "Ωmega/Punkte ✓.txt", "?mega/Punkte ?.txt"},
    {"DoubleQuotes", "\"alt\"", "\"P\" 1.txt", "\"alt\"/\"P\" 1.txt", "\"alt\"/\"P\" 1.txt"},
};

class FileNameTextTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTextTest, AppearsInTheTitlesTheProtocolFileAndTheErrors) {
  const NameCase& c = GetParam();
  TestDir dir;
  const fs::path folder = dir.path() / c.folder;
  fs::create_directory(folder);
  const std::string start = (folder / c.file).string();
  const std::string target = (folder / ("ziel " + c.file)).string();
  fs::copy_file(hardening::kExamples / "startsystem.txt", start);
  fs::copy_file(hardening::kExamples / "zielsystem.txt", target);
  const std::string base = dir.path().string() + "/";
  const std::string shownFolder = base + c.shown.substr(0, c.shown.find('/'));
  const std::string shownFile = c.shown.substr(c.shown.find('/') + 1);

  orthavion::RunState state;
  orthavion::TransformationRun(state, start, target);
  const std::vector<std::string> lines = Lines(state.protocol);
  EXPECT_EQ(lines[0], "Startsystem: " + base + c.shown);
  EXPECT_EQ(lines[13], "Zielsystem: " + shownFolder + "/ziel " + shownFile);
  const std::string saved = ReadBytes(folder / "Trafoprotokoll.txt");
  const std::string ansiFolder = c.ansi.substr(0, c.ansi.find('/'));
  const std::string ansiFile = c.ansi.substr(c.ansi.find('/') + 1);
  EXPECT_TRUE(saved.starts_with("Startsystem: " + base + c.ansi + "\r\nPunktnummer"));
  EXPECT_NE(saved.find("\r\nZielsystem: " + base + ansiFolder + "/ziel " + ansiFile + "\r\n"),
            std::string::npos);

  // The batch program prints the titles in UTF-8, with the name as given.
  const hardening::ProgramResult batch =
      hardening::RunBatch({(fs::path(c.folder) / c.file).string(),
                           (fs::path(c.folder) / ("ziel " + c.file)).string()},
                          dir.path());
  EXPECT_EQ(batch.exitCode, 0) << batch.err;
  EXPECT_TRUE(batch.out.starts_with("Startsystem: " + c.shown + "\n")) << batch.out.substr(0, 80);

  // The model: written under such a name, and named in the open error.
  const std::string model = (folder / ("modell " + c.file + ".obj")).string();
  const std::string written = (folder / ("neu " + c.file + ".obj")).string();
  std::ofstream(model) << "v 1250 2250 120\n";
  orthavion::TransformObj(state.TransformationInForce(), model, written, {});
  EXPECT_TRUE(ReadBytes(written).starts_with("v 4513")) << "point 105 near its target";
  const std::string missing = (folder / ("fehlt " + c.file)).string();
  EXPECT_EQ(ErrorText([&] { orthavion::TransformObj(state.TransformationInForce(), missing, written, {}); }),
            "Datei " + shownFolder + "/fehlt " + shownFile +
                " kann nicht geöffnet werden. Das System kann die angegebene Datei nicht finden");

  // The protocol file cannot be created: its name in double quotes.
  fs::remove(folder / "Trafoprotokoll.txt");
  fs::create_directory(folder / "Trafoprotokoll.txt");
  EXPECT_EQ(ErrorText([&] { orthavion::TransformationRun(state, start, target); }),
            "Datei \"" + shownFolder + "/Trafoprotokoll.txt\" kann nicht erstellt werden. " +
                "Zugriff verweigert");
  EXPECT_EQ(ReadBytes(start), ReadBytes(hardening::kExamples / "startsystem.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, FileNameTextTest, ::testing::ValuesIn(kNames),
                         testsupport::CaseName());

}  // namespace
