#pragma once

// The position in a std::array of a row, cell, body or aspect that the models count with signed integers
// (int16_t as the state files and the program's tables store them): one conversion for every floor.

#include <concepts>
#include <cstddef>

namespace orvane::platform {

template <std::integral Index>
constexpr std::size_t At(Index i)
{
    return static_cast<std::size_t>(i);
}

}  // namespace orvane::platform
