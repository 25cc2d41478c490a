#pragma once

#include <QGroupBox>

#include <functional>

#include "run/run_result.h"
#include "run/track_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace passcat {

class FileDialog;

// The settings of a GPS track as input, in the results window: the profile's options as
// passcat-cli takes them, and the folder of terrain tiles with fill or replace, which
// outlive the session. A value is checked where it is typed (Enter, or leaving the box):
// a refused one is said on the panel's message line ("Ошибка: ...") and changes nothing.
// objectNames: "TrackSettings", "TrackSmooth", "TrackMinClimb", "TrackSimplify",
// "TrackSurface", "TrackWholeTracks", "TerrainFolder", "TerrainBrowse", "TerrainMode",
// "TerrainTiles" (the tiles a run used and missed), "TrackMessage".
class TrackSettingsPanel final : public QGroupBox {
public:
    using Changed = std::function<void(const TrackSettings& settings)>;

    TrackSettingsPanel(FileDialog& fileDialog, QWidget* parent = nullptr);

    // The settings a session starts with: passcat-cli's defaults, with the terrain
    // folder and mode of the last session.
    static TrackSettings Remembered();

    void setSettings(const TrackSettings& settings);
    void onChanged(Changed handler) { changed_ = std::move(handler); }
    // The tiles the run used and missed, when it had a terrain folder.
    void showTiles(const RunResult& run);
    void showMessage(const QString& text);

private:
    void showRefusal(const QString& text);
    void take(TrackSettings settings);
    void takeNumber(QLineEdit* box, const char* name, QString (*read)(const QString&, tracks::ProfileOptions&));
    void takeFolder(const QString& folder);
    QLineEdit* numberBox(const char* objectName, int width);

    FileDialog& fileDialog_;
    TrackSettings settings_;
    Changed changed_;
    QLineEdit* smooth_;
    QLineEdit* minClimb_;
    QLineEdit* simplify_;
    QLineEdit* surface_;
    QCheckBox* wholeTracks_;
    QLineEdit* folder_;
    QComboBox* mode_;
    QLabel* tiles_;
    QLabel* message_;
    bool refused_ = false; // the message line says why a value was refused
};

} // namespace passcat
