#include "atlas/atlas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::atlas {
namespace {

std::vector<std::string> Labels(const std::vector<const AtlasPlace*>& places, NameLanguage language)
{
    std::vector<std::string> labels;
    for (const AtlasPlace* place : places)
        labels.push_back(PlaceLabel(*place, language) + " " + place->zone);
    return labels;
}

bool Holds(const std::vector<std::string>& labels, const std::string& label)
{
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// The places of Debian's atlas, found by their English and German names, with and without accents.
TEST(Atlas, FindsPlacesOfTheLibraryWithTheirZones)
{
    const Atlas& atlas = Atlas::Shared();
    ASSERT_GT(atlas.size(), 20000u);
    const std::vector<std::string> springfields = Labels(atlas.Search("springfield"), NameLanguage::English);
    EXPECT_TRUE(Holds(springfields, "Springfield, Illinois, US America/Chicago"));
    EXPECT_TRUE(Holds(springfields, "Springfield, Missouri, US America/Chicago"));
    EXPECT_TRUE(Holds(springfields, "Springfield, Massachusetts, US America/New_York"));
    EXPECT_EQ(Labels(atlas.Search("Springfield, Illinois"), NameLanguage::English),
              std::vector<std::string>{"Springfield, Illinois, US America/Chicago"});

    for (const char* typed : {"São Paulo", "Sao Paulo", "SAO PAULO"}) {
        const auto found = atlas.Search(typed);
        ASSERT_FALSE(found.empty()) << typed;
        EXPECT_EQ(found.front()->zone, "America/Sao_Paulo") << typed;
        EXPECT_LT(found.front()->latitude, -23.0);
        EXPECT_LT(found.front()->longitude, -46.0);
    }
    // Regions and countries are named in English and, from the library's German catalogue, in German.
    for (const char* typed :
         {"München", "Munchen", "Munich", "munich, bavaria", "München, Bayern", "munich, deutschland"}) {
        const auto found = atlas.Search(typed);
        ASSERT_FALSE(found.empty()) << typed;
        EXPECT_EQ(PlaceLabel(*found.front(), NameLanguage::German), "München, Bayern, DE") << typed;
        EXPECT_EQ(PlaceLabel(*found.front(), NameLanguage::English), "Munich, Bavaria, DE") << typed;
        EXPECT_EQ(found.front()->zone, "Europe/Berlin");
    }
    ASSERT_FALSE(atlas.Search("Wien").empty());
    EXPECT_EQ(atlas.Search("Wien").front()->zone, "Europe/Vienna");
    EXPECT_TRUE(atlas.Search("").empty());
    EXPECT_TRUE(atlas.Search("Xqzzy").empty());
}

// The order of the proposals, and which name a zone field's place stands for.
TEST(Atlas, OrdersMatchesAndResolvesNamesToOneZone)
{
    auto place = [](std::string name, std::string region, std::string zone, uint32_t population) {
        AtlasPlace made;
        made.name = std::move(name);
        made.region = std::move(region);
        made.countryCode = "US";
        made.zone = std::move(zone);
        made.population = population;
        return made;
    };
    const Atlas atlas({place("Port Lake", "A", "America/Chicago", 900000), place("Lakewood", "B", "America/Denver", 500000),
                       place("Lake", "C", "America/New_York", 10000), place("Lake", "D", "America/Chicago", 50000),
                       place("Stone", "E", "America/Denver", 300), place("Stone", "F", "America/Denver", 200),
                       place("Mill", "G", "America/Denver", 3000), place("Mill", "H", "America/Chicago", 300)});
    // Equal names first, then names beginning with the query, then later words; more people first.
    EXPECT_EQ(Labels(atlas.Search("lake"), NameLanguage::English),
              (std::vector<std::string>{"Lake, D, US America/Chicago", "Lake, C, US America/New_York",
                                        "Lakewood, B, US America/Denver", "Port Lake, A, US America/Chicago"}));
    EXPECT_EQ(atlas.Search("lake", 2).size(), 2u);

    std::vector<const AtlasPlace*> candidates;
    EXPECT_EQ(atlas.Resolve("Lake", &candidates), nullptr);  // 50,000 against 10,000 in another zone
    EXPECT_EQ(candidates.size(), 2u);
    EXPECT_EQ(atlas.Resolve("Lake, C")->zone, "America/New_York");
    EXPECT_EQ(atlas.Resolve("Stone")->region, "E");          // one zone
    EXPECT_EQ(atlas.Resolve("Mill")->zone, "America/Denver");  // ten times the people
    EXPECT_EQ(atlas.Resolve("Lakewood, E"), nullptr);
    EXPECT_EQ(atlas.Resolve("Lakew"), nullptr);
}

TEST(Atlas, FoldsCaseAndAccents)
{
    EXPECT_EQ(Folded("São Paulo"), "sao paulo");
    EXPECT_EQ(Folded("Zürich ÆRØ Straße Łódź Œuvre Þing"), "zurich aero strasse lodz oeuvre thing");
    EXPECT_EQ(Folded("Ĳssel Ÿ ÿ Ž"), "ijssel y y z");
    EXPECT_EQ(Folded("日本 \xff\xc3"), "日本 \xff\xc3");  // other scripts and broken bytes stay as they are
}

}  // namespace
}  // namespace orvane::atlas
