#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "platform/input_text_detection.h"
#include "run/calculation_run.h"
#include "run/tile_folder.h"

namespace passcat {

// A GPS track as the input of a run: read whole, its climbs handed on as the profile
// text that --write-profile keeps, in the report's encoding, so that evaluating the
// track and evaluating that file give the same report.
class TrackInput {
public:
    // False when the file is refused as a whole: failure() says why, and nothing may
    // be written. tiles, when given, are the terrain heights (listed already).
    bool read(const RunInput& input, const QString& resultPath, ReportEncoding encoding, TileFolder* tiles);

    const QString& failure() const { return failure_; }
    // What went wrong with single tracks; the run goes on.
    const QStringList& notices() const { return notices_; }
    // Tracks without a climb of the minimum: worth saying, but not a fault.
    const QStringList& withoutClimbs() const { return withoutClimbs_; }
    LineSource& lines() { return lines_; }
    // Where each block lies on its track.
    std::vector<tracks::TrackConversion::Place>& places() { return places_; }
    InputText inputText() const { return inputText_; }

    // Writes the profile file when one was asked for; false, with failure(), when it
    // could not be written (the previous file is then as it was).
    bool saveProfile();

private:
    QString failure_;
    QStringList notices_;
    QStringList withoutClimbs_;
    QString profilePath_;
    std::string profile_;
    std::vector<tracks::TrackConversion::Place> places_;
    TextLineSource lines_{profile_};
    InputText inputText_ = InputText::Ascii;
};

} // namespace passcat
