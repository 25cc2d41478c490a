// The track readers and the conversion of their tracks into profile text, on arbitrary
// bytes. The first byte picks the format (of the first four) and the options, the
// rest is the file.
//
// A refused file comes with one message "Ошибка: ..." and no profile; otherwise every
// notice starts so too, and the profile is whole blocks, each a title, data lines of
// a height with one decimal, a distance with three, strictly growing from "0.000"
// (a block of one point aside), and the surface text, then "@@@", so that the block
// reader takes every one of them as complete.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "engine/block_reader.h"
#include "engine/text_lines.h"
#include "tracks/track_conversion.h"

namespace {

void Require(bool condition, const char* property, std::string_view detail = {})
{
    if (condition)
        return;
    std::fprintf(stderr, "property broken: %s\n%.*s\n", property, static_cast<int>(detail.substr(0, 400).size()),
                 detail.data());
    std::abort();
}

bool IsNumberText(std::string_view text, std::size_t decimals)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const auto point = text.find('.');
    if (point == 0 || point == std::string_view::npos || text.size() - point - 1 != decimals)
        return false;
    return text.find_first_not_of("0123456789.") == std::string_view::npos;
}

long long Metres(std::string_view distance)
{
    std::string digits(distance);
    digits.erase(digits.find('.'), 1);
    return std::stoll(digits);
}

void CheckProfile(const std::string& profile, const std::string& surface)
{
    passcat::TextLineSource lines(profile);
    std::string_view rest = profile;
    while (!lines.atEnd()) {
        const passcat::BlockReadResult read = passcat::ReadObstacleBlock(lines);
        Require(read.status == passcat::BlockReadResult::Status::Complete, "a complete block", read.fault);
        Require(!read.block.heights.empty(), "a block has a point", read.block.title);
        // The data lines themselves, past the title line.
        rest.remove_prefix(rest.find("\r\n") + 2);
        long long previous = -1;
        for (std::size_t k = 0; k < read.block.heights.size(); ++k) {
            const std::string_view line = rest.substr(0, rest.find("\r\n"));
            rest.remove_prefix(line.size() + 2);
            const auto tab = line.find('\t'), second = line.find('\t', tab + 1);
            Require(IsNumberText(line.substr(0, tab), 1), "a height text", line);
            const std::string_view distance = line.substr(tab + 1, second - tab - 1);
            Require(IsNumberText(distance, 3) && distance.front() != '-', "a distance text", line);
            Require(line.substr(second + 1) == surface, "the surface text", line);
            const long long metres = Metres(distance);
            Require(k == 0 ? metres == 0 : metres > previous, "distances grow from 0", line);
            previous = metres;
        }
        Require(rest.substr(0, 5) == "@@@\r\n", "the end line", rest);
        rest.remove_prefix(5);
    }
    Require(rest.empty(), "nothing after the last block", rest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const passcat::tracks::TrackFormat> formats = passcat::tracks::TrackFormats();
    const unsigned choice = data[0];
    passcat::tracks::ProfileOptions options;
    options.smooth = (choice & 0x04) ? 1 : (choice & 0x08) ? 35 : 5;
    options.minClimb = (choice & 0x10) ? 0.5 : 100;
    options.simplify = (choice & 0x20) ? 0 : 10;
    options.wholeTracks = (choice & 0x40) != 0;
    options.surface = (choice & 0x80) ? "1,2" : "1";
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    passcat::tracks::MemoryByteSource source(file);
    const passcat::tracks::TrackConversion conversion =
        passcat::tracks::ConvertTracks(formats[(choice & 3) % formats.size()], source, "f", "f", options);
    constexpr std::string_view kError = "Ошибка: ";
    if (conversion.status == passcat::tracks::TrackConversion::Status::Refused) {
        Require(conversion.refusal.starts_with(kError) && conversion.profile.empty(), "a refusal", conversion.refusal);
        return 0;
    }
    for (const std::string& notice : conversion.notices)
        Require(notice.starts_with(kError), "a notice", notice);
    CheckProfile(conversion.profile, options.surface);
    return 0;
}
