#pragma once

// The astronomical module's state: the vocabulary tables, the Pluto table, the orb table and the number
// of bodies in use, with the aspect routines that read them. A fresh object holds nothing; start-up calls
// InitializeAstroTables and ReadPlutoTable.

#include "core/aspects.h"
#include "core/pluto_table.h"
#include "core/positions.h"
#include "core/vocabulary.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::core {

// An aspect that holds, with its deviation from exact (radians).
struct AspectHeld {
    Aspect aspect = Aspect::Conjunction;
    double deviation = 0.0;
};

class AstroModule {
public:
    AstroTables tables;
    PlutoTable pluto;
    OrbTable orbs;
    // Bodies in use: every loop over bodies runs from 1 to this. 9 with the Pluto table, 8 without.
    int16_t bodyCount = kNeptune;
    // The convention every position of the module is computed in: the J2000 ecliptic with geometric
    // positions unless the user asks for the mainstream one (ecliptic of date, apparent positions).
    platform::Convention convention;
    // Where tables that passed their check are stamped, so that a later start need not check them again;
    // nowhere unless the program says (the companion, which starts once for every command, does).
    platform::CheckedFiles checkedFiles;

    // Fills the tables and hands the data folder to the ephemeris.
    void InitializeAstroTables(const std::string& dataFolder) { tables.InitializeAstroTables(dataFolder); }

    // Reads the Pluto table from the data folder and sets bodyCount. A failure's text is what `describe`
    // gives for its fault (one line, without heading).
    platform::Result<void> ReadPlutoTable(const DescribePlutoTableFault& describe);
    std::string PlutoTablePath() const { return tables.dataFolderPath + kPlutoTableFileName; }
    bool PlutoDataReadOK() const { return !pluto.empty(); }

    // The one entry for all positions (see positions.h): the longitude of `body` at `moment` in the
    // module's convention, negative
    // when it has none. A body number outside 1 … 9 (a number read from a file or a command line) has
    // none (kUnknownBody).
    double HelioLongitude(Body body, double moment) const;
    double HelioLongitude(int16_t body, double moment) const;
    // The same in a convention (see core::HelioLongitude): Pluto from its table in the default one only.
    double HelioLongitude(Body body, double moment, platform::Convention convention) const;
    // The same as a position, with the reason when there is none.
    Position PositionAt(Body body, double moment) const { return PositionOf(HelioLongitude(body, moment)); }

    // |separation − aspect angle| of two longitudes.
    double Deviation(double L1, double L2, Aspect aspect) const;

    // The first aspect, in search order, that holds for two bodies `separation` apart with the orbs of
    // `column`, and its deviation; none when no aspect holds.
    std::optional<AspectHeld> FirstAspectHeld(double separation, int16_t column) const;

    // Whether bodies p1 and p2 of `positions` stand in `aspect` within its one-moment orb. `deviation`
    // receives |separation − aspect angle| unless a body has no position (then it is left as it was and the
    // answer is no).
    bool IsAspect(const ChartPositions& positions, Body p1, Body p2, Aspect aspect, double& deviation) const;

    // When two longitudes stand in `aspect` within the orb of `column`: the exactness (orb − deviation) / orb,
    // above 0 and at most 1 (1 is exact). None outside the orb, or when a longitude is negative.
    std::optional<double> ExactnessOfAspect(double L1, double L2, Aspect aspect, int16_t column) const;

    // Whether an aspect of deviation `deviation` is applying or separating: compared with the deviation of
    // the two positions half an hour later (a natal position stays where it is). Neither when one has no
    // position: a body that leaves its table within the half hour has no direction.
    Motion ApplyingOrSeparatingFrom(const Position& later1, const Position& later2, Aspect aspect,
                                    double deviation) const;
};

}  // namespace orvane::core
