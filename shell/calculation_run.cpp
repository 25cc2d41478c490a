#include "shell/calculation_run.h"

#include <QFileInfo>

#include <limits>
#include <string_view>

#include "engine/block_evaluation.h"
#include "engine/parallel_evaluation.h"
#include "platform/file_identity.h"
#include "platform/file_line_source.h"
#include "platform/input_text_detection.h"
#include "platform/safe_result_file.h"
#include "platform/text_encoding.h"

namespace passcat {
namespace {

// Takes the blocks' results in file order: writes the sections and shows each
// rejected block with its place in the file.
class RunResults final : public OrderedBlockResults {
public:
    RunResults(RunObserver& observer, SafeResultFile& result) : observer_(observer), result_(result) {}

    bool anyRejected() const { return anyRejected_; }

    // False once a write failed: that ends the run.
    bool blockDone(const OrderedBlockResult& block) override
    {
        startBlock();
        switch (block.outcome) {
        case BlockOutcome::Accepted:
            // Consecutive sections are gathered and written at once, uncopied.
            if (!run_.empty() && run_.data() + run_.size() == block.section.data()) {
                run_ = std::string_view(run_.data(), run_.size() + block.section.size());
            } else {
                writeRun();
                run_ = block.section;
            }
            break;
        case BlockOutcome::Rejected:
            // What came before is written first, so that a failed write stops the run
            // before this block's message, as when every section was written at once.
            writeRun();
            if (result_.hasError())
                return false;
            anyRejected_ = true;
            // A block cut short by a failed read is no fault of the file: the run reports
            // the read failure instead.
            if (!block.inputFailedWhenRead) {
                observer_.showMessage({RunMessage::Kind::BlockRejected,
                                       QString::fromStdString(block.rejection->message), blockNumber_,
                                       static_cast<qint64>(block.rejection->titleLineNumber)});
            }
            break;
        case BlockOutcome::NoBlock:
            break;
        }
        return !result_.hasError();
    }

    bool sectionsDone() override
    {
        writeRun();
        return !result_.hasError();
    }

private:
    void writeRun()
    {
        if (!run_.empty())
            result_.writeText(run_);
        run_ = {};
    }

    // Saturates rather than overflows on an input of more than two thousand million blocks.
    void startBlock()
    {
        if (blockNumber_ < std::numeric_limits<int>::max())
            ++blockNumber_;
    }

    RunObserver& observer_;
    SafeResultFile& result_;
    std::string_view run_; // sections handed over and not yet written
    int blockNumber_ = 0;
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

EvaluationSettings MakeEvaluationSettings(const RunSettings& settings, const RunOptions& options,
                                          const ReferenceTables& tables, TextEncoding encoding)
{
    EvaluationSettings evaluation;
    evaluation.tables = tables;
    evaluation.interpolationByLength = settings.interpolationByLength;
    if (encoding == TextEncoding::Cp1251)
        evaluation.labels = evaluation.labels.transformed(Utf8ToCp1251);
    evaluation.format.decimalSeparator = options.decimalSeparator;
    return evaluation;
}

QString ReadFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Ошибка: не удалось прочитать файл %1 (%2); файл результата не изменен").arg(path, reason);
}

QString WriteFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Ошибка: не удалось записать файл результата %1 (%2); прежний файл не изменен")
        .arg(path, reason);
}

} // namespace

RunOutcome PerformCalculationRun(const RunSettings& settings, const RunOptions& options, RunObserver& observer)
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

    if (!QFileInfo(settings.inputPath).isFile())
        return fail(RunMessage::Kind::MissingInput, QStringLiteral("Ошибка: не найден файл ") + settings.inputPath);
    if (SameExistingFile(settings.inputPath, settings.resultPath)) {
        return runFailed(QStringLiteral("Ошибка: файл результата %1 совпадает с файлом данных; файлы не изменены")
                             .arg(settings.resultPath));
    }

    observer.inputFound();
    FileLineSource input(settings.inputPath);
    if (!input.open()) {
        return runFailed(
            QStringLiteral("Ошибка: не удалось открыть файл %1 (%2)").arg(settings.inputPath, input.errorString()));
    }
    // The encoding must be known before the first line is written.
    InputText inputText = InputText::Ascii;
    if (options.encoding == ReportEncoding::Auto) {
        const InputTextScan scan = ScanInputText(settings.inputPath);
        if (!scan.ok)
            return runFailed(ReadFailure(settings.inputPath, scan.errorString));
        inputText = scan.text;
    }
    const EvaluationSettings evaluation =
        MakeEvaluationSettings(settings, options, tables, ChosenEncoding(options.encoding, inputText));

    SafeResultFile result(settings.resultPath);
    if (!result.open()) {
        return runFailed(QStringLiteral("Ошибка: не удалось создать файл результата %1 (%2)")
                             .arg(settings.resultPath, result.errorString()));
    }

    // The blocks are read on one thread and evaluated on others; their sections and
    // messages come back to this thread in file order. A failed read ends the input,
    // a failed write ends the run.
    RunResults results(observer, result);
    ParallelEvaluationOptions parallel;
    parallel.inputFailed = [&input] { return input.hasError(); };
    EvaluateObstacleBlocks(input, evaluation, results, parallel);
    if (input.hasError() || result.hasError()) {
        result.discard();
        return runFailed(input.hasError() ? ReadFailure(settings.inputPath, input.errorString())
                                          : WriteFailure(settings.resultPath, result.errorString()));
    }
    if (!result.commit())
        return runFailed(WriteFailure(settings.resultPath, result.errorString()));

    observer.setBusy(false);
    return results.anyRejected() ? RunOutcome::SomeRejected : RunOutcome::AllAccepted;
}

} // namespace passcat
