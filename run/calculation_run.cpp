#include "run/calculation_run.h"

#include <QFile>
#include <QTemporaryFile>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "engine/block_evaluation.h"
#include "run/block_pipeline.h"
#include "run/track_input.h"
#include "platform/file_identity.h"
#include "platform/file_line_source.h"
#include "platform/input_stream.h"
#include "platform/input_text_detection.h"
#include "platform/native_path.h"
#include "platform/regular_file.h"
#include "platform/safe_result_file.h"
#include "platform/text_encoding.h"

namespace passcat {
namespace {

// Shows a run's messages as they come and keeps them in its result.
class ShownRun {
public:
    ShownRun(RunPresenter& presenter, RunResult& result) : presenter_(presenter), result_(result) {}

    void show(RunMessage message)
    {
        presenter_.showMessage(message);
        result_.messages.push_back(std::move(message));
    }

    // Every way out of a failed run ends the busy state, before a message keeps the
    // user waiting.
    RunResult fail(RunMessage::Kind kind, const QString& text)
    {
        presenter_.setBusy(false);
        show({kind, text, 0, 0});
        result_.outcome = RunOutcome::Failed;
        result_.exitStatus = ExitStatusOf(result_.outcome);
        return std::move(result_);
    }

    RunResult fail(const QString& text) { return fail(RunMessage::Kind::RunFailed, text); }

private:
    RunPresenter& presenter_;
    RunResult& result_;
};

// Takes the evaluated blocks in file order: writes the sections, keeps every block's
// record and shows each rejected block with its place in the file.
class BlockRecords final : public EvaluatedBatches {
public:
    BlockRecords(ShownRun& shown, std::deque<RunBlock>& blocks, SafeResultFile& result)
        : shown_(shown), blocks_(blocks), result_(result)
    {
    }

    bool anyRejected() const { return anyRejected_; }

    // False once a write failed: that ends the run.
    bool batchDone(EvaluatedBatch& batch) override
    {
        const std::string_view sections = batch.sections;
        std::size_t written = 0; // sections up to here are in the result
        for (std::size_t k = 0; k < batch.blocks.size(); ++k) {
            EvaluatedBatch::Block& block = batch.blocks[k];
            BlockEvaluation& evaluation = block.evaluation;
            if (evaluation.outcome == BlockOutcome::NoBlock)
                continue;
            const std::uint64_t number = batch.firstBlockNumber + k;
            if (evaluation.outcome == BlockOutcome::Accepted) {
                blocks_.push_back({number, std::move(evaluation.summary), KeptApart(std::move(evaluation.rated))});
                continue;
            }
            // What came before is written first, so that a failed write stops the run
            // before this block's message.
            result_.writeText(sections.substr(written, block.sectionEnd - written));
            written = block.sectionEnd;
            if (result_.hasError())
                return false;
            anyRejected_ = true;
            // A block cut short by a failed read is no fault of the file: the run reports
            // the read failure instead.
            if (!block.inputFailedWhenRead) {
                shown_.show({RunMessage::Kind::BlockRejected, QString::fromStdString(*evaluation.summary.rejection),
                             BlockNumber(number), static_cast<qint64>(evaluation.summary.titleLineNumber)});
            }
            blocks_.push_back({number, std::move(evaluation.summary), nullptr});
        }
        result_.writeText(sections.substr(written));
        return !result_.hasError();
    }

private:
    static std::shared_ptr<const RatedBlock> KeptApart(std::optional<RatedBlock> rated)
    {
        return rated ? std::make_shared<const RatedBlock>(std::move(*rated)) : nullptr;
    }

    // Saturates rather than overflows on an input of more than two thousand million blocks.
    static int BlockNumber(std::uint64_t number)
    {
        return static_cast<int>(std::min<std::uint64_t>(number, std::numeric_limits<int>::max()));
    }

    ShownRun& shown_;
    std::deque<RunBlock>& blocks_;
    SafeResultFile& result_;
    bool anyRejected_ = false;
};

// Hands the lines of a source on, keeping each followed by CR LF: read again, the kept
// text gives the same lines.
class KeptLines final : public LineSource {
public:
    KeptLines(LineSource& source, std::string& kept) : source_(source), kept_(kept) {}

