#pragma once

// Charts as CSV (RFC 4180): a header line naming the columns, then one line a chart, fields with a comma,
// a quote or a line break in quotes, a quote inside them doubled, lines ended by CR LF. The columns, in
// this order (the manual's chart library page describes them):
//
//   name, first_name, kind (person, event, organisation, country), date_time (the wall-clock time,
//   "1978-03-14T06:45:00"), zone ("Europe/Vienna", an offset "+01:00" or "-03:30", or "LMT 15.433333",
//   local mean time at that longitude), offset (the offset in effect, "+01:00", with seconds where it has
//   them: "+01:05:21"), time_known (true, false), place, region, country (ISO 3166 code), latitude and
//   longitude (decimal degrees, north and east positive; empty where unknown), source, reliability,
//   notes, tags (separated by ';'), foreign (what an imported AAF record held that Orvane does not use).
//
// The zone column also takes a place of the atlas ("Vienna"), as the companion's zone options do.

#include "charts/exchange.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane::charts {

// The header line's column names, comma-separated.
std::string_view ChartCsvHeader();

// The charts of a CSV file, its bytes in UTF-8 or Windows-1252/Latin-1. A line that cannot be read is
// left out with its line number and the reason; a file whose first line is not the header gives none.
ExchangeReading ReadChartCsv(std::string_view bytes, const text::Language& language);

// The charts as CSV in `encoding`, the header first.
std::string WriteChartCsv(const std::vector<ChartRecord>& charts, TextEncoding encoding = TextEncoding::Utf8);

}  // namespace orvane::charts
