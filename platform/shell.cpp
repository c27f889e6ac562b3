#include "platform/shell.h"

#include "platform/paths.h"
#include "platform/started_process.h"
#include "platform/wow16.h"

#include <cerrno>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace platform {
namespace {

constexpr win::HINSTANCE Started = 42;
constexpr std::string_view HostFile = "rundll.exe";
constexpr const char* HostProgram = "rundll";

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsOpenVerb(const char* verb) {
    return !verb || !*verb || EqualsIgnoringCase(verb, "open");
}

// The parent's environment with this process's heap named in it, built for the child alone: changing
// our own environment would race with other threads reading it.
std::vector<std::string> ChildEnvironment() {
    const std::string prefix = std::string(HeapVariable) + "=";
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry)
        if (!std::string_view(*entry).starts_with(prefix)) entries.emplace_back(*entry);
    if (const std::string heap = CurrentHeapName(); !heap.empty()) entries.push_back(prefix + heap);
    return entries;
}

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

win::HINSTANCE SpawnError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return win::SE_ERR_PNF;
    case EACCES:
    case EPERM:
        return win::SE_ERR_ACCESSDENIED;
    default:
        return win::SE_ERR_OOM;
    }
}

// A process the caller did not take is detached, never killed: it was started to do its work.
class UnclaimedProcess {
public:
    ~UnclaimedProcess() { Drop(); }
    void Put(StartedProcess process) {
        Drop();
        process_.emplace(std::move(process));
    }
    std::optional<StartedProcess> Take() { return std::exchange(process_, std::nullopt); }

private:
    void Drop() {
        if (process_) process_->Detach();
        process_.reset();
    }
    std::optional<StartedProcess> process_;
};

thread_local UnclaimedProcess lastStarted;

} // namespace

std::optional<StartedProcess> TakeStartedProcess() {
    return lastStarted.Take();
}

} // namespace platform

namespace win {

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT) {
    if (!platform::IsOpenVerb(lpOperation)) return SE_ERR_NOASSOC;
    if (!lpFile || !platform::EqualsIgnoringCase(lpFile, platform::HostFile)) return SE_ERR_FNF;
    const std::string host = (platform::ExecutableDir() / platform::HostProgram).string();
    if (access(host.c_str(), X_OK) != 0) return SE_ERR_FNF;

    std::vector<std::string> arguments{platform::HostProgram, lpParameters ? lpParameters : ""};
    std::vector<std::string> environment = platform::ChildEnvironment();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (lpDirectory && *lpDirectory) posix_spawn_file_actions_addchdir_np(&actions, lpDirectory);
    pid_t child = -1;
    const int error =
        posix_spawn(&child, host.c_str(), &actions, nullptr, platform::PointersTo(arguments).data(),
                    platform::PointersTo(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return error == ENOENT && !(lpDirectory && *lpDirectory) ? SE_ERR_FNF : platform::SpawnError(error);
    platform::lastStarted.Put(platform::StartedProcess(child));
    return platform::Started;
}

} // namespace win
