#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "app/startup.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {
bool Session::Start()
{
    const platform::SystemClock systemClock;
    const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
    const app::StartUpResult result = m_program.StartUp(m_environment.dataFolder, clock, m_store);
    if (result.programTextError) {
        PrintMessage(m_err, *result.programTextError);
        return false;
    }
    if (result.plutoError)
        PrintMessage(m_err, *result.plutoError);
    if (m_line.language != text::langEnglish) {
        m_program.language.currentLanguage = m_line.language;
        app::ApplyLanguageToModels(m_program);
    }
    return true;
}

int Session::LoadState()
{
    const platform::Result<void> loaded = app::LoadStateFile(m_program, m_line.state, m_store);
    if (!loaded.ok()) {
        // The message names the file as typed: it is shown as every echoed value is.
        std::string text = ConsoleText(loaded.error().text);
        if (const size_t at = text.find(m_line.state); at != std::string::npos)
            text.replace(at, m_line.state.size(), EchoedValue(m_line.state));
        m_err << text << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

int Session::DateError(const std::optional<platform::Message>& message)
{
    if (message)
        PrintMessage(m_err, *message);
    return kExitBadInput;
}

TableWords Session::Words() const
{
    TableWords words;
    words.language = m_line.language;
    const int16_t kinds[] = {text::kTextEventExact, text::kTextEventEnter, text::kTextEventLeave,
                             text::kTextEventIngress};
    for (size_t k = 0; k < words.kinds.size(); ++k)
        words.kinds[k] = OwnText(kinds[k], m_line.language);
    words.date = OwnText(text::kTextColumnDate, m_line.language);
    words.time = OwnText(text::kTextColumnTime, m_line.language);
    words.event = OwnText(text::kTextColumnEvent, m_line.language);
    words.body = OwnText(text::kTextColumnBody, m_line.language);
    words.aspect = OwnText(text::kTextColumnAspect, m_line.language);
    words.sign = OwnText(text::kTextColumnSign, m_line.language);
    return words;
}

}  // namespace orvane::cli