    bool atEnd() override { return source_.atEnd(); }
    std::optional<std::string_view> readLine() override
    {
        const auto line = source_.readLine();
        if (line) {
            kept_.append(*line);
            kept_.append("\r\n");
        }
        return line;
    }
    std::uint64_t lineNumber() const override { return source_.lineNumber(); }

private:
    LineSource& source_;
    std::string& kept_;
};

TextEncoding ChosenEncoding(ReportEncoding encoding, InputText inputText)
{
    switch (encoding) {
    case ReportEncoding::Cp1251:
        return TextEncoding::Cp1251;
    case ReportEncoding::Utf8:
        return TextEncoding::Utf8;
    case ReportEncoding::Auto:
        break;
    }
    return EncodingForInput(inputText);
}

EvaluationSettings MakeEvaluationSettings(const RunSettings& settings, const ReportFormat& format, TextEncoding encoding)
{
    EvaluationSettings evaluation;
    evaluation.tables = LoadReferenceTables(settings.regionIndex);
    evaluation.weighting = settings.weighting;
    if (encoding == TextEncoding::Cp1251)
        evaluation.labels = evaluation.labels.transformed(Utf8ToCp1251);
    evaluation.format.decimalSeparator = format.decimalSeparator;
    evaluation.keepRatedBlocks = settings.keepRatedBlocks;
    return evaluation;
}

// How the messages name the two ends of a run.
QString InputName(const RunInput& input)
{
    return input.kind == RunInput::Kind::StandardInput ? QStringLiteral("стандартный ввод")
                                                       : QStringLiteral("файл ") + DisplayPath(input.path);
}

QString ResultName(const RunSettings& settings)
{
    return settings.resultIsStandardOutput ? QStringLiteral("стандартный вывод")
                                           : QStringLiteral("файл результата ") + DisplayPath(settings.resultPath);
}

// What a failed run left of the result: a result written in place keeps what it got.
QString ResultLeft(bool inPlace, const char* kept)
{
    return inPlace ? QStringLiteral("отчет может быть неполным") : QString::fromUtf8(kept);
}

QString ReadFailure(const RunInput& input, const QString& reason, bool resultInPlace)
{
    return QStringLiteral("Ошибка: не удалось прочитать %1 (%2); %3")
        .arg(InputName(input), reason, ResultLeft(resultInPlace, "файл результата не изменен"));
}

QString WriteFailure(const RunSettings& settings, const QString& reason, bool resultInPlace)
{
    return QStringLiteral("Ошибка: не удалось записать %1 (%2); %3")
        .arg(ResultName(settings), reason, ResultLeft(resultInPlace, "прежний файл не изменен"));
}

// True when the result would be written into the input itself.
bool ResultIsInput(const RunInput& input, const RunSettings& settings)
{
    constexpr int kStandardInput = 0;
    constexpr int kStandardOutput = 1;
    if (input.kind == RunInput::Kind::StandardInput) {
        return settings.resultIsStandardOutput ? SameExistingFile(kStandardInput, kStandardOutput)
                                               : SameExistingFile(kStandardInput, settings.resultPath);
    }
    return settings.resultIsStandardOutput ? SameExistingFile(kStandardOutput, input.path)
                                           : SameExistingFile(input.path, settings.resultPath);
}

// Opens a profile's text: standard input, or a file that is still what was found.
bool OpenProfileText(const RunInput& input, InputPlace place, QFile& file, QString& error)
{
    if (input.kind == RunInput::Kind::StandardInput)
        return OpenStandardInput(file, error);
    return place == InputPlace::Stream ? OpenStreamForReading(file, error) : OpenRegularFileForReading(file, error);
}

} // namespace

RunResult PerformCalculationRun(const RunInput& input, const RunSettings& settings, const ReportFormat& format,
                                RunPresenter& presenter)
{
    RunResult run;
    run.inputPath = input.path;
    run.regionIndex = settings.regionIndex;
    ShownRun shown(presenter, run);
    presenter.setBusy(true);

    const bool isTrack = input.kind == RunInput::Kind::TrackFile;
    const bool isStandardInput = input.kind == RunInput::Kind::StandardInput;
    const InputPlace place = isStandardInput ? InputPlace::Stream : FindInput(input.path);
    if (place == InputPlace::Missing)
        return shown.fail(RunMessage::Kind::MissingInput, QStringLiteral("Ошибка: не найден файл ") + DisplayPath(input.path));
    if (ResultIsInput(input, settings))
        return shown.fail(QStringLiteral("Ошибка: %1 совпадает с файлом данных; файлы не изменены").arg(ResultName(settings)));

    // The folder of terrain heights is checked whenever one is given.
    TileFolder tiles;
    const bool withTerrain = !input.track.terrainFolder.isEmpty();
    if (withTerrain && !tiles.list(input.track.terrainFolder))
        return shown.fail(tiles.failure());

    // A GPS track is read whole first; its climbs go on as profile text.
    TrackInput track;
    if (isTrack && !track.read(input, settings.resultPath, format.encoding, withTerrain ? &tiles : nullptr))
        return shown.fail(track.failure());
    run.trackPlaces = std::move(track.places());
    if (isTrack && withTerrain)
        run.terrainTiles = RunResult::TerrainTiles{tiles.used(), tiles.missing()};
    for (const QString& notice : track.notices())
        shown.show({RunMessage::Kind::TrackNotice, notice, 0, 0});
    for (const QString& notice : track.withoutClimbs())
        shown.show({RunMessage::Kind::NoClimbs, notice, 0, 0});
    QFile inputFile(input.path);
    if (QString openError; !isTrack && !OpenProfileText(input, place, inputFile, openError))
        return shown.fail(QStringLiteral("Ошибка: не удалось открыть %1 (%2)").arg(InputName(input), openError));

    // The encoding must be known before the first line is written: a file is scanned
    // and rewound, a stream is kept in a temporary file that is read in its place.
    QTemporaryFile spool;
    QIODevice* inputDevice = &inputFile;
    InputText inputText = InputText::Ascii;
    if (format.encoding == ReportEncoding::Auto) {
        const bool stream = !isTrack && place == InputPlace::Stream;
        const InputTextScan scan = isTrack ? InputTextScan{true, track.inputText(), {}}
            : stream                       ? SpoolInput(inputFile, spool)
                                           : ScanInputText(inputFile);
        if (!scan.ok)
            return shown.fail(ReadFailure(input, scan.errorString, settings.resultIsStandardOutput));
        inputText = scan.text;
        if (stream)
            inputDevice = &spool;
    }
    run.evaluation = MakeEvaluationSettings(settings, format, ChosenEncoding(format.encoding, inputText));

    std::optional<SafeResultFile> resultFile;
    if (settings.resultIsStandardOutput)
        resultFile.emplace(SafeResultFile::StandardOutput{});
    else
        resultFile.emplace(settings.resultPath);
    SafeResultFile& result = *resultFile;
    if (!result.open())
        return shown.fail(QStringLiteral("Ошибка: не удалось создать %1 (%2)").arg(ResultName(settings), result.errorString()));

    // The blocks are read on one thread and evaluated on others; their sections and
    // messages come back to this thread in file order. A failed read ends the input,
    // a failed write ends the run.
    FileLineSource inputLines(*inputDevice);
    BlockRecords records(shown, run.blocks, result);
    PipelineOptions pipeline;
    pipeline.inputFailed = [&inputLines] { return inputLines.hasError(); };
    LineSource& lines = isTrack ? track.lines() : inputLines;
    KeptLines keptLines(lines, run.profileText);
    EvaluateInputBlocks(settings.keepProfileText ? keptLines : lines, run.evaluation, records, pipeline);
    if (inputLines.hasError() || result.hasError()) {
        result.discard();
        return shown.fail(inputLines.hasError() ? ReadFailure(input, inputLines.errorString(), result.writesInPlace())
                                                : WriteFailure(settings, result.errorString(), result.writesInPlace()));
    }
    if (!track.saveProfile()) {
        result.discard();
        return shown.fail(track.failure());
    }
    if (!result.commit())
        return shown.fail(WriteFailure(settings, result.errorString(), result.writesInPlace()));

    presenter.setBusy(false);
    run.outcome = records.anyRejected() || !track.notices().isEmpty() ? RunOutcome::SomeRejected : RunOutcome::AllAccepted;
    run.exitStatus = ExitStatusOf(run.outcome);
    return run;
}

} // namespace passcat
