#pragma once

// A program as the main window holds it after start-up, for the tests of Compute and of the window's
// actions: real ephemeris, Pluto table and program text, all three date rows at 1 January 2000, 12:00 GMT,
// world transits selected and every orb 0 until a test chooses some.

#include "datetime/time_zones.h"
#include "app/compute.h"
#include "display/pluto_table_texts.h"
#include "platform/index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orvane::testing {

// The Julian Day Number of a Gregorian date, computed here independently of the calendar library.
inline int32_t Jdn(int32_t y, int32_t m, int32_t d)
{
    const int32_t a = (14 - m) / 12;
    const int32_t yy = y + 4800 - a;
    const int32_t mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

// A date row as its controls hold it: year, month, day and half-hour position (1 = 00:00).
struct RowDate {
    int32_t y;
    int16_t m;
    int16_t d;
    int16_t h;
    bool operator==(const RowDate&) const = default;
};

// The moment of a row date in a zone `zone` minutes east of Greenwich.
inline double Moment(const RowDate& date, int32_t zone)
{
    return Jdn(date.y, date.m, date.d) - 0.5 + (date.h - 1) / 48.0 - zone / 1440.0;
}

class ProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        program = std::make_unique<app::Workspace>();
        program->astro.InitializeAstroTables(ORVANE_BIN_DIR);
        ASSERT_TRUE(program->language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        ASSERT_TRUE(program->astro
                        .ReadPlutoTable(display::DescribePlutoTableFault(program->language, program->astro.PlutoTablePath()))
                        .ok());
        colors = program->astro.tables.aspectColors;
    }
    static void TearDownTestSuite() { program.reset(); }

    void SetUp() override
    {
        app::Workspace& p = *program;
        p.main = app::MainModel();
        p.grid = display::GridModel();
        p.configure = settings::ConfigureModel();
        p.run = search::RunState();
        p.astro.tables.aspectColors = colors;
        datetime::SetUpDateRows(p.main);
        p.main.FillStepList(p.language);
        datetime::SetUpTimezoneComboBoxes(p.main, false, false);
        for (int16_t row = 0; row < core::kNumDateRows; ++row)
            SetRow(row, {2000, 1, 1, 25}, 0);
        p.main.SelectMode(core::Mode::WorldTransits);
        SetOrbs({0, 0, 0, 0, 0, 0, 0});
        p.configure.midpointOrbList.SetListIndex(0);  // 0° 5'
    }

    // Sets a row's controls; `zone` is the offset in minutes east of Greenwich of the zone to select.
    static void SetRow(int16_t row, const RowDate& date, int32_t zone)
    {
        app::MainModel& m = program->main;
        m.yearTexts[platform::At(row)] = std::to_string(date.y);
        m.monthLists[platform::At(row)].SetListIndex(date.m);
        m.dayLists[platform::At(row)].SetListIndex(date.d);
        m.halfHourLists[platform::At(row)].SetListIndex(date.h);
        platform::ComboBoxModel& zones = m.zoneLists[platform::At(row)];
        for (int16_t i = 1; i < zones.ListCount(); ++i)
            if (zones.ItemData(i) == zone)
                return zones.SetListIndex(i);
        FAIL() << "no zone of " << zone << " minutes";
    }

    // Applies orbs in minutes of arc for aspects 1 … 7 (each must be an entry of its orb list).
    static void SetOrbs(const std::array<int32_t, 7>& minutes)
    {
        settings::ConfigureModel& panel = program->configure;
        for (size_t k = 0; k < minutes.size(); ++k) {
            int16_t position = -1;
            for (int16_t i = 0; i < panel.orbLists[k].ListCount(); ++i)
                if (panel.orbLists[k].ItemData(i) == minutes[k])
                    position = i;
            ASSERT_GE(position, 0) << "no orb of " << minutes[k] << "' in list " << k;
            panel.orbIndexes[k] = position;
        }
    }

    static const display::GridCell& Cell(int16_t i) { return program->grid.cellTexts[platform::At(i)]; }

    // The cells of the aspects the last computation found, in the grid's order.
    static std::vector<int16_t> AspectCells()
    {
        std::vector<int16_t> cells;
        const core::AspectResult& result = program->main.result;
        for (const core::AspectFound& found : result.aspects)
            cells.push_back(program->grid.CellIndex(display::AspectCell(result.comparison, found)));
        return cells;
    }

    // The aspect index of the aspect found in cell `i`; 0 for none.
    static int16_t CellAspect(int16_t i)
    {
        const std::vector<int16_t> cells = AspectCells();
        const auto at = std::find(cells.begin(), cells.end(), i);
        return at == cells.end() ? int16_t{0}
                                 : core::IndexOf(program->main.result.aspects[static_cast<size_t>(at - cells.begin())].aspect);
    }

    static std::string Text(int16_t number) { return program->language.Text(number); }

    inline static std::unique_ptr<app::Workspace> program;
    inline static std::array<double, core::kAspectSlots> colors{};
};

}  // namespace orvane::testing
