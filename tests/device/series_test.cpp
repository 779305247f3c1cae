// Module series, ball files and ball choice, and the help document list.
#include "device/series.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "file_fixture.h"
#include "row_name.h"

namespace silvarone {
namespace {

using testing::ShippedData;
using SeriesFiles = testing::TempFolder;

TEST(ModuleSeries, Din780) {
  EXPECT_EQ(kModuleSeries1.front(), "0.05");
  EXPECT_EQ(kModuleSeries1.back(), "60");
  EXPECT_EQ(kModuleSeries2.front(), "0.055");
  EXPECT_EQ(kModuleSeries2[15], "1.125");
  EXPECT_EQ(kModuleSeries2.back(), "70");
  EXPECT_EQ(ModuleChoiceFromSetting("0"), 0);
  EXPECT_EQ(ModuleChoiceFromSetting("1"), 1);
  EXPECT_EQ(ModuleChoiceFromSetting("2"), 2);
  EXPECT_EQ(ModuleChoiceFromSetting(" 1"), 2);
}

struct StoredModuleCase {
  const char* name;
  int item;
  std::string stored;
  int index;
};

SILVARONE_PRINT_ROW_NAME(StoredModuleCase)

class StoredModule : public ::testing::TestWithParam<StoredModuleCase> {};

TEST_P(StoredModule, SelectsItsEntryByValue) {
  const StoredModuleCase& c = GetParam();
  EXPECT_EQ(ModuleSeriesIndex(c.item, c.stored), c.index) << c.item << " " << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    ModuleSeries, StoredModule,
    ::testing::Values(
        StoredModuleCase{"Series1_2p5", kModuleSeries1Item, "2.5", 19},
        StoredModuleCase{"Series1_2Comma50", kModuleSeries1Item, "2,50", 19},
        StoredModuleCase{"Series1_1Comma0", kModuleSeries1Item, "1,0", 15},
        // not in series 1
        StoredModuleCase{"Series1_0p055_NotInTheSeries", kModuleSeries1Item, "0.055", 0},
        StoredModuleCase{"Series1_NotANumber", kModuleSeries1Item, "Modul", 0},
        StoredModuleCase{"Series2_0p055", kModuleSeries2Item, "0.055", 0},
        StoredModuleCase{"Series2_3p5", kModuleSeries2Item, "3.5", 20},
        StoredModuleCase{"Series2_Empty", kModuleSeries2Item, "", 0},
        // not in series 2
        StoredModuleCase{"Series2_1Comma0_NotInTheSeries", kModuleSeries2Item, "1,0", 0}),
    testing::RowName);

TEST(ModuleSeries, SeriesOfTheItem) {
  EXPECT_EQ(ModuleSeries(kModuleSeries2Item)[20], "3.5");
}

TEST(BallFile, LayoutAndNumbering) {
  const auto lines = BallFileLines({"1.000", "2.500"}, "08.12.2026");
  const std::vector<std::string> expected = {
      std::string(53, '/'),
      "//",
      "// Tabelle Messkugeldurchmesser",
      "// Silvaronenmessung",
      "// Nummer: 00001",
      "//",
      "// Kugelanzahl: 2",
      "//",
      "// Datum:       08.12.2026",
      "//",
      std::string(53, '/'),
      "",
      "01  1.000 mm",
      "02  2.500 mm",
  };
  EXPECT_EQ(lines, expected);

  std::vector<std::string> nine(9, "3.000");
  const auto nineLines = BallFileLines(nine, "01.01.2027");
  EXPECT_EQ(nineLines[12], "01  3.000 mm");
  EXPECT_EQ(nineLines[20], "09  3.000 mm");
  std::vector<std::string> twelve(12, "3.000");
  const auto twelveLines = BallFileLines(twelve, "01.01.2027");
  EXPECT_EQ(twelveLines[6], "// Kugelanzahl: 12");
  EXPECT_EQ(twelveLines[12], "1  3.000 mm");
  EXPECT_EQ(twelveLines[23], "12  3.000 mm");
}

TEST_F(SeriesFiles, BallFileReadAndWrite) {
  Write("balls.dat",
        "// comment\r\n01  4.000 mm\r\n\r\nxx\r\n02\t\t4,500   mm  extra\r\n3  5.000\r\n7\r\n");
  EXPECT_EQ(ReadBallFile(Path("balls.dat")), (std::vector<std::string>{"4.000", "4,500", "5.000"}));
  EXPECT_FALSE(ReadBallFile(Path("missing.dat")).has_value());

  EXPECT_EQ(WriteBallFile({}, Path("empty.dat"), "08.12.2026"), -1);
  EXPECT_FALSE(std::filesystem::exists(Path("empty.dat")));
  EXPECT_EQ(WriteBallFile({"1.5", "2"}, Path("out.dat"), "08.12.2026"), 0);
  EXPECT_EQ(ReadBallFile(Path("out.dat")), (std::vector<std::string>{"1.5", "2"}));
  EXPECT_EQ(WriteBallFile({"1.5"}, Path("no/folder/out.dat"), "08.12.2026"), -2);
  // Dated today when no date is given.
  EXPECT_EQ(WriteBallFile({"1.5"}, Path("today.dat")), 0);
  EXPECT_EQ(ReadTextLines(Path("today.dat"))->at(8).size(),
            std::string("// Datum:       dd.mm.yyyy").size());
}

TEST(BallFile, ShippedFilesRoundTripThroughTheWriter) {
  for (const char* name : {kDinBallFile, kDeviceBallFile}) {
    SCOPED_TRACE(name);
    const std::string path = ShippedData(std::string("dat/") + name);
    const auto lines = ReadTextLines(path);
    ASSERT_TRUE(lines.has_value()) << name;
    const auto balls = ReadBallFile(path);
    ASSERT_TRUE(balls.has_value());
    const std::string date = lines->at(8).substr(std::string("// Datum:       ").size());
    EXPECT_EQ(BallFileLines(*balls, date), *lines) << name;
    // Ascending diameters within the stated range.
    double previous = 0.0;
    for (const std::string& ball : *balls) {
      const double diameter = std::stod(ball);
      EXPECT_GT(diameter, previous) << name;
      previous = diameter;
    }
  }
  EXPECT_EQ(ReadBallFile(ShippedData("dat/messkugel_DIN_001.dat"))->front(), "0.500");
  EXPECT_EQ(ReadBallFile(ShippedData("dat/messkugel_DIN_001.dat"))->back(), "30.000");
  EXPECT_EQ(ReadBallFile(ShippedData("dat/messkugel_VEK_001.dat"))->front(), "1.500");
  EXPECT_EQ(ReadBallFile(ShippedData("dat/messkugel_VEK_001.dat"))->back(), "20.000");
}

TEST(BallChoice, ItemsAndTheBallInUse) {
  EXPECT_EQ(BallChoiceFromSetting("0"), 0);
  EXPECT_EQ(BallChoiceFromSetting("2"), 2);
  EXPECT_EQ(BallChoiceFromSetting("3"), 3);
  EXPECT_EQ(BallChoiceFromSetting("x"), 3);
  EXPECT_EQ(BallIndex({}, "3.5"), -1);  // an empty list selects nothing
}

struct StoredBallCase {
  const char* name;
  std::string stored;
  int index;
};

SILVARONE_PRINT_ROW_NAME(StoredBallCase)

class StoredBall : public ::testing::TestWithParam<StoredBallCase> {};

// A stored ball selects its list entry by diameter, however it was written;
// a diameter the list lacks selects the first ball, so a ball is always in use.
TEST_P(StoredBall, SelectsItsEntryByDiameter) {
  const StoredBallCase& c = GetParam();
  const std::vector<std::string> balls = {"3.000", "3.500", "10.000"};
  EXPECT_EQ(BallIndex(balls, c.stored), c.index) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(BallChoice, StoredBall,
                         ::testing::Values(StoredBallCase{"AsListed_3p500", "3.500", 1},
                                           StoredBallCase{"Shorter_3p5", "3.5", 1},
                                           StoredBallCase{"DecimalComma_3Comma5", "3,5", 1},
                                           StoredBallCase{"Integer_10", "10", 2},
                                           StoredBallCase{"DecimalComma_10Comma0", "10,0", 2},
                                           StoredBallCase{"NotInTheList_5p000", "5.000", 0},
                                           StoredBallCase{"Empty", "", 0},
                                           StoredBallCase{"NotANumber", "x", 0}),
                         testing::RowName);

TEST_F(SeriesFiles, DocumentList) {
  EXPECT_EQ(ReadDocumentList(Path("missing.txt")).problem->kind, ProblemKind::kNoDocumentList);
  Write("empty.txt", "");
  EXPECT_EQ(ReadDocumentList(Path("empty.txt")).problem->kind, ProblemKind::kEmptyDocumentList);
  Write("list.txt",
        "file_9: before the start\r\n[list start]\r\nfile_1: Handbuch.pdf  \r\nother line\r\n"
        "file_\r\nfile_2:\r\n");
  const DocumentList list = ReadDocumentList(Path("list.txt"));
  EXPECT_FALSE(list.problem.has_value());
  EXPECT_EQ(list.documents, (std::vector<std::string>{"Handbuch.pdf", "file_", "file_2:"}));
}

TEST(DocumentList, ShippedListNamesFourManuals) {
  const DocumentList list = ReadDocumentList(ShippedData("docs/acrobatSilvaroneFiles.txt"));
  EXPECT_FALSE(list.problem.has_value());
  ASSERT_EQ(list.documents.size(), 4u);
  for (const std::string& document : list.documents) {
    EXPECT_EQ(document.substr(document.size() - 4), ".pdf");
  }
}

}  // namespace
}  // namespace silvarone
