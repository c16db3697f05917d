#pragma once

// The AAF chart exchange format that astrology programs share: a text of records, each an #A93 chunk
// (name, first name, type, date, time, place, country) followed by optional chunks in any order: #B93
// (Julian day, latitude, longitude, zone difference, summer time), #ZNAM (the zone's name), #COM (a note),
// #SRC (the source), and chunks of computed positions and houses, which are kept as read. "*" is an unknown
// field, "#:" begins a comment line, and a chunk may go on over the lines after it.
//
// How a record becomes a chart: the Julian day of #B93 rules when it and the date and time of #A93
// disagree; a record with neither zone difference nor Julian day takes the zone of its place in the atlas
// (and the place's coordinates where #B93 gives none); the summer-time field "L" (or "m") is local mean
// time from the longitude; a #ZNAM that names a zone of the tz database, and agrees with the offset, makes
// the chart's zone that zone. What a chart keeps from a record that has no field of its own goes into
// ChartRecord::foreign and comes back on export: the other chunks, and comment lines "#:sex:f" (the
// person's type letter, m, f or w) and "#:summer:1" (the summer-time hours of a fixed zone difference).

#include "charts/exchange.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane::charts {

// The records of an AAF file, its bytes in UTF-8 or Windows-1252/Latin-1. A record that cannot be read
// is left out with the line of its #A93 chunk and the reason; the others are read.
ExchangeReading ReadAaf(std::string_view bytes, const text::Language& language);

// The charts as an AAF file in `encoding`, a blank line before each record. A field cannot hold a comma
// in this format: a comma in a name or place is written as ';'.
std::string WriteAaf(const std::vector<ChartRecord>& charts, TextEncoding encoding = TextEncoding::Utf8);

}  // namespace orvane::charts
