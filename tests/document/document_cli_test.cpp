#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "chart/chart_renderer.h"
#include "document/chart_pictures_ahead.h"
#include "engine/block_evaluation.h"
#include "engine/reference_tables.h"
#include "engine/text_lines.h"
#include "run/block_chart.h"

#include <string>
#include <vector>

namespace {

// Five blocks: the classic example, a rejected one, a title with ";", quotes, a TAB
// and a character outside Windows-1251, a rejected one, and a plain one.
const QByteArray kInput = "Пример 1\r\n3100\t0\t1.2\r\n3400\t3\t1.5\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n"
                          "Отвергнутый\r\n2000\t0\t1\r\n1900\t1\t1\r\n@@@\r\n"
                          "Перевал; \"Ёж\"\tюг ⛰\r\n1200\t0\t1\r\n1450\t1.5\t1.2\r\n1700\t2.8\t1.4\r\n@@@\r\n"
                          "Один\r\n1200\t0\t1\r\n@@@\r\n"
                          "Перевал Третий\r\n500\t0\t1\r\n900\t0.7\t1.1\r\n@@@\r\n";
const std::vector<QString> kAcceptedTitles = {"Пример 1", "Перевал; \"Ёж\"\tюг ⛰", "Перевал Третий"};

// The chart of every accepted block of kInput as the ODT draws it, in the input's order.
std::vector<QImage> OdtChartsOfInput()
{
    passcat::EvaluationSettings settings;
    settings.tables = passcat::LoadReferenceTables(passcat::kDefaultRegionIndex);
    settings.keepRatedBlocks = true;
    const std::string input = kInput.toStdString();
    passcat::TextLineSource source(input);
    passcat::TextLineSink sink;
    std::vector<QImage> charts;
    while (!source.atEnd()) {
        const passcat::BlockEvaluation block = passcat::EvaluateObstacleBlock(source, sink, settings);
        if (block.rated) {
            const passcat::ChartModel chart = passcat::ChartOfRatedBlock(*block.rated, settings.format.decimalSeparator);
            charts.push_back(passcat::RenderChartImage(passcat::LayOutChart(chart), passcat::kOdtChartPixels));
        }
    }
    return charts;
}

struct CliRun {
    int status = -1;
    QString errors;
};

// A CSV file's records, quoted fields per RFC 4180; false when it is malformed.
bool ParseCsv(const QString& text, std::vector<QStringList>& records)
{
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (k + 1 < text.size() && text[k + 1] == '"')
                field += text[++k];
            else
                quoted = false;
        } else if (c == '"' && field.isEmpty()) {
            quoted = true;
        } else if (c == ';') {
            record << std::exchange(field, {});
        } else if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            record << std::exchange(field, {});
            records.push_back(std::exchange(record, {}));
            ++k;
        } else if (c == '"' || c == '\r' || c == '\n') {
            return false;
        } else {
            field += c;
        }
    }
    return !quoted && field.isEmpty() && record.isEmpty();
}

