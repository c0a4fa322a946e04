#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qcore {

// Runs one handler of the application's shell script: the interpreter gets the script, the
// handler name and its one argument as separate arguments, never a command string. The
// script's standard output is the answer; its standard error goes where ours goes.
class ScriptTask {
public:
    struct Result {
        bool success = false; // exited normally with status 0
        std::string output;   // everything written to standard output
        int exitStatus = -1;  // -1 when it did not exit normally
        std::string error;    // why it failed, when it could not run or was stopped
    };
    using Completion = std::function<void(const Result&)>;

    explicit ScriptTask(std::string scriptPath, std::string interpreter = "/bin/sh");
    // Waits for the requests still running.
    ~ScriptTask();
    ScriptTask(const ScriptTask&) = delete;
    ScriptTask& operator=(const ScriptTask&) = delete;

    // A request that runs longer is killed and fails.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // Runs on the calling thread.
    Result run(const std::string& handler, const std::string& argument) const;
    // Runs on a worker thread of its own and calls `completion` there.
    void execute(const std::string& handler, const std::string& argument, Completion completion);

    const std::string& scriptPath() const { return scriptPath_; }

private:
    std::string scriptPath_;
    std::string interpreter_;
    std::chrono::milliseconds timeout_{std::chrono::seconds(30)};
    std::mutex workersMutex_;
    std::vector<std::jthread> workers_;
};

} // namespace qcore
