// orvane-cli places QUERY: the atlas' places whose name begins with the query, with their region,
// country, coordinates and zone, as a text table, CSV or JSON.

#include "atlas/atlas.h"
#include "cli/option_kit.h"
#include "cli/reader_pieces.h"
#include "cli/tables.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "display/machine_formats.h"
#include "orvane_version.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace orvane::cli {

namespace {

std::string Decimal(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Characters, not bytes: names hold accents and umlauts.
size_t Width(const std::string& text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string RightAligned(const std::string& text, size_t width)
{
    return std::string(width > Width(text) ? width - Width(text) : 0, ' ') + text;
}

void WriteText(const std::vector<const atlas::AtlasPlace*>& places, atlas::NameLanguage names, int16_t language,
               std::ostream& out)
{
    std::vector<std::string> headings;
    for (const int16_t number : {text::kTextColumnPlace, text::kTextColumnRegion, text::kTextColumnCountry,
                                 text::kTextColumnPlaceLatitude, text::kTextColumnPlaceLongitude, text::kTextColumnZone})
        headings.push_back(OwnText(number, language));
    std::vector<std::vector<std::string>> rows;
    for (const atlas::AtlasPlace* place : places)
        rows.push_back({atlas::DisplayName(*place, names), atlas::DisplayRegion(*place, names),
                        place->countryCode, Decimal(place->latitude, 4), Decimal(place->longitude, 4), place->zone});
    std::vector<size_t> widths;
    for (size_t column = 0; column < headings.size(); ++column) {
        size_t width = Width(headings[column]);
        for (const auto& row : rows)
            width = std::max(width, Width(row[column]));
        widths.push_back(width);
    }
    const auto line = [&widths](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t column = 0; column < cells.size(); ++column) {
            const bool number = column == 3 || column == 4;
            text += number ? RightAligned(cells[column], widths[column]) : PaddedText(cells[column], widths[column]);
            text += "  ";
        }
        return text;
    };
    out << "orvane-cli " << kVersion << "; " << OwnText(text::kTextPlacesHeading, language) << '\n';
    WriteTextLine(out, line(headings));
    for (const auto& row : rows)
        WriteTextLine(out, line(row));
}

void WriteMachine(const std::vector<const atlas::AtlasPlace*>& places, atlas::NameLanguage names, TableFormat format,
                  std::ostream& out)
{
    if (format == TableFormat::Csv) {
        out << display::CsvLine({"name", "region", "country", "country_code", "latitude", "longitude", "zone"});
        for (const atlas::AtlasPlace* place : places)
            out << display::CsvLine({atlas::DisplayName(*place, names), atlas::DisplayRegion(*place, names),
                                     atlas::DisplayCountry(*place, names), place->countryCode,
                                     Decimal(place->latitude, 6), Decimal(place->longitude, 6), place->zone});
        return;
    }
    display::JsonArrayWriter json(out);
    json.SetMetadata({{"program", "orvane-cli"}, {"version", kVersion}, {"atlas", "GeoNames"}, {"licence", "CC-BY-4.0"}});
    for (const atlas::AtlasPlace* place : places)
        json.Object({{"name", atlas::DisplayName(*place, names)}, {"region", atlas::DisplayRegion(*place, names)},
                     {"country", atlas::DisplayCountry(*place, names)},
                     {"country_code", place->countryCode}, {"latitude", place->latitude},
                     {"longitude", place->longitude}, {"zone", place->zone}});
    json.End();
}

}  // namespace

CLI::App* AddPlacesCommand(OptionKit& kit, CommandLine& line)
{
    CLI::App* places = kit.AddCommand(
        "places", "The atlas' places whose name begins with QUERY: name, region, country, latitude, longitude, zone",
        nullptr);
    places->add_option("QUERY", line.query, "The beginning of a place's name; a region or country after a comma");
    places->add_option("--limit", line.limit, "At most N places (default 20)")
        ->type_name("N")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Checked(
            [](const std::string& typed) {
                const std::optional<long> limit = ReadNumber<long>(typed);
                return limit && *limit >= 1 && *limit <= 1000;
            },
            line.language, "--limit", "1 … 1000"));
    kit.AddFormat(places, "Text: a table; csv, json: name, region, country, country_code, latitude, longitude, zone");
    return places;
}

void SetPlacesHelp(CLI::App* places, int16_t language)
{
    // In lines of at most 100 characters, as the other commands' help below the options.
    std::istringstream words(OwnText(text::kTextPlacesHelp, language));
    std::string help;
    size_t column = 0;
    for (std::string word; words >> word;) {
        if (column > 0 && column + 1 + Width(word) > 100) {
            help += '\n';
            column = 0;
        } else if (column > 0) {
            help += ' ';
            ++column;
        }
        help += word;
        column += Width(word);
    }
    places->footer(help + "\nExample: orvane-cli places \"Springfield, Illinois\" --format csv\n");
}

int RunPlaces(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::vector<const atlas::AtlasPlace*> places = atlas::Atlas::Shared().Search(line.query, line.limit);
    const atlas::NameLanguage names =
        line.language == text::langGerman ? atlas::NameLanguage::German : atlas::NameLanguage::English;
    // A table without rows keeps its heading (a script reads an empty table), and the reason goes to stderr.
    if (line.format == TableFormat::Text) {
        if (!places.empty())
            WriteText(places, names, line.language, out);
    } else {
        WriteMachine(places, names, line.format, out);
    }
    if (places.empty()) {
        err << OwnText(text::kTextNoPlaceFound, line.language, line.query) << '\n';
        return kExitNotFound;
    }
    return kExitSuccess;
}

}  // namespace orvane::cli
