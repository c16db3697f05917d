#pragma once

// The machine formats that tables are written in, for the companion's tables and the timeline's export
// alike, so that every CSV and JSON output follows one set of rules.
//
// CSV (RFC 4180): fields separated by commas, every line ended by CR LF; a field that holds a comma, a
// double quote or a line break is put in double quotes, its double quotes doubled.
// JSON: one array, an object a line ("[\n{…},\n{…}\n]\n"; "[]\n" without objects); or, with metadata,
// one document holding a metadata object beside that array of rows:
// "{\"metadata\":{…},\n\"rows\":[\n{…},\n{…}\n]}\n" ("…\"rows\":[]}\n" without rows). The objects are
// nlohmann::ordered_json, so their keys keep the order given; a floating-point member is written with a
// fixed number of decimals (jd_ut "2451545.000000"), every other value as nlohmann::json writes it.

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

namespace orvane::display {

// One CSV field as it stands in a line: quoted only when it must be.
std::string CsvField(std::string_view field);
// The same, appended to `line`.
void AppendCsvField(std::string& line, std::string_view field);

// One CSV line of `fields`, with its CR LF.
template <typename Fields>
std::string CsvLine(const Fields& fields)
{
    std::string line;
    line.reserve(128);
    bool first = true;
    for (const auto& field : fields) {
        if (!first)
            line += ',';
        AppendCsvField(line, field);
        first = false;
    }
    line += "\r\n";
    return line;
}

inline std::string CsvLine(std::initializer_list<std::string_view> fields)
{
    return CsvLine<std::initializer_list<std::string_view>>(fields);
}

// Writes one JSON array of objects to a stream, an object a line, as they come. A floating-point member
// has `decimals` decimals (one that is not finite is null, as JSON has no other way to write it).
// A value of a row of texts, numbers, truth values and nulls: a floating-point number is written with the
// writer's decimals, a text as nlohmann::json writes it.
using JsonValue = std::variant<std::nullptr_t, std::string_view, double, int64_t, bool>;

struct JsonMember {
    std::string_view key;
    JsonValue value;
};

// A text, or null when it is empty.
inline JsonValue TextOrNull(std::string_view text)
{
    if (text.empty())
        return nullptr;
    return text;
}

class JsonArrayWriter {
public:
    explicit JsonArrayWriter(std::ostream& out, int decimals = 6);

    // Before the first object: the document becomes an object holding `metadata` and the rows.
    void SetMetadata(const nlohmann::ordered_json& metadata);
    void Object(const nlohmann::ordered_json& object);
    // The same for a row of texts, numbers, truth values and nulls, written as Object writes them without a JSON value
    // made first: the tables with a row for every event write hundreds of thousands.
    void Row(std::initializer_list<JsonMember> members);
    // Closes the array: "\n]\n" after objects, "[]\n" when there were none (and the document around it).
    void End();

private:
    void WriteLine(const std::string& line);

    std::ostream& m_out;
    int m_decimals;
    size_t m_objects = 0;
    std::string m_opening;  // what comes before the array: the metadata, or nothing
    std::string m_closing;
};

}  // namespace orvane::display
