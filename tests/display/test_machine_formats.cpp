#include "display/machine_formats.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <cmath>
#include <sstream>

namespace orvane::display {
namespace {

// A field is quoted only when it holds a comma, a quote or a line break; every line ends with CR LF.
TEST(MachineFormatsTest, CsvQuotesOnlyWhatMustBe)
{
    EXPECT_EQ(CsvLine({"Mars", "", "2025-01-01T00:00:00Z"}), "Mars,,2025-01-01T00:00:00Z\r\n");
    EXPECT_EQ(CsvLine({"a,b", "say \"hi\"", "two\r\nlines"}), "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n");
}

// One array, an object a line, keys in the order given, floating-point numbers with fixed decimals.
TEST(MachineFormatsTest, JsonArrayHasAnObjectALine)
{
    std::ostringstream empty, two;
    JsonArrayWriter(empty).End();
    JsonArrayWriter writer(two);
    writer.Object({{"time", "2000-01-01T12:00:00Z"}, {"jd_ut", 2451545.0}, {"body2", nullptr}});
    writer.Object({{"pattern", "Kite \"1\""}, {"count", 3}});
    writer.End();
    EXPECT_EQ(empty.str(), "[]\n");
    EXPECT_EQ(two.str(), "[\n{\"time\":\"2000-01-01T12:00:00Z\",\"jd_ut\":2451545.000000,\"body2\":null},\n"
                         "{\"pattern\":\"Kite \\\"1\\\"\",\"count\":3}\n]\n");
}

// Every value but a floating-point number is written as the JSON library writes it: plain and escaped
// texts, German letters, control characters, a byte that is no part of a character, whole numbers of
// either sign and beyond the signed range, true, null and nested values.
TEST(MachineFormatsTest, JsonValuesAreWrittenAsTheLibraryWritesThem)
{
    const nlohmann::ordered_json values[] = {
        "Mars", "", "Kite \"1\"", "back\\slash", "Jänner Größe", "tab\there\nline\x01", "bad \xFF byte",
        -42, 0, uint64_t{18446744073709551615U}, true, false, nullptr, nlohmann::ordered_json::array({1, "a"}),
        nlohmann::ordered_json{{"inner", "x"}}};
    for (const nlohmann::ordered_json& value : values) {
        std::ostringstream out;
        JsonArrayWriter writer(out);
        writer.Object({{"key \"q\"", value}});
        writer.End();
        const std::string expected = "[\n{\"key \\\"q\\\"\":" +
                                     value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "}\n]\n";
        EXPECT_EQ(out.str(), expected);
    }
}

// A row of texts, numbers, truth values and nulls is written exactly as the same row made a JSON value.
TEST(MachineFormatsTest, RowsAreWrittenAsObjects)
{
    for (const std::string text : {"Mars", "Kite \"1\"", "back\\slash", "Jänner", "tab\there\x01", "bad \xFF byte"}) {
        std::ostringstream row, object;
        JsonArrayWriter rows(row);
        JsonArrayWriter objects(object);
        rows.Row({{"text", text}, {"jd_ut", 2451545.123456789}, {"none", TextOrNull("")}, {"nan", std::nan("")},
                  {"count", int64_t{-7}}, {"applying", true}, {"exact", false}});
        objects.Object({{"text", text}, {"jd_ut", 2451545.123456789}, {"none", nullptr}, {"nan", std::nan("")},
                        {"count", -7}, {"applying", true}, {"exact", false}});
        rows.End();
        objects.End();
        EXPECT_EQ(row.str(), object.str());
    }
}

// With metadata the document is one object: the metadata, then the rows' array, with or without rows.
TEST(JsonArrayWriter, PutsTheMetadataBesideTheRows)
{
    std::ostringstream empty, one;
    JsonArrayWriter none(empty);
    none.SetMetadata({{"version", "0.1.0"}, {"zone", "UT"}});
    none.End();
    JsonArrayWriter writer(one);
    writer.SetMetadata({{"frame", "date"}});
    writer.Object({{"jd_ut", 2451545.25}});
    writer.End();
    EXPECT_EQ(empty.str(), "{\"metadata\":{\"version\":\"0.1.0\",\"zone\":\"UT\"},\n\"rows\":[]}\n");
    EXPECT_EQ(one.str(), "{\"metadata\":{\"frame\":\"date\"},\n\"rows\":[\n{\"jd_ut\":2451545.250000}\n]}\n");
    const nlohmann::json parsed = nlohmann::json::parse(one.str());
    EXPECT_EQ(parsed["metadata"]["frame"], "date");
    EXPECT_DOUBLE_EQ(parsed["rows"][0]["jd_ut"].get<double>(), 2451545.25);
}

}  // namespace
}  // namespace orvane::display