class DocumentCli : public ::testing::Test {
protected:
    void SetUp() override { write("in.txt", kInput); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    CliRun run(const QStringList& arguments, const QString& input = "in.txt") const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SOURCE_DATE_EPOCH", "1780000000"); // 2026-05-28
        process.setProcessEnvironment(environment);
        process.start(PASSCAT_CLI_PATH, QStringList{path(input)} + arguments);
        CliRun result;
        if (process.waitForFinished(120'000) && process.exitStatus() == QProcess::NormalExit)
            result.status = process.exitCode();
        result.errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // What a tool prints for the file; empty when it cannot run (scripts/setup.sh installs them).
    QString tool(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60'000))
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir dir_;
};

// The lines of the report's section that begins with title.
QStringList ReportSection(const QString& report, const QString& title)
{
    const QStringList lines = report.split("\r\n");
    const qsizetype start = lines.indexOf(title);
    return start < 0 ? QStringList() : lines.mid(start, lines.indexOf(QString(), start) - start);
}

TEST_F(DocumentCli, SummaryHoldsTheReportsNumbers)
{
    const CliRun result = run({"--summary", path("table.csv"), "--decimal-separator", ","});
    ASSERT_EQ(result.status, 1) << result.errors.toStdString();
    const QByteArray bytes = read("table.csv");
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    std::vector<QStringList> records;
    ASSERT_TRUE(ParseCsv(QString::fromUtf8(bytes.mid(3)), records)) << bytes.toStdString();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].size(), 11);
    EXPECT_EQ(records[0][0], "№");

    const QString report = QString::fromUtf8(read("rez.txt"));
    const std::vector<int> accepted = {1, 3, 5};
    for (std::size_t k = 0; k < accepted.size(); ++k) {
        const QStringList& row = records[static_cast<std::size_t>(accepted[k])];
        ASSERT_EQ(row.size(), 11) << row.join('|').toStdString();
        EXPECT_EQ(row[0], QString::number(accepted[k]));
        EXPECT_EQ(row[1], kAcceptedTitles[k]);
        // The section: title, header, one row a point but the last, then the values.
        const QStringList section = ReportSection(report, row[1]);
        ASSERT_GT(section.size(), 6) << row[1].toStdString();
        EXPECT_EQ(row[5], section[2].split('\t')[5]) << "climb: the height still to gain at the start";
        EXPECT_EQ(QStringLiteral("Категория сложности: ") + row[6], section[section.size() - 2]);
        EXPECT_EQ(QStringLiteral("Балл: ") + row[7], section[section.size() - 3]);
        EXPECT_EQ(row[9], section[1 + row[8].toInt()].split('\t')[0]) << "the recommended point's distance";
        EXPECT_EQ(row[10], "Высота");
    }
    EXPECT_EQ(records[1].mid(2, 4), QStringList({"6", "3100", "3900", "800"}));
    EXPECT_EQ(records[3][2], "2,8");
    for (const int rejected : {2, 4}) {
        const QStringList& row = records[static_cast<std::size_t>(rejected)];
        ASSERT_EQ(row.size(), 3);
        EXPECT_TRUE(row[2].startsWith("Ошибка: ")) << row[2].toStdString();
        EXPECT_TRUE(result.errors.contains(row[2])) << result.errors.toStdString();
    }
}

TEST_F(DocumentCli, DocumentsReadBackTheSameEveryTime)
{
    for (const QString name : {"trip.odt", "trip.PDF", "trip.html"}) {
        const CliRun first = run({"--document", path(name)});
        ASSERT_EQ(first.status, 1) << name.toStdString() << first.errors.toStdString();
        const QByteArray bytes = read(name);
        ASSERT_FALSE(bytes.isEmpty());
        ASSERT_EQ(run({"--document", path(name)}).status, 1);
        EXPECT_EQ(read(name), bytes) << name.toStdString() << ": another run, other bytes";
    }

    if (QStandardPaths::findExecutable("unzip").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "no unzip or pdftotext here to read the documents back (Windows)";
    const QString content = tool("unzip", {"-p", path("trip.odt"), "content.xml"});
    EXPECT_EQ(tool("unzip", {"-p", path("trip.odt"), "mimetype"}), "application/vnd.oasis.opendocument.text");
    EXPECT_EQ(content.count("<table:table-row>"), 6);
    EXPECT_EQ(content.count("<draw:image "), 3);
    EXPECT_TRUE(content.contains("Перевал Третий"));
    EXPECT_TRUE(content.contains("Ошибка: конечная точка"));
    // The mimetype first and stored, for programs that look at the first bytes; the
    // pictures stored as they are; every entry of the heading's date.
    EXPECT_EQ(read("trip.odt").mid(30, 47), "mimetypeapplication/vnd.oasis.opendocument.text");
    const QStringList entries = tool("unzip", {"-v", path("trip.odt")}).split('\n').filter("% ");
    EXPECT_EQ(entries.filter("2026-05-28 00:00").size(), entries.size() - 1); // less the total
    EXPECT_EQ(entries.filter(QRegularExpression(" Stored .*Pictures/")).size(), 3);
    // Each picture has the pixels of its block's chart drawn at the document's size.
    tool("unzip", {"-o", path("trip.odt"), "Pictures/*", "-d", path("odt")});
    const QStringList pictures = QDir(path("odt/Pictures")).entryList(QDir::Files); // in the document's order
    const std::vector<QImage> charts = OdtChartsOfInput();
    ASSERT_EQ(static_cast<std::size_t>(pictures.size()), charts.size());
    for (std::size_t k = 0; k < charts.size(); ++k) {
        const QString picture = pictures[static_cast<qsizetype>(k)];
        EXPECT_EQ(QImage(path("odt/Pictures/" + picture)).convertToFormat(QImage::Format_RGB32), charts[k])
            << picture.toStdString();
    }

    const QString text = tool("pdftotext", {"-layout", path("trip.PDF"), "-"});
    for (const QString title : {"Пример 1", "Перевал Третий", "Отвергнутый", "Один", "28.05.2026"})
        EXPECT_TRUE(text.contains(title)) << title.toStdString() << text.toStdString();
    for (const QString figure : {"Категория: 5", "Категория: 3", "Категория: 2"})
        EXPECT_TRUE(text.contains(figure)) << figure.toStdString();
    EXPECT_EQ(text.count('\f'), 4) << "a page for the heading and table, one for each accepted block";
    const QStringList fonts = tool("pdffonts", {path("trip.PDF")}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts)
        EXPECT_TRUE(font.contains(QRegularExpression(" yes +(yes|no) +(yes|no) "))) << font.toStdString();

    const QString html = QString::fromUtf8(read("trip.html"));
    EXPECT_EQ(html.count("<svg "), 3);
    EXPECT_FALSE(html.contains("<img"));
    EXPECT_TRUE(html.contains("Перевал; &quot;Ёж&quot;"));
    EXPECT_TRUE(html.contains("<title>Перевал Третий</title>"));
}

TEST_F(DocumentCli, EachOutputIsRefusedAlone)
{
    struct Case {
        QStringList arguments;
        QString message;   // the refusal
        QString written;   // still written
    };
    QDir().mkpath(path("folder.pdf"));
    const std::vector<Case> cases = {
        {{"--summary", path("in.txt"), "--document", path("d.html")},
         "таблицу " + path("in.txt") + " (совпадает с файлом данных)", "d.html"},
        {{"--summary", path("./rez.txt"), "--document", path("d.odt")},
         "таблицу " + path("./rez.txt") + " (совпадает с файлом результата)", "d.odt"},
        {{"--summary", path("s.csv"), "--document", path("none/d.pdf")}, "документ " + path("none/d.pdf") + " (", "s.csv"},
        {{"--document", path("folder.pdf"), "--summary", path("t.csv")}, "документ " + path("folder.pdf"), "t.csv"},
        {{"--summary", path("same.html"), "--document", path("same.html")},
         "документ " + path("same.html") + " (совпадает с таблицей)", "same.html"},
    };
    for (const Case& c : cases) {
        QFile::remove(path("rez.txt"));
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.errors.contains("passcat-cli: Ошибка: не удалось записать " + c.message))
            << result.errors.toStdString();
        EXPECT_TRUE(QFile::exists(path("rez.txt")));
        EXPECT_TRUE(QFile::exists(path(c.written))) << c.written.toStdString();
    }
    EXPECT_EQ(read("in.txt"), kInput);
    EXPECT_TRUE(read("same.html").startsWith("\xEF\xBB\xBF"));

    // A track's profile written beside them is one of the outputs too.
    write("climb.gpx", "<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"43\" lon=\"42\"><ele>1000</ele></trkpt>"
                       "<trkpt lat=\"43.01\" lon=\"42\"><ele>1150</ele></trkpt>"
                       "<trkpt lat=\"43.02\" lon=\"42\"><ele>1300</ele></trkpt></trkseg></trk></gpx>");
    const CliRun track = run({"--write-profile", path("p.txt"), "--summary", path("p.txt"), "--document", path("t.html")}, "climb.gpx");
    EXPECT_EQ(track.status, 2);
    EXPECT_TRUE(track.errors.contains("не удалось записать таблицу " + path("p.txt") + " (совпадает с записанным профилем)"))
        << track.errors.toStdString();
    EXPECT_TRUE(QFile::exists(path("t.html")));

    QFile::remove(path("rez.txt"));
    const CliRun unknown = run({"--document", path("trip.docx")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.errors.contains("имя документа должно оканчиваться на .odt, .pdf или .html"))
        << unknown.errors.toStdString();
    EXPECT_FALSE(QFile::exists(path("rez.txt")));
}

TEST_F(DocumentCli, NoAcceptedBlockAndTheLargestBlock)
{
    write("rejected.txt", "Один\r\n1200\t0\t1\r\n@@@\r\n");
    ASSERT_EQ(run({"--document", path("none.html"), "--summary", path("none.csv")}, "rejected.txt").status, 1);
    const QString html = QString::fromUtf8(read("none.html"));
    EXPECT_TRUE(html.contains("Ни один блок не принят"));
    EXPECT_TRUE(html.contains("Ошибка: "));
    EXPECT_EQ(QString::fromUtf8(read("none.csv")).count("\r\n"), 2);

    // 32767 points, each a kilometre on: the chart is drawn at the page's resolution.
    QByteArray large = "Длинный\n";
    for (int i = 0; i < 32767; ++i)
        large += QByteArray::number(1000 + i / 10 + (i % 7) * 10) + '\t' + QByteArray::number(i) + "\t1.5\n";
    write("large.txt", large + "@@@\n");
    for (const QString name : {"large.pdf", "large.odt"}) {
        ASSERT_EQ(run({"--document", path(name)}, "large.txt").status, 0);
        EXPECT_LT(read(name).size(), 2'000'000) << name.toStdString();
    }
}

} // namespace
