#pragma once

// The desktop program's settings store on QSettings (organisation "Veltrane", application "ZEMT"): the
// key Software\Veltrane\ZEMT of the current user on Windows, ~/.config/Veltrane/ZEMT.conf elsewhere. The
// values are text at the top level of the application's settings, 8-bit characters kept byte for byte.

#include "settings/settings_store.h"

namespace orvane::gui {

inline constexpr const char* kSettingsOrganization = "Veltrane";
inline constexpr const char* kSettingsApplication = "ZEMT";

class QSettingsStore : public settings::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view name) const override;
    bool Write(std::string_view name, std::string_view value) override;
};

}  // namespace orvane::gui
