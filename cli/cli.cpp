#include "cli/cli.h"

#include "cli/command_charts.h"
#include "cli/command_line.h"
#include "cli/option_kit.h"
#include "cli/session.h"
#include "cli/texts.h"
#include "text/text_numbers.h"

#include <memory>
#include <ostream>

namespace orvane::cli {

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err)
{
    CommandLine line;
    // Output that did not arrive (a full device, a closed pipe) is a failure, whatever was answered or found.
    const auto delivered = [&out, &err, &line](int code) {
        out.flush();
        if (out)
            return code;
        err << OwnText(text::kTextOutputNotWritten, line.language) << '\n';
        return kExitBadInput;
    };
    if (const std::optional<int> answered = ReadCommandLine(args, line, out, err))
        return delivered(*answered);
    if (line.command == "charts")
        return delivered(RunCharts(line, out, err));
    if (!ResolveBirthNames(line, err))
        return kExitBadInput;
    // The atlas needs neither the program's data nor its ephemeris.
    if (line.command == "places")
        return delivered(RunPlaces(line, out, err));
    auto session = std::make_unique<Session>(environment, line, out, err);
    if (!session->Start())
        return kExitBadInput;
    return delivered(line.command == "positions"   ? session->Positions()
                     : line.command == "report"    ? session->Report()
                     : line.command == "events"    ? session->Events()
                     : line.command == "patterns"  ? session->Patterns()
                     : line.command == "ephemeris" ? session->Ephemeris()
                     : line.command == "aspects"   ? session->Aspects()
                     : line.command == "cycles"    ? session->Cycles()
                     : line.command == "state"     ? session->State()
                                                   : session->Find());
}

}  // namespace orvane::cli
