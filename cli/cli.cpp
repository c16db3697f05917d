#include "cli/cli.h"

#include "core/astro_module.h"
#include "orvane_version.h"
#include "core/positions.h"
#include "text/language.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace orvane::cli {
namespace {

constexpr int16_t kTextUsage = 1010;
constexpr int16_t kTextUnknownCommand = 1011;
constexpr int16_t kTextUnknownOption = 1012;
constexpr int16_t kTextBadJulianDate = 1013;
constexpr int16_t kTextMissingValue = 1014;

// The program's texts break lines with CR LF; on the console every break is a plain line feed.
std::string ConsoleText(std::string text)
{
    size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.replace(at, 2, "\n");
    return text;
}

bool ParseDouble(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

std::string Fixed6(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

class Session {
public:
    Session(const Environment& environment, std::ostream& out, std::ostream& err)
        : m_environment(environment), m_out(out), m_err(err)
    {
    }

    // Loads the program text; false (after saying why) when it cannot be loaded.
    bool LoadText()
    {
        const std::string message =
            m_language.LoadProgramText(m_environment.dataFolder, text::kProgramTextFileName);
        if (!message.empty()) {
            m_err << ConsoleText(message) << '\n';
            return false;
        }
        return true;
    }

    // Fills the astronomical tables and reads the Pluto table; a table that cannot be read is reported
    // and the program goes on with eight bodies.
    void StartAstro()
    {
        m_astro.InitializeAstroTables(m_environment.dataFolder);
        const std::string error = m_astro.ReadPlutoTable();
        if (!error.empty())
            m_err << ConsoleText(m_language.GetText(text::kTextPlutoErrorHeading)) << '\n'
                  << error << "\n\n"
                  << ConsoleText(m_language.GetText(text::kTextPlutoErrorConsequence)) << '\n';
    }

    int Usage(int16_t number, const std::string& detail)
    {
        m_err << ConsoleText(m_language.GetTextWithReplacements(number, detail)) << "\n\n"
              << ConsoleText(m_language.GetTextWithReplacements(kTextUsage, "")) << '\n';
        return kExitUsage;
    }

    int Help()
    {
        m_out << ConsoleText(m_language.GetTextWithReplacements(kTextUsage, "")) << '\n';
        return kExitSuccess;
    }

    int Positions(const std::vector<std::string>& args)
    {
        double moment = m_environment.nowMoment;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--jd") {
                if (i + 1 >= args.size())
                    return Usage(kTextMissingValue, args[i]);
                if (!ParseDouble(args[i + 1], moment))
                    return Usage(kTextBadJulianDate, args[i + 1]);
                ++i;
            } else {
                return Usage(kTextUnknownOption, args[i]);
            }
        }
        StartAstro();
        for (int16_t body = core::kEarth; body <= m_astro.intNumPlanets; ++body)
            m_out << PositionLine(body, m_astro.HelioLongitude(body, moment)) << '\n';
        return kExitSuccess;
    }

private:
    std::string PositionLine(int16_t body, double longitude) const
    {
        std::string line = m_astro.tables.strPlanetName[static_cast<size_t>(body)] + " ";
        if (longitude == core::kPlutoBeforeTable)
            return line + "<";
        if (longitude == core::kPlutoAfterTable)
            return line + ">";
        if (longitude < 0.0)
            return line + "?";
        return line + Fixed6(longitude / core::kTwoPi * 360.0) + " " +
               core::Rad2DegMin(longitude, false, false, false, false) + " " +
               core::ZodiacPositionText(m_astro.tables, longitude, false);
    }

    const Environment& m_environment;
    std::ostream& m_out;
    std::ostream& m_err;
    text::Language m_language;
    core::AstroModule m_astro;
};

}  // namespace

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err)
{
    if (!args.empty() && args[0] == "--version") {
        out << "orvane-cli " << orvane::kVersion << '\n';
        return kExitSuccess;
    }
    Session session(environment, out, err);
    if (!session.LoadText())
        return kExitBadInput;
    if (args.empty())
        return session.Usage(kTextUnknownCommand, "");
    if (args[0] == "--help" || args[0] == "-h")
        return session.Help();
    if (args[0] == "positions")
        return session.Positions(args);
    return session.Usage(kTextUnknownCommand, args[0]);
}

}  // namespace orvane::cli
