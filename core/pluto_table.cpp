#include "core/pluto_table.h"

#include "core/vocabulary.h"
#include "platform/input_file.h"
#include "platform/moment.h"
#include "text/strings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace orvane::core {
namespace {

int Code(char c)
{
    return static_cast<unsigned char>(c);
}

// What a line of the table may carry around its entry.
constexpr std::string_view kBlanks = " \t\r\v\f";

// The longitude in degrees from its four fields; one formula for the characters and for the arcseconds
// held in memory, so that both give the same value to the last bit.
double Degrees(int sixties, int units, int minutes, int seconds)
{
    return (60.0 * sixties + units) + minutes / 60.0 + seconds / 3600.0;
}

// The four characters of an element's line, the first in the lowest byte.
uint32_t Word(const char* c)
{
    return static_cast<uint32_t>(Code(c[0])) | static_cast<uint32_t>(Code(c[1])) << 8 |
           static_cast<uint32_t>(Code(c[2])) << 16 | static_cast<uint32_t>(Code(c[3])) << 24;
}

// The character codes of the four fields' zero in element n, the first in the lowest byte: minutes
// 60 + (n mod 7), seconds 60, sixties 58 + (n mod 55), units 59.
constexpr uint32_t Offsets(int mod7, int mod55)
{
    return (60U + static_cast<uint32_t>(mod7)) | 60U << 8 | (58U + static_cast<uint32_t>(mod55)) << 16 | 59U << 24;
}

// The offsets repeat every 7 × 55 = 385 elements: one table of them spares each line its arithmetic.
constexpr int kOffsetPeriod = 7 * 55;
constexpr std::array<uint32_t, kOffsetPeriod> kOffsets = [] {
    std::array<uint32_t, kOffsetPeriod> offsets{};
    for (int k = 0; k < kOffsetPeriod; ++k)
        offsets[static_cast<size_t>(k)] = Offsets(k % 7, k % 55);
    return offsets;
}();

// The four fields of an element from the first four characters at `c`, given the offsets of its
// position: minutes, seconds, sixties and units a byte each, minutes in the lowest. False when a field
// is out of range: minutes and seconds 0 … 59, sixties 0 … 5, units 0 … 59, so that the longitude lies
// in 0 … below 360°. The four fields are checked side by side: the table has 219147 lines to check at
// every start.
bool DecodeFields(uint32_t offsets, const char* c, uint32_t& fields)
{
    constexpr uint32_t kHighBits = 0x80808080U;
    // Each field plus 128 minus its limit (60, 60, 6, 60): the high bit shows a field at its limit or above.
    constexpr uint32_t kToLimits = 0x44U | 0x44U << 8 | 0x7AU << 16 | 0x44U << 24;
    const uint32_t word = Word(c);
    // With the high bits set, no byte borrows from its neighbour (offsets are below 128), and a high
    // bit that stays set shows a character at or above its offset.
    const uint32_t shifted = (word | kHighBits) - offsets;
    fields = shifted & ~kHighBits;
    return ((word | ~shifted | (fields + kToLimits)) & kHighBits) == 0;
}

// The common lines checked sixteen at a time: their 80 bytes are compared with the least and the greatest
// character each byte may hold at its place in the offsets' period (a line break where the line ends),
// as vectors of sixteen bytes side by side, and only a block that passes is taken apart, without further
// checks. The tables run one block past the period, so that a block starting anywhere in it reads them
// in one piece.
constexpr int kBlockLines = 16;
constexpr int kLineBytes = 5;
constexpr int kBlockBytes = kBlockLines * kLineBytes;
constexpr int kVectorBytes = 16;
using ByteVector = uint8_t __attribute__((vector_size(kVectorBytes)));

struct CharacterBounds {
    std::array<uint8_t, (kOffsetPeriod + kBlockLines) * kLineBytes> least{};
    std::array<uint8_t, (kOffsetPeriod + kBlockLines) * kLineBytes> greatest{};
    std::array<uint32_t, kOffsetPeriod + kBlockLines> offsets{};
};
constexpr CharacterBounds kBounds = [] {
    // The greatest value of each field: 59 minutes, 59 seconds, 5 sixties, 59 units.
    constexpr std::array<uint8_t, 4> kLargest{59, 59, 5, 59};
    CharacterBounds bounds;
    for (size_t k = 0; k < bounds.offsets.size(); ++k) {
        const uint32_t offsets = kOffsets[k % kOffsetPeriod];
        bounds.offsets[k] = offsets;
        for (size_t field = 0; field < 4; ++field) {
            const auto zero = static_cast<uint8_t>(offsets >> (8 * field) & 0xFF);
            bounds.least[k * kLineBytes + field] = zero;
            bounds.greatest[k * kLineBytes + field] = static_cast<uint8_t>(zero + kLargest[field]);
        }
        bounds.least[k * kLineBytes + 4] = bounds.greatest[k * kLineBytes + 4] = '\n';
    }
    return bounds;
}();

ByteVector LoadVector(const void* at)
{
    ByteVector v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

// Whether the block of lines at `p`, its first at `period`, holds common lines only.
bool BlockIsCommon(const char* p, int period)
{
    const size_t at = static_cast<size_t>(period) * kLineBytes;
    ByteVector fits{};
    fits = ~fits;
    for (size_t k = 0; k < kBlockBytes; k += kVectorBytes) {
        const ByteVector text = LoadVector(p + k);
        fits &= (text >= LoadVector(&kBounds.least[at + k])) & (text <= LoadVector(&kBounds.greatest[at + k]));
    }
    uint64_t halves[2];
    std::memcpy(halves, &fits, sizeof halves);
    return (halves[0] & halves[1]) == ~uint64_t{0};
}

// The blocks of common lines from `p` on, as DecodeCommonLines below takes lines; returns where the first
// block that is not all common lines, or the last whole block, ends.
const char* DecodeCommonBlocks(const char* p, const char* end, uint32_t* out, size_t& count, int& period)
{
    while (end - p >= kBlockBytes && BlockIsCommon(p, period)) {
        const uint32_t* offsets = &kBounds.offsets[static_cast<size_t>(period)];
        uint32_t* at = out + count;
        // Every character is at or above its offset: the subtraction borrows across no byte.
        for (int line = 0; line < kBlockLines; ++line)
            at[line] = Word(p + line * kLineBytes) - offsets[line];
        p += kBlockBytes;
        count += kBlockLines;
        period += kBlockLines;
        if (period >= kOffsetPeriod)
            period -= kOffsetPeriod;
    }
    return p;
}

// The common lines from `p` on: four characters that decode, then the line break (decoded characters are
// never blanks, so such a line needs no trimming). Each goes to out[count] with the offsets of its place
// in the period; returns where the first other line, or the text's end, begins. The lines are taken a
// period at a time, so that the loop asks neither for the text's end nor for the period's wrap.
const char* DecodeCommonLines(const char* p, const char* end, uint32_t* out, size_t& count, int& period)
{
    for (;;) {
        const ptrdiff_t lines = std::min<ptrdiff_t>((end - p) / 5, kOffsetPeriod - period);
        const char* const stop = p + 5 * lines;
        const uint32_t* offsets = kOffsets.data() + period;
        uint32_t* at = out + count;
        uint32_t fields = 0;
        while (p != stop && p[4] == '\n' && DecodeFields(*offsets, p, fields)) {
            *at++ = fields;
            ++offsets;
            p += 5;
        }
        const auto decoded = static_cast<int>(offsets - (kOffsets.data() + period));
        count += static_cast<size_t>(decoded);
        period += decoded;
        if (period == kOffsetPeriod)
            period = 0;
        if (p != stop || lines == 0)
            return p;
    }
}

// Whether the text at `p` (`size` bytes) is a whole table of common lines only, each four characters that
// decode and a line break: the form the table is written in, which needs no decoding until asked.
bool AllCommon(const char* p, size_t size)
{
    if (size % kLineBytes != 0 || size / kLineBytes < static_cast<size_t>(kPlutoTableLines))
        return false;
    const char* const end = p + size;
    int period = 0;
    for (; end - p >= kBlockBytes; p += kBlockBytes) {
        if (!BlockIsCommon(p, period))
            return false;
        period += kBlockLines;
        if (period >= kOffsetPeriod)
            period -= kOffsetPeriod;
    }
    uint32_t fields = 0;
    for (; p != end; p += kLineBytes, period = period == kOffsetPeriod - 1 ? 0 : period + 1)
        if (p[4] != '\n' || !DecodeFields(kOffsets[static_cast<size_t>(period)], p, fields))
            return false;
    return true;
}

// Decodes the table text held in the first `textSize` bytes of `buffer` into the elements of `buffer`
// itself, element k over bytes 4k … 4k + 3. Every element's line takes at least five bytes (four
// characters and a line break) except perhaps the last, so element k is written only when the text
// up to the end of its line has been read, and never over text not yet read. One buffer thus serves
// for the file and the table, which halves the memory that start-up touches. On success `buffer` holds
// the elements; otherwise the failure tells what went wrong.
platform::Result<void> DecodeInPlace(PlutoEntries& buffer, size_t textSize, const DescribePlutoTableFault& describe)
{
    const auto failure = [&describe](PlutoTableFault fault, size_t count) {
        return platform::Result<void>(platform::ErrorCode::Damaged, describe(fault, "", count));
    };
    const auto* p = reinterpret_cast<const char*>(buffer.data());
    const char* const end = p + textSize;
    uint32_t* const out = buffer.data();
    size_t count = 0;
    int period = 0;  // the element's position in the offsets' period: n mod 385
    const auto store = [&](uint32_t fields) {
        out[count++] = fields;
        period = period == kOffsetPeriod - 1 ? 0 : period + 1;
    };
    size_t fileLine = 0;
    while (p < end) {
        const char* const run = p;
        p = DecodeCommonBlocks(p, end, out, count, period);
        p = DecodeCommonLines(p, end, out, count, period);
        fileLine += static_cast<size_t>(p - run) / 5;
        if (p == end)
            break;
        // Any other line: blank, with blanks around the entry or more characters, damaged or too short.
        ++fileLine;
        const auto* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (eol == nullptr)
            eol = end;
        const std::string_view line = text::Trimmed(std::string_view(p, static_cast<size_t>(eol - p)), kBlanks);
        p = eol == end ? end : eol + 1;
        if (line.empty())
            continue;
        // Characters after the fourth are ignored.
        uint32_t fields = 0;
        if (line.size() < 4 || !DecodeFields(kOffsets[static_cast<size_t>(period)], line.data(), fields))
            return failure(PlutoTableFault::DamagedEntry, fileLine);
        store(fields);
    }
    if (count < static_cast<size_t>(kPlutoTableLines))
        return failure(PlutoTableFault::EndsEarly, count);
    buffer.resize(count);
    return {};
}

PlutoTableFault TableFault(platform::FileFault fault)
{
    switch (fault) {
    case platform::FileFault::CannotOpen: return PlutoTableFault::CannotOpen;
    case platform::FileFault::NotAFile: return PlutoTableFault::NotAFile;
    case platform::FileFault::TooLarge: return PlutoTableFault::TooLarge;
    case platform::FileFault::CannotRead: break;
    }
    return PlutoTableFault::CannotRead;
}

// Room for `textSize` bytes of text, and for the elements decoded from them.
PlutoEntries BufferFor(size_t textSize)
{
    return PlutoEntries(textSize / sizeof(uint32_t) + 1);
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
    return Degrees(h, u, m, s);
}

platform::Result<void> PlutoTable::Read(const std::string& fullPath, const DescribePlutoTableFault& describe,
                                        const platform::CheckedFiles& checked)
{
    *this = {};
    const auto describeFile = [&describe](platform::FileFault fault, const std::string& reason) {
        return describe(TableFault(fault), reason, 0);
    };
    platform::Result<platform::InputFile> opened =
        platform::InputFile::Open(fullPath, kMaxPlutoTableBytes, describeFile);
    if (!opened)
        return platform::Result<void>(opened.failure());
    const platform::InputFile& file = opened.value();
    const auto size = static_cast<size_t>(file.size());
    if (size == 0)
        return platform::Result<void>(platform::ErrorCode::Damaged, describe(PlutoTableFault::Empty, "", 0));
    // Only a table in the form we write is ever stamped, so a vouched-for file is one of common lines.
    if (checked.Vouches(fullPath, file) && size % kLineBytes == 0) {
        if (std::shared_ptr<const platform::MappedFile> mapped = file.Map()) {
            m_mapped = std::move(mapped);
            m_asText = true;
            m_count = size / kLineBytes;
            return {};
        }
    }
    // The whole file in one read, straight into the memory the table keeps: the table is about 1 MB.
    PlutoEntries buffer = BufferFor(size);
    const platform::Result<size_t> read =
        opened.value().Read(std::span<char>(reinterpret_cast<char*>(buffer.data()), size));
    if (!read)
        return platform::Result<void>(read.failure());
    platform::Result<void> taken = Take(std::move(buffer), read.value(), describe);
    if (taken.ok() && m_asText && read.value() == size)
        checked.Record(fullPath, file);
    return taken;
}

platform::Result<void> PlutoTable::ReadFromText(std::string_view text, const DescribePlutoTableFault& describe)
{
    *this = {};
    PlutoEntries buffer = BufferFor(text.size());
    std::memcpy(buffer.data(), text.data(), text.size());
    return Take(std::move(buffer), text.size(), describe);
}

platform::Result<void> PlutoTable::Take(PlutoEntries buffer, size_t textSize, const DescribePlutoTableFault& describe)
{
    const auto* text = reinterpret_cast<const char*>(buffer.data());
    if (AllCommon(text, textSize)) {
        m_asText = true;
        m_count = textSize / kLineBytes;
        m_lines = std::move(buffer);
        return {};
    }
    platform::Result<void> decoded = DecodeInPlace(buffer, textSize, describe);
    if (decoded.ok()) {
        m_count = buffer.size();
        m_lines = std::move(buffer);
    }
    return decoded;
}

const char* PlutoTable::Text() const
{
    return m_mapped ? m_mapped->data() : reinterpret_cast<const char*>(m_lines.data());
}

double PlutoTable::PlutoTableEntry(int32_t n) const
{
    if (n < 0 || static_cast<size_t>(n) >= m_count)
        return kPlutoAfterTable;
    const auto k = static_cast<size_t>(n);
    uint32_t fields = 0;
    // A line of the text was checked at start-up, or at an earlier start that stamped the file; a line
    // damaged since then without a change of the file's times (a disk that lost a bit) reads as missing.
    if (!m_asText)
        fields = m_lines[k];
    else if (!DecodeFields(kOffsets[k % kOffsetPeriod], Text() + k * kLineBytes, fields))
        return kPlutoAfterTable;
    return Degrees(static_cast<int>(fields >> 16 & 0xFF), static_cast<int>(fields >> 24),
                   static_cast<int>(fields & 0xFF), static_cast<int>(fields >> 8 & 0xFF));
}

double PlutoTable::PlutoLongitude(double moment) const
{
    if (std::isnan(moment))
        return kPlutoAfterTable;
    // The table's days are civil days of UT, each element at the midnight that begins its day.
    const double dayAndPart = platform::LocalDay(moment, 0);
    const double civil = std::floor(dayAndPart);
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
    double l = l0 + (dayAndPart - k) * (l1 - l0);
    if (l >= 360.0)
        l -= 360.0;
    return l / 360.0 * kTwoPi;
}

}  // namespace orvane::core
