// Whole files through ConvertTracks that are too large or too odd for the corpus:
// entity bombs, external entities, UTF-16, a line of 100 MB, 100 000 tracks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "tests/support/thread_sharing.h"
#include "tracks/track_conversion.h"

namespace passcat::tracks {
namespace {

// prefix, then unit count times, then suffix, made as they are read.
class RepeatingSource final : public ByteSource {
public:
    RepeatingSource(std::string prefix, std::string unit, std::size_t count, std::string suffix)
        : prefix_(std::move(prefix)), unit_(std::move(unit)), suffix_(std::move(suffix)), count_(count)
    {
    }
    std::ptrdiff_t read(char* buffer, std::size_t size) override
    {
        std::size_t done = 0;
        while (done < size) {
            const std::string& part = part_ == 0 ? prefix_ : part_ == 1 ? unit_ : suffix_;
            if (part_ > 2)
                break;
            const std::size_t n = std::min(size - done, part.size() - offset_);
            std::memcpy(buffer + done, part.data() + offset_, n);
            done += n;
            offset_ += n;
            if (offset_ == part.size()) {
                offset_ = 0;
                if (part_ != 1 || ++repeated_ >= count_)
                    ++part_;
            }
        }
        return static_cast<std::ptrdiff_t>(done);
    }

private:
    std::string prefix_, unit_, suffix_;
    std::size_t count_, repeated_ = 0, offset_ = 0;
    int part_ = 0;
};

const TrackFormat& kGpx = *TrackFormatOfName("f.gpx");

TrackConversion Convert(const TrackFormat& format, ByteSource& source, WorkSharing* sharing = nullptr)
{
    return ConvertTracks(format, source, "f.gpx", "f", ProfileOptions{}, sharing);
}

TrackConversion Convert(const TrackFormat& format, const std::string& text)
{
    MemoryByteSource source(text);
    return Convert(format, source);
}

const char kTwoPoints[] =
    "<trk><name>T</name><trkseg><trkpt lat='43' lon='42'><ele>1000</ele></trkpt>"
    "<trkpt lat='43.01' lon='42'><ele>1200</ele></trkpt></trkseg></trk>";

TEST(Readers, RefuseEntityBombsAndExternalEntities)
{
    std::string bomb = "<?xml version='1.0'?><!DOCTYPE gpx [<!ENTITY a0 'xxxxxxxxxxxxxxxx'>";
    for (int k = 1; k < 12; ++k)
        bomb += "<!ENTITY a" + std::to_string(k) + " '" + [&] {
            std::string refs;
            for (int j = 0; j < 8; ++j)
                refs += "&a" + std::to_string(k - 1) + ";";
            return refs;
        }() + "'>";
    bomb += "]><gpx><wpt lat='1' lon='1'><name>&a11;</name></wpt>" + std::string(kTwoPoints) + "</gpx>";
    const TrackConversion bombed = Convert(kGpx, bomb);
    EXPECT_EQ(bombed.status, TrackConversion::Status::Refused);
    EXPECT_NE(bombed.refusal.find("раскрытие сущностей слишком велико"), std::string::npos) << bombed.refusal;

    for (const std::string& external :
         {std::string("<!DOCTYPE gpx [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><gpx><trk><name>&e;</name></trk></gpx>"),
          "<!DOCTYPE gpx SYSTEM 'http://example.invalid/gpx.dtd'><gpx>" + std::string(kTwoPoints) + "&e;</gpx>"}) {
        const TrackConversion refused = Convert(kGpx, external);
        EXPECT_EQ(refused.status, TrackConversion::Status::Refused) << external;
        EXPECT_NE(refused.refusal.find("внешние сущности не загружаются"), std::string::npos) << refused.refusal;
    }
}

TEST(Readers, Utf16WithItsByteOrderMark)
{
    const std::string utf8 = "<gpx>" + std::string(kTwoPoints).replace(11, 1, "Ж") + "</gpx>";
    std::string utf16 = "\xFF\xFE"; // little endian; ASCII but for "Ж" (U+0416)
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        if (utf8.compare(k, 2, "Ж") == 0) {
            utf16 += "\x16\x04";
            ++k;
        } else {
            utf16 += utf8[k];
            utf16 += '\0';
        }
    }
    const TrackConversion conversion = Convert(kGpx, utf16);
    EXPECT_EQ(conversion.profile, "Ж, подъём 1\r\n1000.0\t0.000\t1\r\n1200.0\t1.111\t1\r\n@@@\r\n");
}

TEST(Readers, ALineOf100MegabytesInBoundedMemory)
{
    // One line: a point repeated (all but the first dropped as repeats), an elevation
    // text of 2 MB past the limit, then the climb's top.
    RepeatingSource line("<gpx><trk><trkseg>", "<trkpt lat='43' lon='42'><ele>1000</ele></trkpt>", 2'000'000,
                         "<trkpt lat='43.01' lon='42'><ele>" + std::string(2'000'000, '1') +
                             "</ele></trkpt><trkpt lat='43.02' lon='42'><ele>1200</ele></trkpt></trkseg></trk></gpx>");
    testing::ThreadSharing threads;
    const TrackConversion conversion = Convert(kGpx, line, &threads);
    EXPECT_EQ(conversion.profile, "f, подъём 1\r\n1000.0\t0.000\t1\r\n1200.0\t2.222\t1\r\n@@@\r\n");
}

TEST(Readers, AHundredThousandTracksOfOnePoint)
{
    RepeatingSource many("<gpx>", "<trk><trkseg><trkpt lat='43' lon='42'><ele>1</ele></trkpt></trkseg></trk>\n",
                         100'000, "</gpx>");
    testing::ThreadSharing threads;
    const TrackConversion conversion = Convert(kGpx, many, &threads);
    EXPECT_EQ(conversion.status, TrackConversion::Status::Converted);
    EXPECT_EQ(conversion.notices.size(), 100'000u);
    EXPECT_EQ(conversion.profile, "");
}

TEST(Readers, OneThreadOrTwoGiveTheSameProfile)
{
    std::string file = "<gpx>";
    for (int t = 0; t < 5; ++t) {
        file += "<trk><trkseg>";
        for (int k = 0; k < 5000; ++k) { // large enough to be handed over
            const int period = 300 + 40 * t, phase = k % period; // a saw of climbs 2 x period high
            file += "<trkpt lat='" + std::to_string(43 + k * 1e-4) + "' lon='42'><ele>" +
                    std::to_string(1000 + 2 * ((k / period) % 2 ? period - phase : phase)) + "</ele></trkpt>";
        }
        file += "</trkseg></trk>";
    }
    file += "</gpx>";
    MemoryByteSource one(file), two(file);
    const TrackConversion first = Convert(kGpx, one);
    EXPECT_NE(first.profile.find("f, подъём 2"), std::string::npos);
    testing::ThreadSharing threads;
    EXPECT_EQ(first.profile, Convert(kGpx, two, &threads).profile);
}

} // namespace
} // namespace passcat::tracks
