// Terrain heights from SRTM tiles: tile names, the bilinear height on hand-worked
// points, voids, and tracks given heights by fill and by replace, with the missing
// and faulty tiles they report.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "tracks/terrain_heights.h"
#include "tracks/track_conversion.h"

namespace passcat::tracks {
namespace {

// A tile's bytes, every value v(row, column) at first.
class TileBytes {
public:
    template <typename Value>
    TileBytes(int side, Value v) : side_(side), bytes_(TerrainTile::SizeOf(static_cast<std::size_t>(side)))
    {
        for (int row = 0; row < side; ++row)
            for (int column = 0; column < side; ++column)
                set(row, column, v(row, column));
    }
    void set(int row, int column, int value)
    {
        const std::size_t at = 2 * (static_cast<std::size_t>(row) * static_cast<std::size_t>(side_) +
                                    static_cast<std::size_t>(column));
        bytes_[at] = static_cast<std::byte>((value >> 8) & 0xff);
        bytes_[at + 1] = static_cast<std::byte>(value & 0xff);
    }
    TerrainTile tile() const { return *TerrainTile::FromBytes(bytes_); }
    const std::vector<std::byte>& bytes() const { return bytes_; }

private:
    int side_;
    std::vector<std::byte> bytes_;
};

// Values that tell every node apart, with no pattern the interpolation could hide.
int Scattered(int row, int column) { return (row * 7919 + column * 104729) % 9973 - 3000; }

TEST(Terrain, TileNamesInAnyCaseAndTheirCanonicalSpelling)
{
    const std::tuple<const char*, std::optional<TileCorner>> names[] = {
        {"N43E042.hgt", TileCorner{43, 42}}, {"s13w072.HGT", TileCorner{-13, -72}},
        {"n00e000.Hgt", TileCorner{0, 0}},   {"S90W180.hgt", TileCorner{-90, -180}},
        {"N43E042.hgt.zip", std::nullopt},    {"N43E42.hgt", std::nullopt},
        {"X43E042.hgt", std::nullopt},        {"N43E042.hgz", std::nullopt},
        {"N4aE042.hgt", std::nullopt},        {"N43E042_hgt", std::nullopt},
    };
    for (const auto& [name, corner] : names)
        EXPECT_EQ(ParseTileName(name), corner) << name;
    EXPECT_EQ(TileFileName({43, 42}), "N43E042.hgt");
    EXPECT_EQ(TileFileName({-13, -72}), "S13W072.hgt");
    EXPECT_EQ(TileFileName({0, -1}), "N00W001.hgt");
    EXPECT_EQ(TileFileName({-90, 179}), "S90E179.hgt");
}

TEST(Terrain, TilesAreKnownBySizeAlone)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{2}, std::size_t{2884801}, std::size_t{2884803},
                                   std::size_t{25934400}}) {
        const std::vector<std::byte> bytes(size);
        EXPECT_FALSE(TerrainTile::FromBytes(bytes)) << size;
    }
    EXPECT_EQ(TileBytes(1201, Scattered).tile().side(), 1201);
    EXPECT_EQ(TileBytes(3601, Scattered).tile().side(), 3601);
    // Big-endian and signed.
    TileBytes bytes(1201, [](int, int) { return 0; });
    bytes.set(5, 7, -2);
    bytes.set(5, 8, 0x1234);
    EXPECT_EQ(bytes.tile().value(5, 7), -2);
    EXPECT_EQ(bytes.tile().value(5, 8), 0x1234);
}

TEST(Terrain, HeightsAtTheNodesCornersAndEdges)
{
    const TileBytes bytes(1201, Scattered);
    const TerrainTile tile = bytes.tile();
    // (latitude, longitude) of the tile N43E042, and the node whose value they take.
    const std::tuple<double, double, int, int> points[] = {
        {43.75, 42.25, 300, 300},   // a node inside
        {43.5, 42.5, 600, 600},
        {43, 42, 1200, 0},          // the south-west corner: the last row, i clamped to N-2, fy = 1
        {43.25, 42, 900, 0},        // the western edge
        {43, 42.75, 1200, 900},     // the southern edge, the last row
    };
    for (const auto& [lat, lon, row, column] : points)
        EXPECT_EQ(tile.height(lat, lon), Scattered(row, column)) << lat << " " << lon;
    // Towards the eastern edge: x = 1200 * (1 - 2^-20), between the last two columns.
    const double nearEast = 42 + (1 - 0x1p-20);
    const double x = (nearEast - 42) * 1200;
    const double fx = x - 1199;
    EXPECT_EQ(tile.height(43.5, nearEast), (1 - fx) * Scattered(600, 1199) + fx * Scattered(600, 1200));
}

