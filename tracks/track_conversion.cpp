#include "tracks/track_conversion.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>

#include "tracks/block_text.h"
#include "tracks/climbs.h"
#include "tracks/simplification.h"
#include "tracks/track_messages.h"
#include "tracks/track_profile.h"

namespace passcat::tracks {
namespace {

// A waypoint names a climb whose top lies at most this far from it.
constexpr double kWaypointReach = 200; // metres
// A degree of latitude spans at least 110.57 km, so 0.002 degrees are more than
// kWaypointReach: waypoints farther north or south need no geodesic.
constexpr double kWaypointLatitudeWindow = 0.002;

struct ClimbBlock {
    double topLatitude = 0;
    double topLongitude = 0;
    std::size_t number = 0; // in its track, from 1
    double startMetres = 0; // from the track's first point
    std::string lines;      // the data lines
};

struct Notice {
    std::string text;
    bool oncePerRun = false; // about a tile, not the track: shown where first met
};

struct TrackResult {
    std::string name;
    bool afterTracks = false;
    std::vector<Notice> notices;
    std::optional<std::string> withoutClimbs;
    std::vector<ClimbBlock> climbs;
};

// One track at a time, into its climbs; the buffers stay for the next track.
class TrackProcessor {
public:
    TrackProcessor(const ProfileOptions& options, std::string_view defaultName, TerrainModel* terrain)
        : options_(options), defaultName_(defaultName)
    {
        if (terrain)
            terrain_.emplace(*terrain);
    }

    TrackResult process(Track& track)
    {
        TrackResult result;
        result.name = track.name.empty() ? defaultName_ : track.name;
        result.afterTracks = track.afterTracks;
        if (track.skippedPoints > 0)
            result.notices.push_back({messages::SkippedPoints(result.name, track.skippedPoints)});
        DropRepeatedPositions(track);
        if (terrain_) {
            TerrainGaps gaps;
            terrain_->apply(track, options_.terrainMode, gaps);
            for (std::string& fault : gaps.faults)
                result.notices.push_back({std::move(fault), true});
            if (!gaps.missing.empty())
                result.notices.push_back({messages::MissingTiles(result.name, gaps.missing)});
        }
        MeasureDistances(track.latitudes, track.longitudes, distances_);
        const std::optional<ElevatedSpan> elevated = InterpolateElevations(track.elevations, distances_);
        if (!elevated || elevated->last == elevated->first) {
            result.notices.push_back({messages::TooFewPoints(result.name)});
            return result;
        }
        const std::size_t first = elevated->first;
        const std::size_t count = elevated->last - first + 1;
        const std::span<const double> s(distances_.data() + first, count);
        const std::span<double> h(track.elevations.data() + first, count);
        SmoothHeights(h, options_.smooth);
        const std::vector<Climb> climbs =
            options_.wholeTracks ? std::vector<Climb>{{0, count - 1}} : FindClimbs(h, options_.minClimb);
        if (climbs.empty())
            result.withoutClimbs = messages::NoClimbs(result.name, LargestRise(h), options_.minClimb);
        for (const Climb& climb : climbs) {
            SimplifyProfile(s, h, climb.bottom, climb.top, options_.simplify, kept_);
            ClimbBlock block{track.latitudes[first + climb.top], track.longitudes[first + climb.top],
                             result.climbs.size() + 1, s[kept_.front()], {}};
            AppendClimbLines(s, h, kept_, options_.surface, block.lines);
            result.climbs.push_back(std::move(block));
        }
        return result;
    }

private:
    const ProfileOptions& options_;
    std::string defaultName_;
    std::optional<TerrainSampler> terrain_;
    std::vector<double> distances_;
    std::vector<std::size_t> kept_;
};

// Takes the tracks as the reader completes them and keeps the waypoints. A large
// track goes to the helper, once it is done with the one before; without a helper the
// reader processes it itself.
class Collector final : public TrackSink {
public:
    // Tracks smaller than this are processed at once: handing them over costs more.
    static constexpr std::size_t kHandOverPoints = 4096;

    Collector(const ProfileOptions& options, std::string_view defaultName, TerrainModel* terrain)
        : processor_(options, defaultName, terrain), helperProcessor_(options, defaultName, terrain)
    {
    }

    // Reads the whole input; with sharing, one lent thread helps. Nothing is thrown
    // through sharing: a failure is thrown here once every thread is done.
    ReadOutcome collect(TrackReader& reader, ByteSource& input, WorkSharing* sharing)
    {
        if (sharing == nullptr)
            return reader.read(input, *this);
        ReadOutcome outcome;
        std::exception_ptr readFailure;
        const std::thread::id readingThread = std::this_thread::get_id(); // the calling one, as without sharing
        sharing->share(1, [&] {
            std::unique_lock lock(mutex_);
            if (std::this_thread::get_id() != readingThread) {
                help(lock);
                return;
            }
            lock.unlock();
            try {
                outcome = reader.read(input, *this);
            } catch (...) {
                readFailure = std::current_exception();
            }
            lock.lock();
            readingDone_ = true;
            changed_.notify_all();
        });
        if (readFailure)
            std::rethrow_exception(readFailure);
        if (failure_)
            std::rethrow_exception(failure_);
        return outcome;
    }

    void trackRead(Track& track) override
    {
        std::unique_lock lock(mutex_);
        if (failure_)
            std::rethrow_exception(failure_);
        const std::size_t slot = results_.size();
        results_.emplace_back();
        if (helperPresent_ && track.size() >= kHandOverPoints) {
            // Reading takes longer than processing: the wait is short, and no third
            // track is held meanwhile.
            changed_.wait(lock, [this] { return helperWaiting_ || !helperPresent_; });
            if (failure_)
                std::rethrow_exception(failure_);
            if (helperWaiting_) {
                // The reader goes on with the buffer of the track before.
                std::swap(job_, track);
                jobSlot_ = slot;
                helperWaiting_ = false;
                changed_.notify_all();
                return;
            }
        }
        lock.unlock();
        TrackResult result = processor_.process(track);
        lock.lock();
        results_[slot] = std::move(result);
    }

