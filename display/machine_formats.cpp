#include "display/machine_formats.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <ostream>

namespace orvane::display {
namespace {

// A value as nlohmann::json writes it on one line; a byte that is no part of a UTF-8 character becomes
// U+FFFD rather than ending the table with an exception.
std::string Dumped(const nlohmann::ordered_json& value)
{
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string FixedDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return "null";
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// One JSON object on one line, without a line break.
std::string JsonObjectLine(const nlohmann::ordered_json& object, int decimals)
{
    if (!object.is_object())
        return Dumped(object);
    std::string line = "{";
    for (const auto& [key, value] : object.items()) {
        if (line.size() > 1)
            line += ',';
        line += Dumped(key) + ':';
        line += value.is_number_float() ? FixedDecimals(value.get<double>(), decimals) : Dumped(value);
    }
    return line + '}';
}

}  // namespace

std::string CsvField(std::string_view field)
{
    std::string text;
    AppendCsvField(text, field);
    return text;
}

void AppendCsvField(std::string& line, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

JsonArrayWriter::JsonArrayWriter(std::ostream& out, int decimals) : m_out(out), m_decimals(decimals)
{
}

void JsonArrayWriter::SetMetadata(const nlohmann::ordered_json& metadata)
{
    m_opening = "{\"metadata\":" + JsonObjectLine(metadata, m_decimals) + ",\n\"rows\":";
    m_closing = "}";
}

void JsonArrayWriter::Object(const nlohmann::ordered_json& object)
{
    m_out << (m_objects == 0 ? m_opening + "[\n" : ",\n") << JsonObjectLine(object, m_decimals);
    ++m_objects;
}

void JsonArrayWriter::End()
{
    m_out << (m_objects == 0 ? m_opening + "[]" : "\n]") << m_closing << '\n';
}

}  // namespace orvane::display
