#include "ScriptTask.h"

#include "FileDescriptor.h"
#include "FileManager.h"
#include "Guarded.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qcore {

namespace {

using Clock = std::chrono::steady_clock;

// Owns the spawn's file actions.
class FileActions {
public:
    FileActions() { ::posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

std::string errnoText(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// Reads the child's output until it closes it or the deadline passes; false on timeout.
bool readAll(int fd, Clock::time_point deadline, std::string& output) {
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return ready == 0 ? false : true;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
        output.append(buffer, static_cast<std::size_t>(n));
    }
}

int waitForChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace

ScriptTask::ScriptTask(std::string scriptPath, std::string interpreter)
    : scriptPath_(std::move(scriptPath)), interpreter_(std::move(interpreter)) {}

ScriptTask::~ScriptTask() {
    std::vector<std::jthread> workers;
    {
        std::lock_guard lock(workersMutex_);
        workers.swap(workers_);
    }
    // jthread joins as it goes.
}

ScriptTask::Result ScriptTask::run(const std::string& handler, const std::string& argument) const {
    Result result;
    if (!FileManager::exists(scriptPath_)) {
        result.error = "no script at " + scriptPath_;
        return result;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = errnoText("pipe", errno);
        return result;
    }
    FileDescriptor readEnd(fds[0]);
    FileDescriptor writeEnd(fds[1]);

    FileActions actions;
    ::posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDOUT_FILENO);

    std::vector<std::string> arguments{interpreter_, scriptPath_, handler, argument};
    std::vector<char*> argv;
    for (auto& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError =
        ::posix_spawn(&pid, interpreter_.c_str(), actions.get(), nullptr, argv.data(), environ);
    writeEnd.reset();
    if (spawnError != 0) {
        result.error = errnoText("posix_spawn", spawnError);
        return result;
    }

    const bool finished = readAll(readEnd.get(), Clock::now() + timeout_, result.output);
    if (!finished) ::kill(pid, SIGKILL);
    const int status = waitForChild(pid);
    if (!finished) {
        result.error = "timed out";
        return result;
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
        result.success = result.exitStatus == 0;
        if (!result.success) result.error = "exit status " + std::to_string(result.exitStatus);
    } else {
        result.error = "stopped by a signal";
    }
    return result;
}

void ScriptTask::execute(const std::string& handler, const std::string& argument,
                         Completion completion) {
    std::lock_guard lock(workersMutex_);
    workers_.emplace_back([this, handler, argument, completion = std::move(completion)] {
        runGuarded("Script handler " + handler, [&] {
            const Result result = run(handler, argument);
            if (completion) completion(result);
        });
    });
}

} // namespace qcore
