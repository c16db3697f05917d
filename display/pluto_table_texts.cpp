#include "display/pluto_table_texts.h"

#include "text/text_numbers.h"

namespace orvane::display {

core::DescribePlutoTableFault DescribePlutoTableFault(const text::Language& language, const std::string& path)
{
    return [&language, path](core::PlutoTableFault fault, const std::string& reason, size_t count) {
        std::string detail;
        switch (fault) {
        case core::PlutoTableFault::CannotOpen:
            detail = language.TextWithReplacements(text::kTextPlutoCannotOpen, path, reason);
            break;
        case core::PlutoTableFault::NotAFile:
            detail = language.TextWithReplacements(text::kTextPlutoNotAFile, path);
            break;
        case core::PlutoTableFault::TooLarge:
            detail = language.TextWithReplacements(text::kTextPlutoTooLarge, path,
                                                   std::to_string(core::kMaxPlutoTableBytes >> 20));
            break;
        case core::PlutoTableFault::CannotRead:
            detail = language.TextWithReplacements(text::kTextPlutoCannotRead, path, reason);
            break;
        case core::PlutoTableFault::Empty:
            detail = language.TextWithReplacements(text::kTextPlutoEmpty, path);
            break;
        case core::PlutoTableFault::DamagedEntry:
            detail = language.TextWithReplacements(text::kTextPlutoDamagedEntry, path, std::to_string(count));
            break;
        case core::PlutoTableFault::EndsEarly:
            detail = language.TextWithReplacements(text::kTextPlutoEndsEarly, path, std::to_string(count),
                                                   std::to_string(core::kPlutoTableLines));
            break;
        }
        return platform::Message::Exclamation("", detail);
    };
}

}  // namespace orvane::display
