#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the engine shows when it rejects a block (UTF-8).
namespace passcat::messages {

// "не достаточно" and "пепятствия" are spelled as users have always seen them:
// stored reports and habits rely on the exact texts.
inline constexpr std::string_view kTooFewPoints = "Ошибка: не достаточно данных для расчета";
inline constexpr std::string_view kEndNotHigher = "Ошибка: конечная точка пепятствия не выше начальной";
inline constexpr std::string_view kEndNotFarther = "Ошибка: конечная точка пепятствия не дальше начальной";

std::string TooFewTabs(std::uint64_t lineNumber);
std::string MissingEndLine(std::uint64_t titleLineNumber);
std::string TooManyPoints(std::uint64_t pointCount);
// The texts that name a point (its index in the block, from 0) name its line in the
// input too: every line between the title line and "@@@" is a data line.
std::string NumberTooLarge(std::size_t point, std::uint64_t titleLineNumber);
std::string SameDistanceAsNext(std::size_t point, std::uint64_t titleLineNumber);
std::string SameDistanceAsEnd(std::size_t point, std::uint64_t titleLineNumber);
std::string SameHeightAsEnd(std::size_t point, std::uint64_t titleLineNumber);
std::string ValueNotFinite(std::size_t point, std::uint64_t titleLineNumber);

} // namespace passcat::messages
