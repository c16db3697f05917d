// The date rows filled from arbitrary bytes (year box as typed, any list position, any row number): a row
// converts to a moment in the supported range or to one of the error codes, the local day number agrees
// with it, and the text, weekday and error message are there exactly for the rows that convert, or not.
// The remaining bytes go through SanitizeInteger and KeepOnlyChars.

#include "fuzz/fuzz_support.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "app/main_model.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

namespace {

using namespace orvane::datetime;
using orvane::fuzz::Require;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string Digits(const std::string& text)
{
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), IsDigit);
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto& language = orvane::fuzz::ProgramText();
    static const DateRows fresh = [&language] {
        orvane::app::MainModel model;
        SetUpDateRows(model);
        SetUpTimezoneComboBoxes(model, false, false);
        model.SetDateRowNames(language);
        return DateRows(model);
    }();
    FuzzedDataProvider in(data, size);
    DateRows rows = fresh;
    for (size_t k = 0; k < rows.yearTexts.size(); ++k) {
        for (auto* list : {&rows.monthLists[k], &rows.dayLists[k], &rows.halfHourLists[k], &rows.zoneLists[k]})
            list->SetListIndex(in.ConsumeIntegralInRange<int16_t>(-1, list->ListCount()));
        rows.yearTexts[k] = in.ConsumeRandomLengthString(12);
    }
    const auto row = in.ConsumeIntegralInRange<int16_t>(-1, 3);

    const auto moment = InputDateToAJDate(rows, row, language);
    const bool valid = moment.ok();
    const auto local = InputDateToLocalDayNumber(rows, row, language);
    Require(local.ok() == valid, "both conversions agree");
    if (valid) {
        const auto r = static_cast<size_t>(row);
        Require(moment.value() > kFirstDayNumber - 1.5 && moment.value() < kLastDayNumber + 1.5,
                "a row gives a moment in range");
        Require(rows.yearTexts[r] == Digits(rows.yearTexts[r]), "the year box is cleaned to its digits");
        Require(local.value() >= kFirstDayNumber && local.value() < kLastDayNumber + 1, "the local day is in range");
        Require(std::abs(local.value() - rows.zoneLists[r].SelectedItemData() / 1440.0 - 0.5 - moment.value()) <
                    1e-9,
                "the moment is the local time less the zone");
    } else {
        Require(moment.error() == local.error() && !moment.error().text.empty(),
                "a refused row has its one message");
    }
    Require(InputDateToString(rows, row, in.ConsumeBool(), language).empty() != valid, "a valid row has a text");
    Require(ShowWeekday(rows, row, language).empty() != valid, "a valid row has a weekday");

    const bool minus = in.ConsumeBool();
    const bool plus = in.ConsumeBool();
    std::string allowed = in.ConsumeRandomLengthString(12);
    std::erase_if(allowed, [](char c) { return (c & 0x80) != 0; });
    const std::string text = in.ConsumeRemainingBytesAsString();
    const std::string integer = SanitizeInteger(text, minus, plus);
    const size_t sign = !integer.empty() && ((integer[0] == '-' && minus) || (integer[0] == '+' && plus)) ? 1 : 0;
    Require(integer.substr(sign) == Digits(text), "an integer keeps the digits, and a sign when allowed");
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [&allowed](char c) { return allowed.find(c) != std::string::npos; });
    Require(KeepOnlyChars(text, allowed) == kept, "only the allowed characters are kept");
    return 0;
}
