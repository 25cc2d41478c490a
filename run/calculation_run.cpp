#include "run/calculation_run.h"

#include <QFile>
#include <QTemporaryFile>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "engine/block_evaluation.h"
#include "run/block_chart.h"
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

// Takes the evaluated blocks in file order: writes the sections and shows each
// rejected block with its place in the file.
class RunResults final : public EvaluatedBatches {
public:
    RunResults(RunObserver& observer, SafeResultFile& result, char decimalSeparator)
        : observer_(observer), result_(result), decimalSeparator_(decimalSeparator)
    {
    }

    bool anyRejected() const { return anyRejected_; }

    // False once a write failed: that ends the run.
    bool batchDone(const EvaluatedBatch& batch) override
    {
        const std::string_view sections = batch.sections;
        std::size_t written = 0; // sections up to here are in the result
        for (std::size_t k = 0; k < batch.blocks.size(); ++k) {
            const EvaluatedBatch::Block& block = batch.blocks[k];
            if (block.evaluation.figures) {
                observer_.chartReady(BlockNumber(batch.firstBlockNumber + k),
                                     ChartOfBlock(*block.evaluation.figures, decimalSeparator_));
            }
            if (block.evaluation.outcome != BlockOutcome::Rejected)
                continue;
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
                observer_.showMessage({RunMessage::Kind::BlockRejected,
                                       QString::fromStdString(block.evaluation.rejection->message),
                                       BlockNumber(batch.firstBlockNumber + k),
                                       static_cast<qint64>(block.evaluation.rejection->titleLineNumber)});
            }
        }
        result_.writeText(sections.substr(written));
        return !result_.hasError();
    }

private:
    // Saturates rather than overflows on an input of more than two thousand million blocks.
    static int BlockNumber(std::uint64_t number)
    {
        return static_cast<int>(std::min<std::uint64_t>(number, std::numeric_limits<int>::max()));
    }

    RunObserver& observer_;
    SafeResultFile& result_;
    char decimalSeparator_;
    bool anyRejected_ = false;
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

EvaluationSettings MakeEvaluationSettings(const RunSettings& settings, const ReportFormat& format,
                                          const ReferenceTables& tables, TextEncoding encoding)
{
    EvaluationSettings evaluation;
    evaluation.tables = tables;
    evaluation.weighting = settings.weighting;
    if (encoding == TextEncoding::Cp1251)
        evaluation.labels = evaluation.labels.transformed(Utf8ToCp1251);
    evaluation.format.decimalSeparator = format.decimalSeparator;
    return evaluation;
}

// How the messages name the two ends of a run.
QString InputName(const RunSettings& settings)
{
    return settings.inputIsStandardInput ? QStringLiteral("стандартный ввод")
                                         : QStringLiteral("файл ") + DisplayPath(settings.inputPath);
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

QString ReadFailure(const RunSettings& settings, const QString& reason, bool resultInPlace)
{
    return QStringLiteral("Ошибка: не удалось прочитать %1 (%2); %3")
        .arg(InputName(settings), reason, ResultLeft(resultInPlace, "файл результата не изменен"));
}

QString WriteFailure(const RunSettings& settings, const QString& reason, bool resultInPlace)
{
    return QStringLiteral("Ошибка: не удалось записать %1 (%2); %3")
        .arg(ResultName(settings), reason, ResultLeft(resultInPlace, "прежний файл не изменен"));
}

// True when the result would be written into the input itself.
bool ResultIsInput(const RunSettings& settings)
{
    constexpr int kStandardInput = 0;
    constexpr int kStandardOutput = 1;
    if (settings.inputIsStandardInput) {
        return settings.resultIsStandardOutput ? SameExistingFile(kStandardInput, kStandardOutput)
                                               : SameExistingFile(kStandardInput, settings.resultPath);
    }
    return settings.resultIsStandardOutput ? SameExistingFile(kStandardOutput, settings.inputPath)
                                           : SameExistingFile(settings.inputPath, settings.resultPath);
}

} // namespace