    void waypointRead(Waypoint& waypoint) override { waypoints_.push_back(std::move(waypoint)); }

    // In file order, once collect has returned.
    std::deque<TrackResult>& results() { return results_; }
    const std::vector<Waypoint>& waypoints() const { return waypoints_; }

private:
    // Processes the tracks handed over until the reading is done.
    void help(std::unique_lock<std::mutex>& lock)
    {
        helperPresent_ = true;
        for (;;) {
            helperWaiting_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return !helperWaiting_ || readingDone_; });
            if (helperWaiting_)
                break;
            lock.unlock();
            try {
                TrackResult result = helperProcessor_.process(job_);
                lock.lock();
                results_[jobSlot_] = std::move(result);
            } catch (...) {
                lock.lock();
                failure_ = std::current_exception();
                break;
            }
        }
        helperWaiting_ = false;
        helperPresent_ = false;
        changed_.notify_all();
    }

    TrackProcessor processor_;
    TrackProcessor helperProcessor_;
    std::deque<TrackResult> results_; // a slot for every track read, filled once processed
    std::vector<Waypoint> waypoints_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Track job_;
    std::size_t jobSlot_ = 0;
    bool helperPresent_ = false; // a helper has come and not yet left
    bool helperWaiting_ = false; // for a job; the reader hands one over by clearing it
    bool readingDone_ = false;
    std::exception_ptr failure_;
};

// The waypoint nearest to each climb's top, when one is near enough.
class WaypointFinder {
public:
    explicit WaypointFinder(const std::vector<Waypoint>& waypoints) : waypoints_(waypoints)
    {
        byLatitude_.resize(waypoints.size());
        for (std::size_t k = 0; k < waypoints.size(); ++k)
            byLatitude_[k] = k;
        std::sort(byLatitude_.begin(), byLatitude_.end(), [&](std::size_t a, std::size_t b) {
            return waypoints_[a].latitude < waypoints_[b].latitude;
        });
    }

    const Waypoint* nearest(double latitude, double longitude) const
    {
        const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
        auto it = std::lower_bound(byLatitude_.begin(), byLatitude_.end(), latitude - kWaypointLatitudeWindow,
                                   [&](std::size_t k, double value) { return waypoints_[k].latitude < value; });
        const Waypoint* best = nullptr;
        std::size_t bestIndex = 0;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (; it != byLatitude_.end() && waypoints_[*it].latitude <= latitude + kWaypointLatitudeWindow; ++it) {
            const Waypoint& waypoint = waypoints_[*it];
            double distance = 0;
            earth.Inverse(latitude, longitude, waypoint.latitude, waypoint.longitude, distance);
            if (distance > kWaypointReach)
                continue;
            // The first in the file among equally near ones.
            if (distance < bestDistance || (distance == bestDistance && *it < bestIndex)) {
                best = &waypoint;
                bestIndex = *it;
                bestDistance = distance;
            }
        }
        return best;
    }

private:
    const std::vector<Waypoint>& waypoints_;
    std::vector<std::size_t> byLatitude_;
};

void AppendBlocks(const TrackResult& track, const WaypointFinder& finder, const ProfileOptions& options,
                  std::string& profile)
{
    for (const ClimbBlock& climb : track.climbs) {
        if (options.wholeTracks) {
            profile.append(track.name);
        } else if (const Waypoint* waypoint = finder.nearest(climb.topLatitude, climb.topLongitude)) {
            profile.append(waypoint->name);
        } else {
            profile.append(track.name);
            profile.append(", подъём ");
            profile.append(std::to_string(climb.number));
        }
        profile.append("\r\n");
        profile.append(climb.lines);
        profile.append("@@@\r\n");
    }
}

} // namespace

TrackConversion ConvertTracks(const TrackFormat& format, ByteSource& input, std::string_view path,
                              std::string_view defaultName, const ProfileOptions& options, WorkSharing* sharing,
                              TerrainModel* terrain)
{
    TrackConversion conversion;
    Collector collector(options, defaultName, terrain);
    const ReadOutcome outcome = collector.collect(*format.makeReader(), input, sharing);
    std::deque<TrackResult>& results = collector.results();
    if (outcome.status != ReadOutcome::Status::Read || results.empty()) {
        conversion.status = TrackConversion::Status::Refused;
        conversion.readFailed = outcome.status == ReadOutcome::Status::ReadFailed;
        conversion.refusal = outcome.status == ReadOutcome::Status::Read ? messages::NoTrack(path)
                                                                          : messages::Refusal(path, outcome);
        return conversion;
    }
    // Routes come after all tracks.
    std::stable_partition(results.begin(), results.end(), [](const TrackResult& r) { return !r.afterTracks; });
    const WaypointFinder finder(collector.waypoints());
    std::set<std::string> shownOnce;
    for (std::size_t track = 0; track < results.size(); ++track) {
        TrackResult& result = results[track];
        for (Notice& notice : result.notices) {
            if (!notice.oncePerRun || shownOnce.insert(notice.text).second)
                conversion.notices.push_back(std::move(notice.text));
        }
        if (result.withoutClimbs)
            conversion.withoutClimbs.push_back(std::move(*result.withoutClimbs));
        AppendBlocks(result, finder, options, conversion.profile);
        for (const ClimbBlock& climb : result.climbs)
            conversion.places.push_back({track, climb.startMetres});
    }
    return conversion;
}

} // namespace passcat::tracks
