#include "app/chart_editor.h"
#include "app/chart_library.h"
#include "app/precise_moments.h"
#include "tests/support/program_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvane::app {
namespace {

template <typename T>
using Result = platform::Result<T>;

// Two places of one name in two zones, and a city with a German name.
const atlas::Atlas& Places()
{
    static const atlas::Atlas places(
        {{"Springfield", "", "Illinois", "United States", "US", "America/Chicago", 39.8, -89.64, 114000, "", ""},
         {"Springfield", "", "Missouri", "United States", "US", "America/Chicago", 37.2, -93.3, 166000, "", ""},
         {"Munich", "München", "Bavaria", "Germany", "DE", "Europe/Berlin", 48.137, 11.575, 1260000, "Bayern",
          "Deutschland"}});
    return places;
}

class Library : public testing::ProgramTest {
protected:
    testing::TempFolder folder;
    ChartLibrary library{program->language};
    const platform::FixedClock clock{{2000, 1, 1, 12, 0, 0}};

    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(library.Open(folder.folder() + "charts.sqlite"));
    }

    // A chart entered in the editor as the user enters it: the place chosen from the atlas' proposals.
    Result<charts::ChartRecord> Entered(std::string name, std::tuple<int, int, int, int, int> moment, std::string_view place,
                                        std::string tags = {})
    {
        ChartEditor editor;
        editor.name = std::move(name);
        std::tie(editor.moment.year, editor.moment.month, editor.moment.day, editor.moment.hour, editor.moment.minute) = moment;
        editor.moment.place.Type(place, Places(), atlas::NameLanguage::English);
        editor.ChoosePlace(0, atlas::NameLanguage::English);
        editor.tagsText = std::move(tags);
        return editor.Record(program->language);
    }
    void Add(std::string name, std::tuple<int, int, int, int, int> moment, std::string_view place, std::string tags = {})
    {
        auto chart = Entered(std::move(name), moment, place, std::move(tags));
        ASSERT_TRUE(chart) << chart.error().text;
        ASSERT_TRUE(library.Save(std::move(chart).value()));
    }
    std::vector<std::string> Column(ChartColumn column) const
    {
        std::vector<std::string> cells;
        for (size_t i = 0; i < library.size(); ++i)
            cells.push_back(library.Cells(i)[static_cast<size_t>(column)]);
        return cells;
    }
};

// The list follows the search box, keeps the chosen chart while it is found and sorts by any column, the
// second click the other way round; Delete (after the question) chooses the next chart.
TEST_F(Library, SearchSortChooseAndDelete)
{
    Add("Berger", {1978, 3, 14, 6, 45}, "Munich", "client, family");
    Add("Adler", {1950, 7, 1, 12, 0}, "Springfield, Missouri");
    Add("Cohn", {1999, 12, 31, 23, 59}, "Springfield, Illinois", "client");
    EXPECT_EQ(Column(ChartColumn::Name), (std::vector<std::string>{"Adler", "Berger", "Cohn"}));
    EXPECT_EQ(Column(ChartColumn::Place)[0], "Springfield, Missouri, US");
    EXPECT_EQ(Column(ChartColumn::Date)[1], "1978-03-14 06:45");
    library.SortBy(ChartColumn::Date);
    library.SortBy(ChartColumn::Date);
    EXPECT_EQ(Column(ChartColumn::Name), (std::vector<std::string>{"Cohn", "Berger", "Adler"}));
    library.Choose(1);  // Berger
    ASSERT_TRUE(library.Search("clie"));
    EXPECT_EQ(Column(ChartColumn::Tags), (std::vector<std::string>{"client", "client, family"}));
    EXPECT_EQ(library.Chosen()->name, "Berger");
    EXPECT_EQ(library.Total(), 3u);
    EXPECT_EQ(library.DeleteQuestion().defaultButton, platform::Button::No);
    ASSERT_TRUE(library.DeleteChosen());
    ASSERT_TRUE(library.Search(""));
    EXPECT_EQ(Column(ChartColumn::Name), (std::vector<std::string>{"Cohn", "Adler"}));
    EXPECT_EQ(library.Chosen()->name, "Cohn");  // the one above: Berger was the last the search found
    ASSERT_TRUE(library.Search("zzz"));
    EXPECT_EQ(library.Chosen(), nullptr);
}

// "Use as 1st birthdate" gives the row the chart's moment and place exactly as the ◷ dialog's OK does, and
// "Add to charts" drafts the same chart back from the row; an empty row drafts none.
TEST_F(Library, UseAsARowAndDraftFromIt)
{
    Add("Berger", {1978, 3, 14, 6, 45}, "München");
    library.Choose(0);
    const charts::ChartRecord stored = *library.Chosen();
    EXPECT_NEAR(stored.moment.moment, testing::Jdn(1978, 3, 14) - 0.5 + 5.75 / 24, 1e-9);  // 06:45 CET is 05:45 UT
    library.UseChosen(*program, 1);
    EXPECT_EQ(PreciseMomentLabel(*program, 1), "06:45 Europe/Berlin, GMT+1:00");
    const Result<charts::ChartRecord> draft = library.Draft(*program, 1, clock);
    ASSERT_TRUE(draft);
    EXPECT_EQ(draft.value().moment, stored.moment);
    EXPECT_EQ(draft.value().place, stored.place);
    EXPECT_EQ(draft.value().place.name, "Munich");
    program->main.yearTexts[2].clear();
    EXPECT_FALSE(library.Draft(*program, 2, clock));
}

// Choosing a proposal fills the zone and the coordinates; Edit keeps what the editor does not show; a
// latitude beyond the pole and a chart already present are refused.
TEST_F(Library, EditorAndRefusals)
{
    ChartEditor editor;
    editor.moment.place.Type("springf", Places(), atlas::NameLanguage::English);
    EXPECT_EQ(editor.moment.place.Proposals(),
              (std::vector<std::string>{"Springfield, Missouri, US", "Springfield, Illinois, US"}));
    editor.ChoosePlace(1, atlas::NameLanguage::English);
    EXPECT_EQ(std::tie(editor.moment.zoneText, editor.latitudeText, editor.longitudeText),
              std::tie("America/Chicago", "39.8", "-89.64"));
    Add("Adler", {1950, 7, 1, 12, 0}, "Munich");
    library.Choose(0);
    charts::ChartRecord kept = *library.Chosen();
    kept.reliability = "AA";
    editor.Fill(kept, program->language);
    editor.latitudeText = "48°8'N";
    Result<charts::ChartRecord> edited = editor.Record(program->language);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited.value().reliability, "AA");
    EXPECT_NEAR(*edited.value().place.latitude, 48.1333333, 1e-6);
    editor.latitudeText = "91 N";
    EXPECT_FALSE(editor.Record(program->language));
    auto again = Entered("Adler", {1950, 7, 1, 12, 0}, "Munich");
    ASSERT_TRUE(again);
    EXPECT_FALSE(library.Save(std::move(again).value()));
}

// A file that is not a chart library is refused with a message naming it, and the list stays empty.
TEST_F(Library, ARefusedFileIsAMessage)
{
    const std::string foreign = folder.Write("notes.txt", "not a database at all, just some words of text\n");
    const platform::Result<void> refusal = library.Open(foreign);
    ASSERT_FALSE(refusal);
    EXPECT_NE(refusal.error().text.find(foreign), std::string::npos);
    EXPECT_FALSE(library.IsOpen());
    EXPECT_EQ(library.size(), 0u);
}

}  // namespace
}  // namespace orvane::app
