// The yardstick for the speed of the surface scores: reads the first block of a
// profile file and computes its surface scores the plain way, with the engine's
// reference kernel: one point after the other, each an ascending single-precision
// sum, on one thread.
//   passcat-bench-plain-loop FILE [height|length]
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/block_reader.h"
#include "engine/segment_series.h"
#include "engine/surface_scores.h"
#include "engine/text_lines.h"

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: passcat-bench-plain-loop FILE [height|length]\n", stderr);
        return 2;
    }
    const bool byLength = argc > 2 && std::strcmp(argv[2], "length") == 0;
    const auto weighting = byLength ? passcat::SurfaceWeighting::ByLength : passcat::SurfaceWeighting::ByHeight;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    passcat::TextLineSource source(text);
    const passcat::BlockReadResult read = passcat::ReadObstacleBlock(source);
    const passcat::ObstacleBlock& block = read.block;
    if (read.status != passcat::BlockReadResult::Status::Complete
        || passcat::CheckProfile(block, weighting).has_value()) {
        std::fputs("the first block cannot be evaluated\n", stderr);
        return 1;
    }
    const passcat::SegmentSeries series = passcat::DeriveSegmentSeries(block);
    const std::vector<double>& values = byLength ? block.distances : block.heights;
    const std::vector<double>& deltas = byLength ? series.deltaDistances : series.deltaHeights;
    const std::vector<double>& coefs = block.surfaceCoefs;

    std::vector<float> scores(deltas.size());
    passcat::ComputeSurfaceScoresWith(passcat::SurfaceKernel::Reference, nullptr, values, deltas, coefs, scores);

    std::uint32_t check = 0;
    for (const float score : scores) {
        std::uint32_t bits;
        std::memcpy(&bits, &score, sizeof bits);
        check = check * 31 + bits;
    }
    std::printf("%zu points, check %08x\n", scores.size() + 1, static_cast<unsigned>(check));
    return 0;
}
