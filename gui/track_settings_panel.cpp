#include "gui/track_settings_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "gui/file_dialog.h"
#include "gui/program_settings.h"
#include "run/tile_folder.h"
#include "run/track_values.h"

namespace passcat {
namespace {

const QString kFolderKey = QStringLiteral("tracks/terrainFolder");
const QString kModeKey = QStringLiteral("tracks/terrainMode");

QString Join(const std::set<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list.join(QStringLiteral(", "));
}

QLabel* Line(const char* objectName)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TrackSettingsPanel::TrackSettingsPanel(FileDialog& fileDialog, QWidget* parent)
    : QGroupBox(QStringLiteral("Настройки трека"), parent), fileDialog_(fileDialog)
{
    setObjectName(QStringLiteral("TrackSettings"));
    smooth_ = numberBox("TrackSmooth", 40);
    minClimb_ = numberBox("TrackMinClimb", 60);
    simplify_ = numberBox("TrackSimplify", 60);
    surface_ = numberBox("TrackSurface", 60);
    wholeTracks_ = new QCheckBox(QStringLiteral("Треки целиком"));
    wholeTracks_->setObjectName(QStringLiteral("TrackWholeTracks"));
    folder_ = new QLineEdit;
    folder_->setObjectName(QStringLiteral("TerrainFolder"));
    folder_->setPlaceholderText(QStringLiteral("нет: высоты трека"));
    auto* browse = new QPushButton(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("TerrainBrowse"));
    browse->setAutoDefault(false);
    mode_ = new QComboBox;
    mode_->setObjectName(QStringLiteral("TerrainMode"));
    mode_->addItems({QStringLiteral("точкам без высоты"), QStringLiteral("всем точкам вместо их высот")});
    tiles_ = Line("TerrainTiles");
    message_ = Line("TrackMessage");

    auto* profile = new QHBoxLayout;
    for (auto [caption, box] : {std::pair{"Сглаживание, точек", smooth_}, {"Наименьший подъём, м", minClimb_},
                                {"Упрощение, м", simplify_}, {"Покрытие", surface_}}) {
        profile->addWidget(new QLabel(QString::fromUtf8(caption)));
        profile->addWidget(box);
        profile->addSpacing(8);
    }
    profile->addWidget(wholeTracks_);
    profile->addStretch();
    auto* terrain = new QHBoxLayout;
    terrain->addWidget(new QLabel(QStringLiteral("Высоты рельефа (SRTM)")));
    terrain->addWidget(folder_, 1);
    terrain->addWidget(browse);
    terrain->addWidget(mode_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(profile);
    layout->addLayout(terrain);
    layout->addWidget(tiles_);
    layout->addWidget(message_);
    tiles_->hide();
    message_->hide();

    using Read = QString (*)(const QString&, tracks::ProfileOptions&);
    for (auto [box, name, read] : {std::tuple{smooth_, "сглаживание", Read{ReadSmooth}},
                                   {minClimb_, "наименьший подъём", Read{ReadMinClimb}},
                                   {simplify_, "упрощение", Read{ReadSimplify}}, {surface_, "покрытие", Read{ReadSurface}}})
        connect(box, &QLineEdit::editingFinished, this, [this, box, name, read] { takeNumber(box, name, read); });
    connect(wholeTracks_, &QCheckBox::toggled, this, [this](bool whole) {
        TrackSettings settings = settings_;
        settings.profile.wholeTracks = whole;
        take(settings);
    });
    connect(folder_, &QLineEdit::editingFinished, this, [this] { takeFolder(folder_->text()); });
    connect(browse, &QPushButton::clicked, this, [this] {
        if (const QString chosen = fileDialog_.askFolder(this, settings_.terrainFolder); !chosen.isEmpty())
            takeFolder(chosen);
    });
    connect(mode_, &QComboBox::activated, this, [this](int index) {
        TrackSettings settings = settings_;
        settings.profile.terrainMode = index == 1 ? tracks::TerrainMode::Replace : tracks::TerrainMode::Fill;
        take(settings);
    });
}

TrackSettings TrackSettingsPanel::Remembered()
{
    const QSettings settings = ProgramSettings();
    TrackSettings remembered;
    remembered.terrainFolder = settings.value(kFolderKey).toString();
    if (settings.value(kModeKey).toString() == QLatin1String("replace"))
        remembered.profile.terrainMode = tracks::TerrainMode::Replace;
    return remembered;
}

QLineEdit* TrackSettingsPanel::numberBox(const char* objectName, int width)
{
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(objectName));
    box->setFixedWidth(width);
    return box;
}

void TrackSettingsPanel::setSettings(const TrackSettings& settings)
{
    settings_ = settings;
    const tracks::ProfileOptions& profile = settings.profile;
    smooth_->setText(QString::number(profile.smooth));
    minClimb_->setText(QString::number(profile.minClimb));
    simplify_->setText(QString::number(profile.simplify));
    surface_->setText(QString::fromStdString(profile.surface));
    const QSignalBlocker blocker(wholeTracks_);
    wholeTracks_->setChecked(profile.wholeTracks);
    folder_->setText(settings.terrainFolder);
    mode_->setCurrentIndex(profile.terrainMode == tracks::TerrainMode::Replace ? 1 : 0);
}

void TrackSettingsPanel::showTiles(const RunResult& run)
{
    tiles_->setVisible(run.terrainTiles.has_value());
    if (!run.terrainTiles)
        return;
    const RunResult::TerrainTiles& tiles = *run.terrainTiles;
    QString text = QStringLiteral("Файлы высот: ") +
                   (tiles.used.empty() ? QStringLiteral("ни один не прочитан") : QStringLiteral("прочитаны ") + Join(tiles.used));
    if (!tiles.missing.empty())
        text += QStringLiteral("; нет файлов ") + Join(tiles.missing);
    tiles_->setText(text);
}

void TrackSettingsPanel::showMessage(const QString& text)
{
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
    refused_ = false;
}

void TrackSettingsPanel::showRefusal(const QString& text)
{
    showMessage(text);
    refused_ = true;
}

// A setting that changed: remembered when it is the terrain's, and handed on.
void TrackSettingsPanel::take(TrackSettings settings)
{
    if (refused_)
        showMessage({});
    if (settings == settings_)
        return;
    settings_ = std::move(settings);
    QSettings remembered = ProgramSettings();
    remembered.setValue(kFolderKey, settings_.terrainFolder);
    remembered.setValue(kModeKey, settings_.profile.terrainMode == tracks::TerrainMode::Replace ? "replace" : "fill");
    showMessage({});
    if (changed_)
        changed_(settings_);
}

void TrackSettingsPanel::takeNumber(QLineEdit* box, const char* name, QString (*read)(const QString&, tracks::ProfileOptions&))
{
    TrackSettings settings = settings_;
    if (const QString refusal = read(box->text(), settings.profile); !refusal.isEmpty())
        return showRefusal(QStringLiteral("Ошибка: %1: %2").arg(QString::fromUtf8(name), refusal));
    take(settings);
}

// A folder is checked as the run checks it; an empty one means none.
void TrackSettingsPanel::takeFolder(const QString& folder)
{
    folder_->setText(folder);
    if (TileFolder tiles; !folder.isEmpty() && !tiles.list(folder))
        return showRefusal(tiles.failure());
    TrackSettings settings = settings_;
    settings.terrainFolder = folder;
    take(settings);
}

} // namespace passcat
