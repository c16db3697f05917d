#include "core/pluto_table.h"

#include "core/vocabulary.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace orvane::core {
namespace {

int Code(char c)
{
    return static_cast<unsigned char>(c);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// A line decodes when its four fields are in range: minutes and seconds 0 … 59, sixties 0 … 5, units
// 0 … 59, so that the longitude lies in 0 … below 360°.
bool Decodes(int32_t n, std::string_view line)
{
    if (line.size() < 4)
        return false;
    const int m = Code(line[0]) - 60 - n % 7;
    const int s = Code(line[1]) - 60;
    const int h = Code(line[2]) - 58 - n % 55;
    const int u = Code(line[3]) - 59;
    return m >= 0 && m < 60 && s >= 0 && s < 60 && h >= 0 && h < 6 && u >= 0 && u < 60;
}

}  // namespace

std::string EncodePlutoEntry(int32_t n, int32_t arcseconds)
{
    const int32_t degrees = arcseconds / 3600;
    const int32_t m = arcseconds / 60 % 60;
    const int32_t s = arcseconds % 60;
    std::string line(4, ' ');
    line[0] = static_cast<char>(m + 60 + n % 7);
    line[1] = static_cast<char>(s + 60);
    line[2] = static_cast<char>(degrees / 60 + 58 + n % 55);
    line[3] = static_cast<char>(degrees % 60 + 59);
    return line;
}

double DecodePlutoEntry(int32_t n, std::string_view line)
{
    const int m = Code(line[0]) - 60 - n % 7;
    const int s = Code(line[1]) - 60;
    const int h = Code(line[2]) - 58 - n % 55;
    const int u = Code(line[3]) - 59;
    return (60.0 * h + u) + m / 60.0 + s / 3600.0;
}

std::string PlutoTable::Read(const std::string& fullPath)
{
    strPlutoLines.clear();
    std::ifstream file(fullPath, std::ios::binary);
    if (!file)
        return std::string(std::strerror(errno)) + ": " + fullPath;
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad())
        return std::string("Error reading ") + fullPath;
    return ReadFromText(content.view());
}

std::string PlutoTable::ReadFromText(std::string_view text)
{
    strPlutoLines.clear();
    std::vector<std::string> lines;
    lines.reserve(kPlutoTableLines);
    size_t fileLine = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++fileLine;
        const std::string_view line = Trimmed(raw);
        if (line.empty())
            continue;
        const auto n = static_cast<int32_t>(lines.size());
        if (!Decodes(n, line))
            return "Damaged entry at line " + std::to_string(fileLine) + ".";
        lines.emplace_back(line);
    }
    if (lines.size() < static_cast<size_t>(kPlutoTableLines))
        return "The table ends after " + std::to_string(lines.size()) + " entries; " +
               std::to_string(kPlutoTableLines) + " are needed.";
    strPlutoLines = std::move(lines);
    return {};
}

double PlutoTable::PlutoTableEntry(int32_t n) const
{
    if (n < 0 || static_cast<size_t>(n) >= strPlutoLines.size() || strPlutoLines[static_cast<size_t>(n)].size() < 4)
        return kPlutoAfterTable;
    return DecodePlutoEntry(n, strPlutoLines[static_cast<size_t>(n)]);
}

double PlutoTable::PlutoLongitude(double moment) const
{
    if (std::isnan(moment))
        return kPlutoAfterTable;
    const double civil = std::floor(moment + 0.5);
    if (civil < kPlutoFirstDay)
        return kPlutoBeforeTable;
    if (civil > kPlutoLastDay)
        return kPlutoAfterTable;
    const auto k = static_cast<int32_t>(civil);
    const int32_t n = k - kPlutoFirstDay;

    double l0 = PlutoTableEntry(n);
    double l1 = PlutoTableEntry(n + 1);
    if (l0 < 0.0 || l1 < 0.0)
        return kPlutoAfterTable;

    // Across 0°/360° the smaller value belongs to the next turn.
    if (l1 - l0 > 355.0)
        l0 += 360.0;
    else if (l0 - l1 > 355.0)
        l1 += 360.0;
    double l = l0 + ((moment + 0.5) - k) * (l1 - l0);
    if (l >= 360.0)
        l -= 360.0;
    return l / 360.0 * kTwoPi;
}

}  // namespace orvane::core
