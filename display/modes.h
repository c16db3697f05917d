#pragma once

// The mode numbers (intMode) as whole numbers, and the groups of modes that the displays tell apart.

#include "mainwindow/mode.h"

#include <cstdint>

namespace orvane::display {

inline constexpr int16_t kModeNone = static_cast<int16_t>(mainwindow::Mode::None);
inline constexpr int16_t kModeWorldTransits = static_cast<int16_t>(mainwindow::Mode::WorldTransits);
inline constexpr int16_t kModeNatal1 = static_cast<int16_t>(mainwindow::Mode::Natal1st);
inline constexpr int16_t kModeNatal2 = static_cast<int16_t>(mainwindow::Mode::Natal2nd);
inline constexpr int16_t kModePersonal1 = static_cast<int16_t>(mainwindow::Mode::PersonalTransits1st);
inline constexpr int16_t kModePersonal2 = static_cast<int16_t>(mainwindow::Mode::PersonalTransits2nd);
inline constexpr int16_t kModeSynastry = static_cast<int16_t>(mainwindow::Mode::Synastry);

// World transits and the two natal modes compare the bodies of one moment: the grid is a triangle.
constexpr bool IsOneDateMode(int16_t mode)
{
    return mode >= kModeWorldTransits && mode <= kModeNatal2;
}
constexpr bool IsPersonalTransitMode(int16_t mode)
{
    return mode == kModePersonal1 || mode == kModePersonal2;
}
// The modes in which aspects begin and end: world and personal transits.
constexpr bool IsTransitMode(int16_t mode)
{
    return mode == kModeWorldTransits || IsPersonalTransitMode(mode);
}
constexpr bool IsNatalMode(int16_t mode)
{
    return mode == kModeNatal1 || mode == kModeNatal2;
}
// The modes that compare two moments and lay the grid out as a square.
constexpr bool IsTwoDateMode(int16_t mode)
{
    return IsPersonalTransitMode(mode) || mode == kModeSynastry;
}

}  // namespace orvane::display
