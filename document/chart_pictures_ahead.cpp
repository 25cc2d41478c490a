#include "document/chart_pictures_ahead.h"

#include <QImage>

#include <algorithm>

#include "chart/chart_font.h"
#include "chart/chart_renderer.h"
#include "document/quick_png.h"
#include "document/trip_document.h"

namespace passcat {
namespace {

QByteArray ChartPicture(const TripReport& report, std::size_t place, const ChartFonts& fonts, QImage& image)
{
    PaintChartImage(image, LayOutChartAt(report, place, fonts), fonts);
    return QuickPng(image);
}

} // namespace

ChartPicturesAhead::ChartPicturesAhead(const TripReport& report) : report_(report), places_(ChartPlaces(report))
{
    const std::size_t helpers = std::min<std::size_t>(std::max(std::thread::hardware_concurrency(), 1u), places_.size());
    ahead_ = 2 * helpers;
    helpers_.reserve(helpers);
    try {
        for (std::size_t k = 0; k < helpers; ++k)
            helpers_.emplace_back([this] { help(); });
    } catch (const std::exception&) {
        // A thread that could not start, or its state not allocated: fewer helpers, or
        // none, and the asking thread makes what no helper has started.
    }
}

ChartPicturesAhead::~ChartPicturesAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    roomAhead_.notify_all();
}

QByteArray ChartPicturesAhead::takeNext()
{
    std::unique_lock lock(mutex_);
    const std::size_t index = taken_;
    if (index == places_.size())
        return {};
    Made made;
    if (claimed_ == index) {
        ++claimed_;
        lock.unlock();
        made = makeHere(places_[index]);
        lock.lock();
    } else {
        madeOne_.wait(lock, [&] { return made_.contains(index); });
        const auto done = made_.find(index);
        made = std::move(done->second);
        made_.erase(done);
    }
    ++taken_;
    lock.unlock();
    roomAhead_.notify_all();
    if (made.error)
        std::rethrow_exception(made.error);
    return made.picture;
}

ChartPicturesAhead::Made ChartPicturesAhead::make(std::size_t place, const ChartFonts& fonts, QImage& image) const
{
    try {
        return {ChartPicture(report_, place, fonts, image), nullptr};
    } catch (...) {
        return {{}, std::current_exception()};
    }
}

ChartPicturesAhead::Made ChartPicturesAhead::makeHere(std::size_t place) const
{
    QImage image(kOdtChartPixels, QImage::Format_RGB32);
    return make(place, ChartFonts(), image);
}

// A helper's fonts and image serve every chart it draws.
void ChartPicturesAhead::help()
{
    const ChartFonts fonts;
    QImage image(kOdtChartPixels, QImage::Format_RGB32);
    std::unique_lock lock(mutex_);
    for (;;) {
        roomAhead_.wait(lock, [&] { return stopping_ || claimed_ == places_.size() || claimed_ < taken_ + ahead_; });
        if (stopping_ || claimed_ == places_.size())
            return;
        const std::size_t index = claimed_++;
        lock.unlock();
        Made made = make(places_[index], fonts, image);
        lock.lock();
        made_.emplace(index, std::move(made));
        madeOne_.notify_all();
    }
}

} // namespace passcat
