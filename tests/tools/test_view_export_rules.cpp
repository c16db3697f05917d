// The text viewer's cut rule and the saved chart image's file names and caption lines.

#include "tests/support/program_fixture.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "tools/chart_image.h"
#include "tools/text_viewer.h"

#include <algorithm>

namespace orvane::tools {
namespace {

using Kind = ImageTextLine::Kind;

class ViewExportRules : public testing::ProgramTest {
protected:
    static ViewerNotices Notices() { return NoticesOf(program->language); }
    static std::vector<ImageTextLine> Lines(int16_t mode, bool outer)
    {
        program->main.intMode = mode;
        return ChartImageLines({mode, outer, 600, "Orvane", "1.2.3", "Orbs 3 to 8"}, program->main, program->language);
    }
    static bool Has(const std::vector<ImageTextLine>& lines, const ImageTextLine& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(ViewExportRules, AFileShorterThanTheLimitIsShownWhole)
{
    const std::string text(kViewerMaxCharacters - 1, 'x');
    EXPECT_EQ(ViewerText(text, Notices()), text);
}

TEST_F(ViewExportRules, AFileAtTheLimitIsCutBetweenBothNotices)
{
    const ViewerNotices notices = Notices();
    EXPECT_EQ(notices.head.substr(0, 5), "NOTE:");
    EXPECT_EQ(notices.head.substr(notices.head.size() - 4), "\r\n\r\n");
    const std::string shown = ViewerText(std::string(kViewerMaxCharacters, 'x'), notices);
    EXPECT_EQ(shown.size(), kViewerMaxCharacters + 4);  // the limit and the two line breaks before the tail
    EXPECT_EQ(shown.substr(0, notices.head.size()), notices.head);
    EXPECT_EQ(shown.substr(shown.size() - notices.tail.size() - 4), "\r\n\r\n" + notices.tail);
    const size_t kept = kViewerMaxCharacters - notices.head.size() - notices.tail.size();
    EXPECT_EQ(shown.substr(notices.head.size(), kept + 1), std::string(kept, 'x') + "\r");
}

TEST_F(ViewExportRules, CharactersNotBytesAreCountedAndNoneIsSplit)
{
    std::string umlauts;
    for (size_t i = 0; i < kViewerMaxCharacters - 1; ++i)
        umlauts += "ä";
    EXPECT_EQ(ViewerText(umlauts, Notices()), umlauts);
    program->language.intLanguage = text::langGerman;  // notices with umlauts of their own
    const std::string shown = ViewerText(umlauts + "ää", Notices());
    program->language.intLanguage = text::langEnglish;
    EXPECT_EQ(text::CharacterCount(shown), kViewerMaxCharacters + 4);
    EXPECT_EQ(shown.find("\xC3\r"), std::string::npos);  // the last kept "ä" is whole
}

TEST_F(ViewExportRules, AMissingFileReadsAsNothing)
{
    EXPECT_FALSE(ReadWholeFile("/nonexistent/zemt_help.txt"));
}

TEST_F(ViewExportRules, TheBitmapNameReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(BitmapFileName("/tmp/chart.png"), "/tmp/chart.bmp");
    EXPECT_EQ(BitmapFileName("chart.jpeg"), "chart.jbmp");
    EXPECT_EQ(BitmapFileName("ab"), "bmp");
}

TEST_F(ViewExportRules, RowTextsUseListPositionsWithTwoDigits)
{
    SetRow(1, {1987, 3, 9, 3}, 60);
    EXPECT_EQ(RowDateText(program->main, 1), "1987-03-09");
    EXPECT_EQ(RowClockText(program->main, 1),
              program->main.cboHour[1].List(3) + " " + program->main.cboTimezone[1].Text());
    EXPECT_EQ(RowClockText(program->main, 1).substr(0, 6), "01:00 ");
}

TEST_F(ViewExportRules, WorldTransitsOneDateLayout)
{
    const auto lines = Lines(core::kModeWorldTransits, true);
    EXPECT_TRUE(Has(lines, {Kind::Title, "Orvane", 5, 0}));
    EXPECT_TRUE(Has(lines, {Kind::Title, "v.1.2.3", 600 / 2 + 123, 17}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(4) + ":", 328, 350}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "2000-01-01", 308, 367}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, RowClockText(program->main, 0), 288, 384}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(102), 5, 367}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(103), 5, 384}));
    EXPECT_EQ(lines.size(), 7U);
    EXPECT_EQ(Lines(core::kModeWorldTransits, false).size(), 5U);
}

TEST_F(ViewExportRules, NatalAspectsOfTheSecondBirthdate)
{
    const auto lines = Lines(core::kModeNatal2, true);
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(96) + ":", 3, 350}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "2000-01-01", 3, 367}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(102), 335, 367}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(103), 310, 384}));
}

TEST_F(ViewExportRules, PersonalTransitsTwoDateLayout)
{
    const auto lines = Lines(core::kModePersonal1, true);
    for (int32_t i = 0; i < 2; ++i)
        EXPECT_EQ(lines[static_cast<size_t>(i)].x, 114);
    EXPECT_TRUE(Has(lines, {Kind::Title, "v.1.2.3", 114, 68}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(95) + ":", 114, 385}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(4) + ":", 472, 390}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(97), 50, 368}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "Orbs 3 to 8", 525, 334}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(99), 552, 196}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(101), 552, 230}));
}

TEST_F(ViewExportRules, SynastryNamesBothBirthdates)
{
    const auto lines = Lines(core::kModeSynastry, false);
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(96) + ":", 472, 385}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(14) + " " + Text(169), 100, 368}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(57), 497, 368}));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const auto& l) { return l.x == 552; }));
}

}  // namespace
}  // namespace orvane::tools
