#include "tracks/track_messages.h"

#include <array>
#include <charconv>
#include <cmath>

#include "tracks/terrain_tile.h"

namespace passcat::tracks::messages {
namespace {

std::string Quoted(std::string_view text) { return "«" + std::string(text) + "»"; }

constexpr std::string_view kNothingChanged = "; файлы не изменены";

// The shortest text that reads back as the value, with a point as the options take it.
std::string Shortest(double value)
{
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return {text.data(), end};
}

} // namespace

std::string SkippedPoints(std::string_view track, std::uint64_t count)
{
    return "Ошибка: трек " + Quoted(track) + ": пропущены точки с неверными координатами: " + std::to_string(count);
}

std::string TooFewPoints(std::string_view track)
{
    return "Ошибка: трек " + Quoted(track) +
           ": меньше двух точек с высотой после удаления повторов, подъёмы не построены";
}

std::string NoClimbs(std::string_view track, double largestRise, double minClimb)
{
    // Whole metres rounded down, so that a rise just short of the minimum never reads as it.
    return "трек " + Quoted(track) + ": подъёмов не найдено: наибольший подъём " + Shortest(std::floor(largestRise)) +
           " м, а нужно не меньше " + Shortest(minClimb) + " м; уменьшите --min-climb или задайте --whole-tracks";
}

std::string MissingTiles(std::string_view track, const std::set<std::string>& names)
{
    std::string text = "Ошибка: трек " + Quoted(track) + ": нет файла высот ";
    for (auto it = names.begin(); it != names.end(); ++it)
        text += (it == names.begin() ? "" : ", ") + *it;
    return text;
}

std::string UnreadableTile(std::string_view file, std::string_view reason)
{
    return "Ошибка: не удалось прочитать файл высот " + std::string(file) + " (" + std::string(reason) +
           "); его точки без высоты";
}

std::string NotATile(std::string_view file, std::uint64_t size)
{
    const auto bytes = [](int side) { return std::to_string(TerrainTile::SizeOf(static_cast<std::size_t>(side))); };
    return "Ошибка: файл высот " + std::string(file) + " размером " + std::to_string(size) +
           " байт не файл высот SRTM (" + bytes(TerrainTile::kSides[0]) + " или " + bytes(TerrainTile::kSides[1]) +
           " байт); его точки без высоты";
}

std::string Refusal(std::string_view path, const ReadOutcome& outcome)
{
    const std::string file(path);
    switch (outcome.status) {
    case ReadOutcome::Status::NotWellFormed:
        return "Ошибка: файл " + file + ", строка " + std::to_string(outcome.line) + ", столбец " +
               std::to_string(outcome.column) + ": " + outcome.reason + std::string(kNothingChanged);
    case ReadOutcome::Status::UnknownEncoding:
        return "Ошибка: файл " + file + " в кодировке " + Quoted(outcome.reason) +
               ", а читаются только UTF-8, UTF-16, ISO-8859-1, US-ASCII и windows-1251" + std::string(kNothingChanged);
    case ReadOutcome::Status::ReadFailed:
    case ReadOutcome::Status::Read:
        break;
    }
    return "Ошибка: не удалось прочитать файл " + file + std::string(kNothingChanged);
}

std::string NoTrack(std::string_view path)
{
    return "Ошибка: в файле " + std::string(path) + " нет ни одного трека" + std::string(kNothingChanged);
}

} // namespace passcat::tracks::messages