RunOutcome PerformCalculationRun(const RunSettings& settings, const ReportFormat& format, RunObserver& observer)
{
    observer.setBusy(true);
    const ReferenceTables tables = LoadReferenceTables(settings.regionIndex);

    // Every way out ends the busy state, before a message keeps the user waiting.
    const auto fail = [&observer](RunMessage::Kind kind, const QString& text) {
        observer.setBusy(false);
        observer.showMessage({kind, text, 0, 0});
        return RunOutcome::Failed;
    };
    const auto runFailed = [&fail](const QString& text) { return fail(RunMessage::Kind::RunFailed, text); };

    const InputPlace place = settings.inputIsStandardInput ? InputPlace::Stream : FindInput(settings.inputPath);
    if (place == InputPlace::Missing) {
        return fail(RunMessage::Kind::MissingInput,
                    QStringLiteral("Ошибка: не найден файл ") + DisplayPath(settings.inputPath));
    }
    if (ResultIsInput(settings))
        return runFailed(
            QStringLiteral("Ошибка: %1 совпадает с файлом данных; файлы не изменены").arg(ResultName(settings)));

    observer.inputFound();
    // A GPS track is read whole first; its climbs go on as profile text.
    TrackInput track;
    const bool isTrack = !settings.inputIsStandardInput && TrackInput::IsTrackPath(settings.inputPath);
    if (isTrack && !track.read(settings, format.encoding))
        return runFailed(track.failure());
    for (const QString& notice : track.notices())
        observer.showMessage({RunMessage::Kind::TrackNotice, notice, 0, 0});
    QFile inputFile(settings.inputPath);
    QString openError;
    const bool opened = isTrack                       ? true
        : settings.inputIsStandardInput               ? OpenStandardInput(inputFile, openError)
        : place == InputPlace::Stream                 ? OpenStreamForReading(inputFile, openError)
                                                      : OpenRegularFileForReading(inputFile, openError);
    if (!opened)
        return runFailed(QStringLiteral("Ошибка: не удалось открыть %1 (%2)").arg(InputName(settings), openError));

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
            return runFailed(ReadFailure(settings, scan.errorString, settings.resultIsStandardOutput));
        inputText = scan.text;
        if (stream)
            inputDevice = &spool;
    }
    EvaluationSettings evaluation =
        MakeEvaluationSettings(settings, format, tables, ChosenEncoding(format.encoding, inputText));
    evaluation.keepFigures = observer.wantsCharts();

    std::optional<SafeResultFile> resultFile;
    if (settings.resultIsStandardOutput)
        resultFile.emplace(SafeResultFile::StandardOutput{});
    else
        resultFile.emplace(settings.resultPath);
    SafeResultFile& result = *resultFile;
    if (!result.open())
        return runFailed(
            QStringLiteral("Ошибка: не удалось создать %1 (%2)").arg(ResultName(settings), result.errorString()));

    // The blocks are read on one thread and evaluated on others; their sections and
    // messages come back to this thread in file order. A failed read ends the input,
    // a failed write ends the run.
    FileLineSource input(*inputDevice);
    RunResults results(observer, result, format.decimalSeparator);
    PipelineOptions pipeline;
    pipeline.inputFailed = [&input] { return input.hasError(); };
    EvaluateInputBlocks(isTrack ? track.lines() : input, evaluation, results, pipeline);
    if (input.hasError() || result.hasError()) {
        result.discard();
        return runFailed(input.hasError() ? ReadFailure(settings, input.errorString(), result.writesInPlace())
                                          : WriteFailure(settings, result.errorString(), result.writesInPlace()));
    }
    if (!track.saveProfile()) {
        result.discard();
        return runFailed(track.failure());
    }
    if (!result.commit())
        return runFailed(WriteFailure(settings, result.errorString(), result.writesInPlace()));

    observer.setBusy(false);
    return results.anyRejected() || !track.notices().isEmpty() ? RunOutcome::SomeRejected : RunOutcome::AllAccepted;
}

} // namespace passcat
