// The text viewer's cut rule and the saved chart image's file names and caption lines.

#include "tests/support/program_fixture.h"
#include "text/text_numbers.h"
#include "files/chart_image.h"
#include "files/text_viewer.h"
#include "datetime/date_input.h"

#include <algorithm>

namespace orvane::files {
namespace {

using Kind = ImageTextLine::Kind;

class ViewExportRules : public testing::ProgramTest {
protected:
    static ViewerNotices Notices() { return NoticesOf(program->language); }
    static std::vector<ImageTextLine> Lines(core::Mode mode, bool outer)
    {
        program->main.currentMode = mode;
        return ChartImageLines({mode, outer, 600, "Orvane", "1.2.3", "Orbs 3 to 8"}, program->main, program->language);
    }
    static bool Has(const std::vector<ImageTextLine>& lines, const ImageTextLine& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(ViewExportRules, AFileAtTheLimitIsCutBetweenBothNotices)
{
    const std::string whole(kViewerMaxCharacters - 1, 'x');
    EXPECT_EQ(ViewerText(whole, Notices()), whole);
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

TEST_F(ViewExportRules, APngNameWithoutExtensionGetsOneAndTheBitmapReplacesTheLastThreeCharacters)
{
    const struct {
        std::string chosen, png, bitmap;
    } cases[] = {
        {"/tmp/chart.png", "/tmp/chart.png", "/tmp/chart.bmp"},
        {"chart.jpeg", "chart.jpeg", "chart.jbmp"},
        {"mychart", "mychart.png", "mychart.bmp"},
        {"mychart.", "mychart.png", "mychart.bmp"},
        {"/home/a.b/mychart", "/home/a.b/mychart.png", "/home/a.b/mychart.bmp"},
        {"/tmp/.chart", "/tmp/.chart.png", "/tmp/.chart.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PngFileName(c.chosen), c.png) << c.chosen;
        EXPECT_EQ(BitmapFileName(PngFileName(c.chosen)), c.bitmap) << c.chosen;
    }
    EXPECT_EQ(BitmapFileName("ab"), "bmp");
}

TEST_F(ViewExportRules, WorldTransitsOneDateLayout)
{
    SetRow(0, {1987, 3, 9, 3}, 60);
    const auto lines = Lines(core::Mode::WorldTransits, true);
    EXPECT_TRUE(Has(lines, {Kind::Title, "Orvane", 5, 0}));
    EXPECT_TRUE(Has(lines, {Kind::Title, "v.1.2.3", 600 / 2 + 123, 17}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(4) + ":", 328, 350}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "1987-03-09", 308, 367}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "01:00 " + program->main.zoneLists[0].Text(), 288, 384}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(102), 5, 367}));
    EXPECT_EQ(lines.size(), 7U);
    EXPECT_EQ(Lines(core::Mode::WorldTransits, false).size(), 5U);
}

// A row holding a precise moment prints the moment computed, not its lists' half hour.
TEST_F(ViewExportRules, APreciseMomentIsCaptionedAsComputed)
{
    const auto read = [](const char* typed) {
        return datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), program->language).value();
    };
    datetime::SetPreciseMoment(program->main, 1, read("1978-03-14T06:45[Europe/Vienna]"));
    datetime::SetPreciseMoment(program->main, 0, read("2026-01-01T00:50+12:45"));
    const auto lines = Lines(core::Mode::PersonalTransits1st, false);
    EXPECT_TRUE(Has(lines, {Kind::Caption, "1978-03-14", 114, 402}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "06:45 Europe/Vienna, GMT+1:00", 114, 419}));
    // The rows show 31 December 2025, 23:30 at GMT+11:30; the caption the moment as given.
    EXPECT_EQ(program->main.dayLists[0].ListIndex(), 31);
    EXPECT_TRUE(Has(lines, {Kind::Caption, "2026-01-01", 452, 407}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "00:50 GMT+12:45", 432, 424}));
}

TEST_F(ViewExportRules, PersonalTransitsAndSynastryTwoDateLayout)
{
    const auto lines = Lines(core::Mode::PersonalTransits1st, true);
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(95) + ":", 114, 385}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(4) + ":", 472, 390}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(97), 50, 368}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, "Orbs 3 to 8", 525, 334}));
    EXPECT_TRUE(Has(lines, {Kind::Caption, Text(99), 552, 196}));
    const auto synastry = Lines(core::Mode::Synastry, false);
    EXPECT_TRUE(Has(synastry, {Kind::Caption, Text(96) + ":", 472, 385}));
    EXPECT_TRUE(Has(synastry, {Kind::Caption, Text(14) + " " + Text(169), 100, 368}));
    EXPECT_TRUE(Has(synastry, {Kind::Caption, Text(57), 497, 368}));
    EXPECT_EQ(synastry.back(), (ImageTextLine{Kind::Caption, "Orbs 3 to 8", 525, 334}));  // no outer-planet note
}

}  // namespace
}  // namespace orvane::files
