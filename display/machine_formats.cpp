#include "display/machine_formats.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
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
    // As printf's "%.*f" writes it; room for the largest double's 309 digits and the decimals asked.
    std::array<char, 400> text{};
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(text.data(), end) : "null";
}

// Whether a text stands in JSON as it is between quotes: printable ASCII without a quote or a backslash.
bool PlainJsonText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
}

// Appends a text as a JSON string; as Dumped writes it, which is called only for what needs escaping.
void AppendJsonText(std::string& line, std::string_view text)
{
    if (!PlainJsonText(text)) {
        line += Dumped(nlohmann::ordered_json(text));
        return;
    }
    line += '"';
    line += text;
    line += '"';
}

// Appends a value as Dumped writes it, the common ones (plain texts, whole numbers, true and false)
// without a serializer of their own: a table writes some twenty values a row.
void AppendJsonValue(std::string& line, const nlohmann::ordered_json& value, int decimals)
{
    if (value.is_number_float())
        line += FixedDecimals(value.get<double>(), decimals);
    else if (value.is_string())
        AppendJsonText(line, value.get_ref<const std::string&>());
    else if (value.is_number_unsigned())
        line += std::to_string(value.get<uint64_t>());
    else if (value.is_number_integer())
        line += std::to_string(value.get<int64_t>());
    else if (value.is_boolean())
        line += value.get<bool>() ? "true" : "false";
    else
        line += Dumped(value);
}

// One JSON object on one line, without a line break.
std::string JsonObjectLine(const nlohmann::ordered_json& object, int decimals)
{
    if (!object.is_object())
        return Dumped(object);
    std::string line = "{";
    line.reserve(256);
    for (const auto& [key, value] : object.items()) {
        if (line.size() > 1)
            line += ',';
        AppendJsonText(line, key);
        line += ':';
        AppendJsonValue(line, value, decimals);
    }
    line += '}';
    return line;
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
    WriteLine(JsonObjectLine(object, m_decimals));
}

void JsonArrayWriter::Row(std::initializer_list<JsonMember> members)
{
    std::string line = "{";
    line.reserve(256);
    for (const JsonMember& member : members) {
        if (line.size() > 1)
            line += ',';
        AppendJsonText(line, member.key);
        line += ':';
        if (const auto* text = std::get_if<std::string_view>(&member.value))
            AppendJsonText(line, *text);
        else if (const auto* number = std::get_if<double>(&member.value))
            line += FixedDecimals(*number, m_decimals);
        else if (const auto* whole = std::get_if<int64_t>(&member.value))
            line += std::to_string(*whole);
        else if (const auto* truth = std::get_if<bool>(&member.value))
            line += *truth ? "true" : "false";
        else
            line += "null";
    }
    line += '}';
    WriteLine(line);
}

void JsonArrayWriter::WriteLine(const std::string& line)
{
    m_out << (m_objects == 0 ? m_opening + "[\n" : ",\n") << line;
    ++m_objects;
}

void JsonArrayWriter::End()
{
    m_out << (m_objects == 0 ? m_opening + "[]" : "\n]") << m_closing << '\n';
}

}  // namespace orvane::display
