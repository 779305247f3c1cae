// `silvarone diagram`, run as the built program: the picture parses as SVG
// (Qt's renderer) and carries the dimensions the calculation page shows, in
// the language asked for; a PNG is a picture; wrong names are refused.
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>
#include <nlohmann/json.hpp>

#include "pdf_text.h"
#include "program_run.h"

namespace silvarone {
namespace {

using testing::Outcome;

class Diagram : public testing::ProgramFolder {};

std::string Trimmed(const std::string& text) {
  return text.starts_with("  ") ? text.substr(2) : text;
}

TEST_F(Diagram, SvgParsesAndCarriesThePageNumbers) {
  for (const std::string language : {"de", "en"}) {
    SCOPED_TRACE(language);
    const auto [json, status] = Silvarone("report '" + example + "' --json --lang " + language);
    ASSERT_EQ(status, 0) << Read("err");
    const nlohmann::json fields = nlohmann::json::parse(json)["fields"];
    const std::string svg = Path("m_" + language + ".svg");
    ASSERT_EQ(Silvarone("diagram '" + example + "' '" + svg + "' --lang " + language),
              Outcome("", 0))
        << Read("err");
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(svg)).isValid());
    const std::string text = Read(svg);
    for (const std::string& label :
         {"W_k = " + fields["Edit100"].get<std::string>() + " mm",
          "M_dk = " + fields["Edit200"].get<std::string>() + " mm",
          "Q = " + Trimmed(fields["Kontrollmass"].get<std::string>()) + " mm"}) {
      EXPECT_NE(text.find(label), std::string::npos) << label;
    }
    EXPECT_NE(text.find(language == "de" ? "Messung maßstäblich" : "Measurement to scale"),
              std::string::npos);
  }
}

TEST_F(Diagram, PngAndRefusals) {
  const std::string png = Path("m.png");
  ASSERT_EQ(Silvarone("diagram '" + png + "'"), Outcome("", 0)) << Read("err");
  EXPECT_EQ(QImage(QString::fromStdString(png)).width(), 1200);
  EXPECT_EQ(Silvarone("diagram '" + Path("m.pdf") + "'"), Outcome("", 2));
  EXPECT_EQ(Read("err"),
            "silvarone: the picture '" + Path("m.pdf") + "' must be named .svg or .png\n");
  EXPECT_EQ(Silvarone("diagram"), Outcome("", 2));
  EXPECT_EQ(Read("err"), "usage: silvarone diagram [FILE.tvp] OUT.svg|OUT.png [--lang de|en]\n");
  EXPECT_EQ(Silvarone("diagram a.tvp b.svg c.svg").second, 2);
  const std::string missing = Path("missing/m.svg");
  EXPECT_EQ(Silvarone("diagram '" + missing + "'"), Outcome("", 5));
  EXPECT_EQ(Read("err"), "silvarone: cannot write the picture '" + missing + "': no such folder\n");
}

}  // namespace
}  // namespace silvarone
