#pragma once
// The built kova2-card, run as a separate process with the test's environment (and so its private
// runtime folder), or with KOVA2_HOME set to another folder.
#include "platform/paths.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace simcard {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ToolProcess {
public:
    // outputName: the stem of the files that catch its output in the runtime folder, so that tools
    // running at the same time keep theirs apart.
    explicit ToolProcess(std::vector<std::string> arguments, const std::string& home = {},
                         const std::string& outputName = "tool")
        : outPath_(platform::RuntimeDir() / (outputName + ".out")),
          errPath_(platform::RuntimeDir() / (outputName + ".err")) {
        const std::string program = (platform::ExecutableDir() / "kova2-card").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment;
        for (char** variable = environ; *variable; ++variable) {
            if (home.empty() || std::string_view(*variable).rfind("KOVA2_HOME=", 0) != 0)
                environment.push_back(*variable);
        }
        if (!home.empty()) environment.push_back("KOVA2_HOME=" + home);
        std::vector<char*> envp;
        for (auto& variable : environment)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ToolProcess() {
        if (pid_ > 0) Wait();
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    pid_t pid() const { return pid_; }
    void Signal(int signal) const {
        if (pid_ > 0) kill(pid_, signal);
    }

    // True once the tool has ended (or never started).
    bool Ended() {
        if (pid_ <= 0) return true;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
        Reap(status);
        return true;
    }

    ToolRun Wait() {
        if (pid_ > 0) {
            int status = 0;
            waitpid(pid_, &status, 0);
            Reap(status);
        }
        run_.out = Slurp(outPath_);
        run_.err = Slurp(errPath_);
        return run_;
    }

private:
    static std::string Slurp(const std::filesystem::path& path) {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }

    void Reap(int status) {
        run_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        pid_ = 0;
    }

    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
    pid_t pid_ = -1;
    ToolRun run_;
};

inline ToolRun RunTool(std::vector<std::string> arguments, const std::string& home = {}) {
    return ToolProcess(std::move(arguments), home).Wait();
}

} // namespace simcard
