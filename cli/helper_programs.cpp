#include "helper_programs.h"

#include "verbs.h"

#include "core/image/escaped_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvo::cli {

const char* const kReportProgram = ORVO_REPORT_PROGRAM;
const char* const kPortsProgram = ORVO_PORTS_PROGRAM;

namespace {

// The helper beside this program; empty when the system does not say where this one lies.
std::string helperPath(const char* relative)
{
    std::string self(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size())
        return {};
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + relative;
}

// "orvo-cli VERB: cannot run PROGRAM: reason"; without a verb "orvo-cli: cannot run …".
void reportNotRun(const char* verb, const char* relative, const std::string& path, int error)
{
    const char* name = std::strrchr(relative, '/') ? std::strrchr(relative, '/') + 1 : relative;
    std::fprintf(stderr, "orvo-cli%s%s: cannot run %s: %s\n", verb ? " " : "", verb ? verb : "",
                 path.empty() ? name : escapedText(path).c_str(), std::strerror(error));
}

} // namespace

int execHelper(const char* relative, const char* verb, int argc, char** argv)
{
    const std::string program = helperPath(relative);
    std::vector<char*> arguments{const_cast<char*>(program.c_str())};
    arguments.insert(arguments.end(), argv, argv + argc);
    arguments.push_back(nullptr);
    if (!program.empty())
        ::execv(program.c_str(), arguments.data());
    reportNotRun(verb, relative, program, program.empty() ? ENOENT : errno);
    return kExitFailed;
}

std::optional<std::string> helperOutput(const char* relative,
                                        const std::vector<std::string>& arguments)
{
    const std::string program = helperPath(relative);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int out[2];
    if (program.empty() || ::pipe2(out, O_CLOEXEC) != 0) {
        reportNotRun(nullptr, relative, program, program.empty() ? ENOENT : errno);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    if (spawned == 0) {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(out[0], buffer, sizeof buffer);
            if (got > 0)
                text.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 || errno != EINTR)
                break;
        }
    }
    ::close(out[0]);
    if (spawned != 0) {
        reportNotRun(nullptr, relative, program, spawned);
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}

} // namespace orvo::cli
