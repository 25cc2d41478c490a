// Writes synthetic profile files for the speed figures, always the same bytes for the
// same arguments:
//   passcat-bench-profiles single POINTS FILE        one block of POINTS points
//   passcat-bench-profiles many MEGABYTES POINTS FILE  blocks of POINTS points, about
//                                                      MEGABYTES * 10^6 bytes in all
// Titles are Windows-1251 text, numbers use decimal commas, lines end in CR LF, as in
// files written on the classic system.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A small fixed generator, so that every machine writes the same file.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    // A whole number from low to high, both included.
    int between(int low, int high) { return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1)); }

private:
    std::uint64_t state_;
};

// "Перевал " in Windows-1251.
constexpr char kTitleWord[] = "\xCF\xE5\xF0\xE5\xE2\xE0\xEB ";

// Writes a fixed-point number given in units of 10^-decimals, with a decimal comma.
void AppendFixed(std::string& out, long long units, int decimals)
{
    long long scale = 1;
    for (int k = 0; k < decimals; ++k)
        scale *= 10;
    out += std::to_string(units / scale);
    const long long fraction = units % scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        out += ',';
        out += digits;
    }
}

// One block: heights rise by 0.1 to 1.5 m per point for long blocks and by 20 to 150 m
// for short ones, distances grow by 0.01 to 0.8 km, surface coefficients 1,0 to 2,0.
void AppendBlock(std::string& out, Random& random, long long number, int points)
{
    const bool longBlock = points > 100;
    out += kTitleWord;
    out += std::to_string(number);
    out += "\r\n";
    long long height = random.between(12000, 30000); // tenths of a metre
    long long distance = 0;                          // metres
    for (int i = 0; i < points; ++i) {
        AppendFixed(out, height, 1);
        out += '\t';
        AppendFixed(out, distance, 3);
        out += '\t';
        AppendFixed(out, random.between(10, 20), 1);
        out += "\r\n";
        height += longBlock ? random.between(1, 15) : random.between(200, 1500);
        distance += longBlock ? random.between(10, 50) : random.between(100, 800);
    }
    out += "@@@\r\n";
}

bool WriteAll(std::FILE* file, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

int Usage()
{
    std::fputs("usage: passcat-bench-profiles single POINTS FILE\n"
               "       passcat-bench-profiles many MEGABYTES POINTS FILE\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        return Usage();
    const bool single = std::strcmp(argv[1], "single") == 0;
    if (!single && (std::strcmp(argv[1], "many") != 0 || argc < 5))
        return Usage();
    const char* path = single ? argv[3] : argv[4];
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        std::perror(path);
        return 1;
    }
    Random random(0x9E3779B97F4A7C15u);
    std::string text;
    bool ok = true;
    if (single) {
        AppendBlock(text, random, 1, std::atoi(argv[2]));
        ok = WriteAll(file, text);
    } else {
        const long long target = std::atoll(argv[2]) * 1000000LL;
        const int points = std::atoi(argv[3]);
        long long written = 0;
        for (long long number = 1; ok && written < target; ++number) {
            AppendBlock(text, random, number, points);
            if (text.size() >= (1u << 20) || written + static_cast<long long>(text.size()) >= target) {
                ok = WriteAll(file, text);
                written += static_cast<long long>(text.size());
                text.clear();
            }
        }
    }
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::perror(path);
        return 1;
    }
    return 0;
}
