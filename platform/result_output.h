#pragma once

#include <QString>

#include <cstddef>
#include <memory>

namespace passcat {

// Where the bytes of a SafeResultFile go, made by each system its own way
// (platform/posix/, platform/windows/): a temporary file beside the result, which
// replaces it at commit(); the result itself where it is no regular file; or standard
// output. What can fail returns false, errorText() telling why.
class ResultOutput {
public:
    virtual ~ResultOutput() = default;

    virtual bool open() = 0;

    // True once open() found a result written in place: a failed run may leave part of it.
    virtual bool inPlace() const = 0;

    virtual bool write(const char* data, std::size_t size) = 0;

    // Makes everything written the result.
    virtual bool commit() = 0;

    // Closes without making anything the result: a temporary file is removed. False
    // when closing failed.
    virtual bool discard() = 0;

    // Why the last call that returned false failed.
    virtual QString errorText() const = 0;
};

// The output for the result file at path, which is not empty.
std::unique_ptr<ResultOutput> ResultFileOutput(const QString& path);

// Standard output, written in place.
std::unique_ptr<ResultOutput> StandardResultOutput();

} // namespace passcat
