#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "chart/chart_font.h"
#include "document/trip_report.h"

namespace passcat {

// A chart's picture in the ODT, for the 160 x 90 mm it is printed at (127 dpi): the
// chart's page drawn at half its size, more than a screen shows of it and clear
// enough on paper, with a quarter of the pixels to draw and compress that the PNG
// chart files have.
inline constexpr QSize kOdtChartPixels(800, 450);

// The PNG pictures of the document's charts, drawn and encoded on helper threads
// ahead of a writer that takes them in the document's order. No more than a few are
// held at a time: a helper waits while twice as many as there are helpers are done
// and not yet taken. A picture that no helper has started is made on the taking
// thread. The same bytes as made one at a time.
class ChartPicturesAhead {
public:
    explicit ChartPicturesAhead(const TripReport& report);
    ~ChartPicturesAhead();
    ChartPicturesAhead(const ChartPicturesAhead&) = delete;
    ChartPicturesAhead& operator=(const ChartPicturesAhead&) = delete;

    // The next chart's picture in the document's order; empty once all are taken.
    // Throws what making it threw.
    QByteArray takeNext();

private:
    struct Made {
        QByteArray picture;
        std::exception_ptr error;
    };

    void help();
    Made make(std::size_t place, const ChartFonts& fonts, QImage& image) const;
    Made makeHere(std::size_t place) const;

    const TripReport& report_;
    const std::vector<std::size_t> places_; // in the document's order
    std::size_t ahead_ = 0;                  // how many may be done and not taken
    std::mutex mutex_;
    std::condition_variable roomAhead_;
    std::condition_variable madeOne_;
    std::size_t claimed_ = 0; // of places_, those a thread has started on
    std::size_t taken_ = 0;   // of places_, those taken
    std::map<std::size_t, Made> made_; // by index into places_
    bool stopping_ = false;
    std::vector<std::jthread> helpers_;
};

} // namespace passcat
