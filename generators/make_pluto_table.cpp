// Writes the Pluto table hpluto.2199.slx: Pluto's heliocentric J2000 ecliptic longitude at 0h UT of every
// day from 1 January 1600 through 1 January 2200 (the right-hand neighbour that 31 December 2199 needs),
// rounded to whole arcseconds and encoded line by line.
//
// Usage: make_pluto_table OUTPUT_FILE [EPHEMERIS_FOLDER]

#include "core/pluto_table.h"

#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int32_t kFlags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS |
                           SEFLG_NOABERR | SEFLG_NOGDEFL;

constexpr int32_t kArcsecondsPerTurn = 360 * 3600;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE [EPHEMERIS_FOLDER]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = argv[1];
    const std::string folder = argc == 3 ? argv[2] : "/usr/share/libswe/ephe";
    swe_set_ephe_path(folder.c_str());

    std::string table;
    table.reserve(static_cast<size_t>(orvane::core::kPlutoTableLines) * 5);
    for (int32_t n = 0; n < orvane::core::kPlutoTableLines; ++n) {
        const double midnight = orvane::core::kPlutoFirstDay + n - 0.5;
        std::array<double, 6> xx{};
        std::array<char, AS_MAXCH> serr{};
        const int32_t result = swe_calc_ut(midnight, SE_PLUTO, kFlags, xx.data(), serr.data());
        if (result < 0 || (result & SEFLG_SWIEPH) == 0) {
            std::fprintf(stderr, "make_pluto_table: Swiss Ephemeris files for Pluto are missing in %s (%s)\n",
                         folder.c_str(), serr.data());
            swe_close();
            return 1;
        }
        auto arcseconds = static_cast<int32_t>(std::lround(xx[0] * 3600.0));
        if (arcseconds >= kArcsecondsPerTurn)
            arcseconds -= kArcsecondsPerTurn;
        table += orvane::core::EncodePlutoEntry(n, arcseconds);
        table += '\n';
    }
    swe_close();

    // Write beside the target and rename, so that an interrupted build never leaves half a table.
    const std::filesystem::path partial = output.string() + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(table.data(), static_cast<std::streamsize>(table.size()));
        if (!file) {
            std::fprintf(stderr, "make_pluto_table: cannot write %s\n", partial.c_str());
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, output, error);
    if (error) {
        std::fprintf(stderr, "make_pluto_table: cannot rename to %s: %s\n", output.c_str(),
                     error.message().c_str());
        return 1;
    }
    return 0;
}