TEST(Terrain, BilinearHeightWorkedByHand)
{
    // At latitude 44 - 2^-11, longitude 42 + 2^-10: y = 1200/2048 = 0.5859375 (row 0),
    // x = 1200/1024 = 1.171875 (column 1, fx = 0.171875), so
    // h = 0.828125 x 0.4140625 x 100 + 0.171875 x 0.4140625 x 200
    //   + 0.828125 x 0.5859375 x 300 + 0.171875 x 0.5859375 x 500 = 500625/2048.
    TileBytes bytes(1201, [](int, int) { return 0; });
    bytes.set(0, 1, 100);
    bytes.set(0, 2, 200);
    bytes.set(1, 1, 300);
    bytes.set(1, 2, 500);
    EXPECT_EQ(bytes.tile().height(44 - 0x1p-11, 42 + 0x1p-10), 500625.0 / 2048);
}

TEST(Terrain, EveryStepInTheOrderWritten)
{
    // Values found with plain IEEE doubles in the order of the formula; each point was
    // chosen so that other orders of the products and sums, or one fused multiply-add,
    // give other bits.
    const std::tuple<int, double, double, double> points[] = {
        {1201, 43.029005, 42.465623, 0x1.d3f62b6abdf75p+8},
        {1201, 43.36119, 42.165956, 0x1.348f06f69286fp+12},
        {3601, 43.818518, 42.480745, 0x1.ecc7dc66d45b0p+10},
        {3601, 43.366184, 42.578519, 0x1.77591686caee4p+8},
    };
    const TileBytes small(1201, Scattered);
    const TileBytes large(3601, Scattered);
    for (const auto& [side, lat, lon, expected] : points)
        EXPECT_EQ((side == 1201 ? small : large).tile().height(lat, lon), expected) << lat << " " << lon;
}

TEST(Terrain, AVoidSpoilsTheHeightEvenAtZeroWeight)
{
    TileBytes bytes(1201, [](int, int) { return 1000; });
    bytes.set(600, 601, TerrainTile::kVoid);
    const TerrainTile tile = bytes.tile();
    // The point at fractional row y and column x of the tile.
    const auto at = [&](double y, double x) { return tile.height(44 - y / 1200, 42 + x / 1200); };
    EXPECT_FALSE(HasElevation(at(600, 600)));     // on the node west of the void: fx = fy = 0
    EXPECT_FALSE(HasElevation(at(599.5, 600.5))); // the square north-west of it
    EXPECT_FALSE(HasElevation(at(600.5, 601.5))); // south-east
    EXPECT_EQ(at(600.5, 599.5), 1000);            // two squares west of the void
    EXPECT_EQ(at(601.5, 601.5), 1000);            // two rows south
}

// Tiles in memory, or named as faulty, for the sampler.
class FakeTiles final : public TileFiles {
public:
    std::map<TileCorner, std::shared_ptr<const std::vector<std::byte>>> files;
    std::map<TileCorner, std::string> unreadable;
    std::map<TileCorner, int> opened;

    TileFile open(TileCorner corner) override
    {
        ++opened[corner];
        TileFile file;
        file.name = "dem/" + TileFileName(corner);
        if (const auto it = unreadable.find(corner); it != unreadable.end()) {
            file.status = TileFile::Status::Unreadable;
            file.reason = it->second;
        } else if (const auto found = files.find(corner); found != files.end()) {
            file.status = TileFile::Status::Opened;
            file.bytes = *found->second;
            file.owner = found->second;
        }
        return file;
    }
    void add(TileCorner corner, std::vector<std::byte> bytes)
    {
        files[corner] = std::make_shared<const std::vector<std::byte>>(std::move(bytes));
    }
};

TEST(Terrain, EdgesPolesAndTheAntimeridianPickTheirTiles)
{
    FakeTiles tiles;
    TerrainModel model(tiles);
    TerrainSampler sampler(model);
    TerrainGaps gaps;
    for (const auto& [lat, lon] : std::initializer_list<std::pair<double, double>>{
             {-0.0, -0.0}, {0.5, 180}, {90, 10}, {-90, -180}, {-0.5, 179.5}, {44, 42}})
        EXPECT_FALSE(HasElevation(sampler.height(lat, lon, gaps)));
    EXPECT_EQ(gaps.missing, (std::set<std::string>{"N00E000.hgt", "N00W180.hgt", "N90E010.hgt", "S90W180.hgt",
                                                   "S01E179.hgt", "N44E042.hgt"}));
    EXPECT_TRUE(gaps.faults.empty());
}

Track TrackOf(std::initializer_list<std::tuple<double, double, double>> points)
{
    Track track;
    for (const auto& [lat, lon, ele] : points)
        track.add(lat, lon, ele);
    return track;
}

