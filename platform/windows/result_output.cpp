// Windows names are QStrings already: QSaveFile keeps the result safe there.
#include "platform/result_output.h"

#include <QSaveFile>

#include <cstdio>

#include <fcntl.h>
#include <io.h>

namespace passcat {
namespace {

class SaveFileOutput final : public ResultOutput {
public:
    explicit SaveFileOutput(const QString& path) : file_(path) {}

    ~SaveFileOutput() override { discard(); }

    bool open() override
    {
        file_.setDirectWriteFallback(false);
        return file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool inPlace() const override { return false; }

    bool write(const char* data, std::size_t size) override
    {
        return file_.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    }

    bool commit() override { return file_.commit(); }

    bool discard() override
    {
        file_.cancelWriting();
        // cancelWriting() only marks the file; closing is what removes the temporary file.
        if (file_.isOpen())
            file_.commit();
        return true;
    }

private:
    QSaveFile file_;
};

class StandardOutput final : public ResultOutput {
public:
    bool open() override
    {
        _setmode(_fileno(stdout), _O_BINARY);
        return true;
    }

    bool inPlace() const override { return true; }

    bool write(const char* data, std::size_t size) override
    {
        return std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0;
    }

    bool commit() override { return true; }
    bool discard() override { return true; }
};

} // namespace

std::unique_ptr<ResultOutput> ResultFileOutput(const QString& path) { return std::make_unique<SaveFileOutput>(path); }
std::unique_ptr<ResultOutput> StandardResultOutput() { return std::make_unique<StandardOutput>(); }

} // namespace passcat
