// Reading AAF: the text cut into chunks and records, each record's fields read, and its moment placed.

#include "charts/aaf.h"
#include "charts/aaf_fields.h"
#include "charts/aaf_moment.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <variant>

namespace orvane::charts {

namespace {

struct Chunk {
    std::string id;    // "A93", "B93", "COM" …
    std::string text;  // after the colon, its further lines joined (by line breaks in #COM)
    std::string raw;   // the lines as read
    int line = 0;
};

struct RawRecord {
    int line = 0;
    std::vector<Chunk> chunks;  // #A93 first
    std::string problem;        // why the record cannot be read, found while cutting it
};

struct Cut {
    std::vector<RawRecord> records;
    std::vector<SkippedRecord> skipped;
};

// A reason a record is left out, or nothing.
using Problem = std::optional<std::string>;

std::string_view NextLine(std::string_view text, size_t& at)
{
    const size_t end = text.find_first_of("\r\n", at);
    const std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? text.size() : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    return line;
}

bool ChunkId(std::string_view line, std::string& id)
{
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon < 2)
        return false;
    id.clear();
    for (const char c : line.substr(1, colon - 1)) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
        id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return true;
}

// A line after a chunk's first: #COM keeps its line breaks (and a line that began with '#' was written
// with a blank before it); the fields of other chunks go on where the line broke.
void Continue(Chunk& chunk, std::string_view line)
{
    chunk.raw += '\n';
    chunk.raw += line;
    if (chunk.id != "COM") {
        chunk.text += aaf::Trimmed(line);
        return;
    }
    if (line.size() > 1 && line[0] == ' ' && line[1] == '#')
        line.remove_prefix(1);
    chunk.text += '\n';
    chunk.text += line;
}

Cut CutRecords(std::string_view text, const text::Language& language)
{
    Cut cut;
    bool inChunk = false;
    int number = 0;
    std::string id;
    for (size_t at = 0; at < text.size();) {
        const std::string_view line = NextLine(text, at);
        ++number;
        if (line.substr(0, 2) == "#:")
            continue;
        if (line.empty() || line.front() != '#') {
            if (aaf::Trimmed(line).empty())
                continue;
            if (inChunk)
                Continue(cut.records.back().chunks.back(), line);
            else if (cut.records.empty())
                cut.skipped.push_back({number, language.TextWithReplacements(text::kTextAafOutsideRecord, std::string(line.substr(0, 40)))});
            continue;
        }
        inChunk = ChunkId(line, id);
        if (!inChunk) {
            const std::string reason = language.TextWithReplacements(text::kTextAafNotAChunk, std::string(line.substr(0, 40)));
            if (cut.records.empty())
                cut.skipped.push_back({number, reason});
            else if (cut.records.back().problem.empty())
                cut.records.back().problem = reason;
            continue;
        }
        Chunk chunk{id, std::string(aaf::Trimmed(line.substr(id.size() + 2))), std::string(line), number};
        if (id == "A93") {
            cut.records.push_back({number, {std::move(chunk)}, {}});
        } else if (cut.records.empty()) {
            cut.skipped.push_back({number, language.TextWithReplacements(text::kTextAafOutsideRecord, "#" + id)});
            inChunk = false;
        } else {
            cut.records.back().chunks.push_back(std::move(chunk));
        }
    }
    return cut;
}

std::vector<std::string_view> Fields(std::string_view text)
{
    std::vector<std::string_view> fields;
    while (true) {
        const size_t comma = text.find(',');
        fields.push_back(aaf::Trimmed(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        text.remove_prefix(comma + 1);
    }
}

std::string Known(std::string_view field)
{
    return field == aaf::kUnknown ? std::string() : std::string(field);
}

std::string BadField(const text::Language& language, const std::string& chunk, size_t index, std::string_view field)
{
    return language.TextWithReplacements(text::kTextAafBadField, chunk, std::to_string(index + 1), std::string(field));
}

// Reads field `index` with `read` unless it is "*"; the problem when it cannot be read.
template <typename Read>
Problem ReadField(const std::vector<std::string_view>& fields, size_t index, const std::string& chunk, Read read,
                  const text::Language& language)
{
    if (fields[index] == aaf::kUnknown || read(fields[index]))
        return std::nullopt;
    return BadField(language, chunk, index, fields[index]);
}

Problem ReadHuman(const Chunk& chunk, ChartRecord& chart, aaf::RecordTimes& human, const text::Language& language)
{
    const std::vector<std::string_view> fields = Fields(chunk.text);
    if (fields.size() != 7)
        return language.TextWithReplacements(text::kTextAafFieldCount, "#A93", std::to_string(fields.size()), "7");
    chart.name = Known(fields[0]);
    chart.firstName = Known(fields[1]);
    const std::string type = Known(fields[2]);
    const char letter = type.size() == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(type[0]))) : '\0';
    chart.kind = letter == 'e' ? ChartKind::Event : letter == 'l' ? ChartKind::Country
               : letter == 'o' ? ChartKind::Organisation : ChartKind::Person;
    if (letter == 'm' || letter == 'f' || letter == 'w')
        chart.foreign += "#:sex:" + type + "\n";
    else if (!type.empty() && chart.kind == ChartKind::Person)
        return BadField(language, "#A93", 2, fields[2]);
    chart.place.name = Known(fields[5]);
    chart.place.countryCode = Known(fields[6]);
    if (Problem problem = ReadField(fields, 3, "#A93", [&](std::string_view f) { return bool(human.date = datetime::ParseTypedDate(f)); }, language))
        return problem;
    return ReadField(fields, 4, "#A93", [&](std::string_view f) { return bool(human.time = aaf::ReadClockTime(f)); }, language);
}

Problem ReadMachine(const Chunk& chunk, ChartRecord& chart, aaf::RecordTimes& machine, const text::Language& language)
{
    const std::vector<std::string_view> fields = Fields(chunk.text);
    if (fields.size() != 5)
        return language.TextWithReplacements(text::kTextAafFieldCount, "#B93", std::to_string(fields.size()), "5");
    const std::string id = "#B93";
    Problem problem = ReadField(fields, 0, id, [&](std::string_view f) { return bool(machine.julianDay = aaf::ReadJulianDay(f)); }, language);
    if (!problem)
        problem = ReadField(fields, 1, id, [&](std::string_view f) {
            return bool(chart.place.latitude = aaf::ReadAngle(f, 'n', 's', 90.0));
        }, language);
    if (!problem)
        problem = ReadField(fields, 2, id, [&](std::string_view f) {
            return bool(chart.place.longitude = aaf::ReadAngle(f, 'e', 'w', 180.0));
        }, language);
    if (!problem)
        problem = ReadField(fields, 3, id, [&](std::string_view f) { return bool(machine.zoneDifference = aaf::ReadZoneDifference(f)); }, language);
    if (!problem)
        problem = ReadField(fields, 4, id, [&](std::string_view f) { return bool(machine.summer = aaf::ReadSummerTime(f)); }, language);
    return problem;
}

std::variant<ChartRecord, std::string> ReadRecord(const RawRecord& record, const text::Language& language)
{
    if (!record.problem.empty())
        return record.problem;
    ChartRecord chart;
    aaf::RecordTimes times;
    if (Problem problem = ReadHuman(record.chunks.front(), chart, times, language))
        return *problem;
    const Chunk* once[4] = {};  // #B93, #ZNAM, #COM, #SRC
    constexpr const char* kOnce[4] = {"B93", "ZNAM", "COM", "SRC"};
    for (size_t index = 1; index < record.chunks.size(); ++index)
        for (size_t kind = 0; kind < 4; ++kind)
            if (record.chunks[index].id == kOnce[kind]) {
                if (once[kind] != nullptr)
                    return language.TextWithReplacements(text::kTextAafTwice, std::string("#") + kOnce[kind]);
                once[kind] = &record.chunks[index];
            }
    if (once[0] != nullptr)
        if (Problem problem = ReadMachine(*once[0], chart, times, language))
            return *problem;
    times.zoneName = once[1] != nullptr ? once[1]->text : "";
    bool zoneNameUsed = false;
    if (Problem problem = aaf::PlaceMoment(chart, times, zoneNameUsed, language))
        return *problem;
    chart.notes = once[2] != nullptr ? once[2]->text : "";
    chart.source = once[3] != nullptr ? once[3]->text : "";
    for (size_t index = 1; index < record.chunks.size(); ++index) {
        const Chunk& chunk = record.chunks[index];
        if (&chunk != once[0] && &chunk != once[2] && &chunk != once[3] && !(&chunk == once[1] && zoneNameUsed))
            chart.foreign += chunk.raw + "\n";
    }
    return chart;
}

}  // namespace

ExchangeReading ReadAaf(std::string_view bytes, const text::Language& language)
{
    const std::string text = DecodedText(bytes);
    Cut cut = CutRecords(text, language);
    ExchangeReading reading;
    reading.skipped = std::move(cut.skipped);
    for (const RawRecord& record : cut.records) {
        std::variant<ChartRecord, std::string> read = ReadRecord(record, language);
        if (auto* chart = std::get_if<ChartRecord>(&read))
            reading.records.push_back(std::move(*chart));
        else
            reading.skipped.push_back({record.line, std::get<std::string>(read)});
    }
    std::stable_sort(reading.skipped.begin(), reading.skipped.end(),
                     [](const SkippedRecord& a, const SkippedRecord& b) { return a.line < b.line; });
    return reading;
}

}  // namespace orvane::charts
