#pragma once

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// Child processes for the hardening tests: passcat-cli run as a program, or a piece of
// this test run in a forked process, optionally as an unprivileged user (root ignores
// file permissions), with the child's peak resident set.
namespace passcat::testing {

struct ChildResult {
    bool exited = false;   // ended by exit, not by a signal
    int exitCode = -1;
    int signal = 0;
    std::string out;       // standard output (of a forked function: what it wrote to its pipe)
    std::string err;       // standard error
    long peakRssKiB = 0;   // peak resident set, from wait4()
};

struct ChildOptions {
    bool unprivileged = false;
    std::string workingDirectory;
};

// The user that unprivileged children run as: nobody, when this process is root;
// nothing when this process is not root (it is unprivileged already) or nobody is unknown.
struct UnprivilegedUser {
    uid_t uid;
    gid_t gid;
};

inline std::optional<UnprivilegedUser> UserToDropTo()
{
    if (geteuid() != 0)
        return std::nullopt;
    const passwd* user = getpwnam("nobody");
    if (!user)
        return std::nullopt;
    return UnprivilegedUser{user->pw_uid, user->pw_gid};
}

// True when a child can run without the power to ignore file permissions.
inline bool CanRunUnprivileged() { return geteuid() != 0 || UserToDropTo().has_value(); }

namespace detail {

// In the child: gives up root for good. Only async-signal-safe calls.
inline void DropPrivileges(const std::optional<UnprivilegedUser>& user)
{
    if (!user)
        return;
    if (setgroups(0, nullptr) != 0 || setresgid(user->gid, user->gid, user->gid) != 0
        || setresuid(user->uid, user->uid, user->uid) != 0)
        _exit(125);
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline ChildResult Wait(pid_t pid)
{
    ChildResult result;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return result;
    }
    result.exited = WIFEXITED(status);
    result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.peakRssKiB = usage.ru_maxrss;
    return result;
}

// Files for the child's standard output and error, made before the fork.
struct OutputFiles {
    OutputFiles()
    {
        char pattern[] = "/tmp/passcat-child-XXXXXX";
        const char* dir = mkdtemp(pattern);
        folder = dir ? dir : "/tmp";
        out = open((folder + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        err = open((folder + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    }
    ~OutputFiles()
    {
        close(out);
        close(err);
        std::remove((folder + "/out").c_str());
        std::remove((folder + "/err").c_str());
        rmdir(folder.c_str());
    }
    void collect(ChildResult& result) const
    {
        result.out = ReadAll(folder + "/out");
        result.err = ReadAll(folder + "/err");
    }
    std::string folder;
    int out = -1;
    int err = -1;
};

} // namespace detail

// Runs a program with arguments (its name not included) and an environment of LC_ALL=C
// and PATH only, and waits for it.
inline ChildResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                              const ChildOptions& options = {})
{
    const auto user = options.unprivileged ? UserToDropTo() : std::nullopt;
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argvPointers;
    for (auto& argument : argv)
        argvPointers.push_back(argument.data());
    argvPointers.push_back(nullptr);
    std::string locale = "LC_ALL=C";
    std::string path = "PATH=/usr/bin:/bin";
    char* environment[] = {locale.data(), path.data(), nullptr};

    const detail::OutputFiles files;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (dup2(files.out, 1) < 0 || dup2(files.err, 2) < 0)
            _exit(126);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(126);
        detail::DropPrivileges(user);
        execve(program.c_str(), argvPointers.data(), environment);
        _exit(127);
    }
    if (pid < 0)
        return {};
    ChildResult result = detail::Wait(pid);
    files.collect(result);
    return result;
}

// Runs body in a forked copy of this process, optionally unprivileged; what body writes
// to the stream it is given comes back as out, its return value as the exit code. The
// child ends with _exit(): no destructors and no exit handlers of the parent's run.
inline ChildResult RunForked(const std::function<int(std::ostream&)>& body, const ChildOptions& options = {})
{
    const auto user = options.unprivileged ? UserToDropTo() : std::nullopt;
    const detail::OutputFiles files;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        detail::DropPrivileges(user);
        std::ostringstream out;
        const int code = body(out);
        const std::string text = out.str();
        std::size_t written = 0;
        while (written < text.size()) {
            const ssize_t count = write(files.out, text.data() + written, text.size() - written);
            if (count <= 0)
                _exit(126);
            written += static_cast<std::size_t>(count);
        }
        _exit(code);
    }
    if (pid < 0)
        return {};
    ChildResult result = detail::Wait(pid);
    files.collect(result);
    return result;
}

} // namespace passcat::testing