TEST(Terrain, FillAndReplace)
{
    FakeTiles tiles;
    tiles.add({43, 42}, TileBytes(1201, [](int, int column) { return 1000 + column; }).bytes());
    TileBytes voids(1201, [](int, int) { return 2000; });
    voids.set(600, 600, TerrainTile::kVoid);
    tiles.add({43, 43}, voids.bytes());
    TerrainModel model(tiles);
    TerrainSampler sampler(model);
    const double none = kNoElevation;
    const auto points = {std::tuple{43.5, 42.25, 5.0}, {43.5, 42.5, none}, {43.5, 43.5, 7.0}, {43.5, 43.5, none},
                         {43.5, 44.5, 9.0}, {43.5, 44.5, none}};
    // The values: 1300 and 1600 on N43E042, a void on N43E043, no tile N43E044.
    Track filled = TrackOf(points);
    TerrainGaps fillGaps;
    sampler.apply(filled, TerrainMode::Fill, fillGaps);
    const auto same = [](const std::vector<double>& a, const std::vector<double>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](double x, double y) { return x == y || (!HasElevation(x) && !HasElevation(y)); });
    };
    EXPECT_TRUE(same(filled.elevations, {5, 1600, 7, none, 9, none}));
    EXPECT_EQ(fillGaps.missing, std::set<std::string>{"N43E044.hgt"});

    Track replaced = TrackOf(points);
    TerrainGaps replaceGaps;
    sampler.apply(replaced, TerrainMode::Replace, replaceGaps);
    EXPECT_TRUE(same(replaced.elevations, {1300, 1600, none, none, none, none}));
    EXPECT_EQ(replaceGaps.missing, std::set<std::string>{"N43E044.hgt"});

    // A track whose every point has an elevation needs no tile in fill.
    Track own = TrackOf({{43.5, 44.5, 1}, {43.5, 45.5, 2}});
    TerrainGaps none_;
    sampler.apply(own, TerrainMode::Fill, none_);
    EXPECT_TRUE(none_.missing.empty());
}

TEST(Terrain, FaultyTilesAndHowLongTilesStayOpen)
{
    FakeTiles tiles;
    tiles.add({43, 42}, std::vector<std::byte>(1000));
    tiles.unreadable[{44, 42}] = "это не обычный файл";
    for (int lon = 0; lon < 6; ++lon)
        tiles.add({10, lon}, TileBytes(1201, [](int, int) { return 1; }).bytes());
    TerrainModel model(tiles);
    TerrainSampler sampler(model);
    TerrainGaps gaps;
    for (const double lat : {43.5, 44.5, 43.6, 44.6})
        EXPECT_FALSE(HasElevation(sampler.height(lat, 42.5, gaps)));
    EXPECT_TRUE(gaps.missing.empty());
    EXPECT_EQ(gaps.faults,
              (std::vector<std::string>{"Ошибка: файл высот dem/N43E042.hgt размером 1000 байт не файл высот SRTM "
                                        "(2884802 или 25934402 байт); его точки без высоты",
                                        "Ошибка: не удалось прочитать файл высот dem/N44E042.hgt (это не обычный "
                                        "файл); его точки без высоты"}));
    // Faulty tiles are opened once a run; of six good ones only the last few stay open.
    for (int lon = 0; lon < 6; ++lon)
        EXPECT_EQ(sampler.height(10.5, lon + 0.5, gaps), 1);
    EXPECT_EQ(sampler.height(10.5, 2.5, gaps), 1);
    EXPECT_EQ(sampler.height(10.5, 0.5, gaps), 1);
    EXPECT_EQ(tiles.opened[(TileCorner{43, 42})], 1);
    EXPECT_EQ(tiles.opened[(TileCorner{10, 2})], 1);
    EXPECT_EQ(tiles.opened[(TileCorner{10, 0})], 2);
}

TEST(Terrain, TracksTellTheirMissingTilesAndFaultsOncePerRun)
{
    FakeTiles tiles;
    tiles.add({43, 42}, std::vector<std::byte>(3));
    TerrainModel model(tiles);
    // Two tracks without elevations: A over N43E042 (no tile), N44E042 and S01W001 (missing), B
    // over N43E042 and N44E043 (missing).
    const std::string gpx =
        "<gpx><trk><name>A</name><trkseg><trkpt lat='44.5' lon='42.5'/><trkpt lat='43.5' lon='42.5'/>"
        "<trkpt lat='-0.5' lon='-0.5'/></trkseg></trk>"
        "<trk><name>B</name><trkseg><trkpt lat='43.5' lon='42.6'/><trkpt lat='44.5' lon='43.5'/></trkseg></trk></gpx>";
    MemoryByteSource source(gpx);
    const TrackConversion conversion =
        ConvertTracks(*TrackFormatOfName("t.gpx"), source, "t.gpx", "t", ProfileOptions{}, nullptr, &model);
    EXPECT_EQ(conversion.notices,
              (std::vector<std::string>{
                  "Ошибка: файл высот dem/N43E042.hgt размером 3 байт не файл высот SRTM (2884802 или 25934402 "
                  "байт); его точки без высоты",
                  "Ошибка: трек «A»: нет файла высот N44E042.hgt, S01W001.hgt",
                  "Ошибка: трек «A»: меньше двух точек с высотой после удаления повторов, подъёмы не построены",
                  "Ошибка: трек «B»: нет файла высот N44E043.hgt",
                  "Ошибка: трек «B»: меньше двух точек с высотой после удаления повторов, подъёмы не построены"}));
}

} // namespace
} // namespace passcat::tracks
