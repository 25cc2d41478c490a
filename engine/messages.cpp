#include "engine/messages.h"

#include "engine/obstacle_block.h"

namespace passcat::messages {

// Points are numbered from 1 in messages, as the user counts the data lines.
namespace {
std::string PointText(std::size_t point, std::uint64_t titleLineNumber)
{
    return "точка " + std::to_string(point + 1) + " (строка " + std::to_string(titleLineNumber + 1 + point) + ")";
}
} // namespace

std::string TooFewTabs(std::uint64_t lineNumber)
{
    return "Ошибка: в строке " + std::to_string(lineNumber)
        + " меньше трех столбцов (нужны высота, километраж и коэффициент покрытия через табуляцию)";
}

std::string MissingEndLine(std::uint64_t titleLineNumber)
{
    return "Ошибка: препятствие со строки " + std::to_string(titleLineNumber)
        + " не закончено строкой @@@ до конца файла";
}

std::string TooManyPoints(std::uint64_t pointCount)
{
    return "Ошибка: в препятствии " + std::to_string(pointCount) + " точек, допустимо не больше "
        + std::to_string(kMaxPointsPerBlock);
}

std::string NumberTooLarge(std::size_t point, std::uint64_t titleLineNumber)
{
    return "Ошибка: " + PointText(point, titleLineNumber) + ": число слишком велико";
}

std::string SameDistanceAsNext(std::size_t point, std::uint64_t titleLineNumber)
{
    return "Ошибка: " + PointText(point, titleLineNumber) + " и следующая за ней на одном километраже";
}

std::string SameDistanceAsEnd(std::size_t point, std::uint64_t titleLineNumber)
{
    return "Ошибка: " + PointText(point, titleLineNumber) + " на одном километраже с конечной точкой";
}

std::string SameHeightAsEnd(std::size_t point, std::uint64_t titleLineNumber)
{
    return "Ошибка: " + PointText(point, titleLineNumber)
        + " на одной высоте с конечной точкой (интерполяция по высоте)";
}

std::string ValueNotFinite(std::size_t point, std::uint64_t titleLineNumber)
{
    return "Ошибка: " + PointText(point, titleLineNumber) + ": результат расчета вне допустимого диапазона чисел";
}

} // namespace passcat::messages
