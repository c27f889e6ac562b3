#include "tests/serve/private_sound_server.h"

#include "simcard/server/server_query.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace sound_test {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(15);

std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kova2-sound-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for the sound server");
    return pattern;
}

void Write(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

} // namespace

PrivateSoundServer::PrivateSoundServer() : folder_(MakeFolder()) {
    const std::string native = (folder_ / "native").string();
    Write(folder_ / "config" / "pulse" / "daemon.conf",
          "default-sample-rate = 48000\ndefault-fragments = 2\ndefault-fragment-size-msec = 10\n");
    Write(folder_ / "client.conf", "autospawn = no\n");
    Write(folder_ / "devices.pa",
          "load-module module-native-protocol-unix auth-anonymous=1 socket=" + native +
              "\n"
              "load-module module-null-sink sink_name=real_out rate=48000\n"
              "load-module module-null-sink sink_name=real_in rate=48000\n"
              "load-module module-null-sink sink_name=optical44 rate=44100\n"
              "load-module module-null-sink sink_name=optical48 rate=48000\n"
              "set-default-sink real_out\n"
              "set-default-source real_in.monitor\n");
    setenv("PULSE_SERVER", ("unix:" + native).c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (folder_ / "client.conf").c_str(), 1);
    Start();
}

PrivateSoundServer::~PrivateSoundServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

void PrivateSoundServer::Start() {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        environment.emplace_back(*variable);
    for (const auto& [name, value] : {std::pair{"HOME", folder_}, std::pair{"XDG_RUNTIME_DIR", folder_},
                                      std::pair{"XDG_CONFIG_HOME", folder_ / "config"},
                                      std::pair{"PULSE_RUNTIME_PATH", folder_ / "runtime"}})
        environment.push_back(std::string(name) + "=" + value.string());
    std::vector<char*> envp;
    for (auto& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    const std::string script = (folder_ / "devices.pa").string();
    const std::string log = (folder_ / "server.log").string();
    std::vector<std::string> arguments = {
        "pulseaudio",  "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
        "--system=no", "-F", script,           "--log-target=stderr"};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Forked rather than spawned, so that the server dies with a test that crashes.
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_WRONLY);
        const int logFile = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        dup2(null, 1);
        dup2(logFile, 2);
        execvpe("pulseaudio", argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (pid_ < 0 ||
        (waitpid(pid_, &status, WNOHANG) == pid_ && WIFEXITED(status) && WEXITSTATUS(status) == 127)) {
        pid_ = -1;
        throw std::runtime_error("pulseaudio cannot be started (is the pulseaudio package installed?)");
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!simcard::server::QueryServerDevices(std::chrono::milliseconds(500))) {
        if (std::chrono::steady_clock::now() > deadline || waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the private pulseaudio did not answer; its log: " + log);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void PrivateSoundServer::Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::string Pactl(const std::string& arguments) {
    std::string output;
    FILE* pipe = popen(("pactl " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    std::array<char, 4096> buffer;
    while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), read);
    pclose(pipe);
    return output;
}

} // namespace sound_test
