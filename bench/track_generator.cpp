// Writes a synthetic GPX file for the speed figures, always the same bytes for the
// same arguments:
//   passcat-bench-tracks TRACKS POINTS FILE [no-elevations]
// TRACKS tracks of POINTS points each, with elevations unless told otherwise (a route
// that takes its heights from terrain tiles).
// The tracks wander over a hilly area, a point every 8 to 12 metres, with elevations,
// times and a few waypoints, about 100 bytes a point, as phones and watches write them.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    // Uniform in [0, 1).
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<double>(state_ >> 11) * 0x1p-53;
    }

private:
    std::uint64_t state_;
};

constexpr double kPi = 3.14159265358979323846;

void Put(std::string& out, const char* format, double value)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    out.append(text, static_cast<std::size_t>(length));
}

} // namespace

int main(int argc, char* argv[])
{
    const bool elevations = argc == 4;
    if (argc != 4 && (argc != 5 || std::string(argv[4]) != "no-elevations")) {
        std::fprintf(stderr, "usage: passcat-bench-tracks TRACKS POINTS FILE [no-elevations]\n");
        return 2;
    }
    const long tracks = std::strtol(argv[1], nullptr, 10);
    const long points = std::strtol(argv[2], nullptr, 10);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (!file || tracks <= 0 || points <= 0) {
        std::fprintf(stderr, "passcat-bench-tracks: bad arguments or file\n");
        return 2;
    }
    Random random(20261207);
    std::string out;
    out.reserve(std::size_t{1} << 21);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"passcat-bench-tracks\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int k = 0; k < 5; ++k) {
        out += "<wpt lat=\"";
        Put(out, "%.7f", 43.0 + 0.05 * k);
        out += "\" lon=\"";
        Put(out, "%.7f", 42.0 + 0.07 * k);
        out += "\"><name>Перевал ";
        out += std::to_string(k + 1);
        out += "</name></wpt>\n";
    }
    long seconds = 0;
    for (long t = 0; t < tracks; ++t) {
        out += "<trk><name>Маршрут ";
        out += std::to_string(t + 1);
        out += "</name><trkseg>\n";
        double lat = 43.0 + 0.01 * static_cast<double>(t);
        double lon = 42.0;
        double heading = random.next() * 2 * kPi;
        for (long p = 0; p < points; ++p) {
            const double along = static_cast<double>(p) * 10.0; // metres, roughly
            const double elevation = 1800.0 + 700.0 * std::sin(along / 2500.0) + 250.0 * std::sin(along / 610.0 + t) +
                                     3.0 * (random.next() - 0.5);
            heading += (random.next() - 0.5) * 0.3;
            const double step = 8.0 + 4.0 * random.next();
            lat += step * std::cos(heading) / 111000.0;
            lon += step * std::sin(heading) / (111000.0 * std::cos(lat * kPi / 180.0));
            out += "<trkpt lat=\"";
            Put(out, "%.7f", lat);
            out += "\" lon=\"";
            Put(out, "%.7f", lon);
            out += "\">";
            if (elevations) {
                out += "<ele>";
                Put(out, "%.1f", elevation);
                out += "</ele>";
            }
            char time[40];
            const long s = seconds++;
            std::snprintf(time, sizeof time, "2026-07-%02ldT%02ld:%02ld:%02ldZ", 1 + (s / 86400) % 28, (s / 3600) % 24,
                          (s / 60) % 60, s % 60);
            out += "<time>";
            out += time;
            out += "</time></trkpt>\n";
            if (out.size() > (std::size_t{1} << 20)) {
                std::fwrite(out.data(), 1, out.size(), file);
                out.clear();
            }
        }
        out += "</trkseg></trk>\n";
    }
    out += "</gpx>\n";
    std::fwrite(out.data(), 1, out.size(), file);
    return std::fclose(file) == 0 ? 0 : 1;
}
