#pragma once

// The astronomical module's state: the vocabulary tables, the Pluto table, the orb table and the number
// of bodies in use, with the aspect routines that read them. A fresh object holds nothing; start-up calls
// InitializeAstroTables and ReadPlutoTable.

#include "core/aspects.h"
#include "core/pluto_table.h"
#include "core/vocabulary.h"

#include <cstdint>
#include <string>

namespace orvane::core {

class AstroModule {
public:
    AstroTables tables;
    PlutoTable pluto;
    OrbTable orbs;
    // Bodies in use: every loop over bodies runs from 1 to this. 9 with the Pluto table, 8 without.
    int16_t bodyCount = kNeptune;

    // Fills the tables and hands the data folder to the ephemeris.
    void InitializeAstroTables(const std::string& dataFolder) { tables.InitializeAstroTables(dataFolder); }

    // Reads the Pluto table from the data folder and sets bodyCount. A failure's text tells what went wrong
    // (one line, without heading).
    platform::Result<void> ReadPlutoTable();
    bool PlutoDataReadOK() const { return !pluto.empty(); }

    // The one entry for all positions (see positions.h).
    double HelioLongitude(int16_t body, double moment) const;

    // |separation − aspect angle| of two longitudes.
    double Deviation(double L1, double L2, int16_t aspect) const;

    // Whether bodies p1 and p2 (column 0 of `longitudes`) stand in `aspect` within its one-moment orb.
    // `deviation` receives |separation − aspect angle| unless a body has no position (then it is left as
    // it was and the answer is no). Out-of-range indices answer no.
    bool IsAspect(const PositionTable& longitudes, int16_t p1, int16_t p2, int16_t aspect, double& deviation) const;

    // Whether two longitudes stand in `aspect` within the orb of `column`. On yes, `exactness` becomes
    // (orb − deviation) / orb, above 0 and at most 1; on no −1 (unchanged when a longitude is negative).
    bool IsAspectWithExactness(double L1, double L2, int16_t aspect, int16_t column, double& exactness) const;

    // −1 applying, 1 separating, 0 neither: compares `deviation` with the deviation half an hour after
    // `moment`.
    int16_t ApplyingOrSeparating(double moment, int16_t p1, int16_t p2, int16_t aspect, double deviation) const;

    // The same test with the longitudes half an hour later already at hand (a computation that marks many
    // aspects of one moment needs each body's later longitude once).
    int16_t ApplyingOrSeparatingFrom(double laterL1, double laterL2, int16_t aspect, double deviation) const;

    // The same for a moving body `p` against a fixed (natal) longitude, half an hour after the world
    // moment `worldMoment`.
    int16_t TransitApplyingOrSeparating(double worldMoment, double natalL, int16_t p, int16_t aspect,
                                        double deviation) const;

private:
    static bool ValidAspect(int16_t aspect) { return aspect >= kConjunction && aspect <= kNumAspects; }
};

}  // namespace orvane::core
