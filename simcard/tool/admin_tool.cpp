#include "simcard/tool/admin_tool.h"

#include "platform/broadcast.h"
#include "simcard/live_file.h"
#include "simcard/state_file.h"
#include "simcard/tool/live_report.h"
#include "simcard/tool/server_commands.h"
#include "simcard/tool/state_report.h"
#include "simcard/trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace simcard {
namespace {

using Arguments = std::vector<std::string>;

// The program may make two configuration calls before it answers, each allowed five seconds.
constexpr std::chrono::milliseconds kRemovalAnswerTimeout{15000};

struct AdminCommand {
    std::string_view name;
    std::string_view parameters; // as shown in the usage
    std::string_view summary;
    std::size_t parameterCount;
    void (*run)(const Arguments& parameters, std::ostream& out);
};

// A change that only this process would see must not pass for done.
template <class Fn> void WithState(Fn&& fn) {
    StateFile file(CardStatePath());
    file.Access(std::forward<Fn>(fn));
    if (!file.shared()) throw std::runtime_error("cannot keep the card state in " + file.path().string());
}

std::int32_t ParseNumber(const std::string& text, std::string_view what) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || next != end) {
        throw UsageError("\"" + text + "\" is not " + std::string(what));
    }
    return value;
}

std::int32_t ParseErrorId(const std::string& text) {
    return ParseNumber(text, "an error id (a whole number such as 1 or -30)");
}

std::int32_t ParseInRange(const std::string& text, std::int32_t low, std::int32_t high,
                          std::string_view what) {
    const std::int32_t value = ParseNumber(text, what);
    if (value < low || value > high) {
        throw UsageError(std::string(what) + " must be " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not " + text);
    }
    return value;
}

bool ParseOnOff(const std::string& text) {
    if (text == "on") return true;
    if (text == "off") return false;
    throw UsageError("expected on or off, not \"" + text + "\"");
}

void Show(const Arguments&, std::ostream& out) {
    int cardCount = 0;
    WithState([&](CardStateLayout& state) {
        out << StateReport(state, CardStatePath());
        cardCount = state.cardCount;
    });
    LiveReader live;
    out << LiveReport(live, cardCount);
}

// What serve owns while it runs cannot be set behind its back. The file a killed serve left is swept
// first; one whose serve still holds it but has stopped answering is not.
void RequireNoServe(std::string_view owned, std::ostream& out) {
    LiveReader live;
    const auto writer = live.Writer();
    if (!writer) return;
    const std::string serve = "serve (pid " + std::to_string(writer->pid) + ")";
    if (writer->status == LiveStatus::Live)
        throw std::runtime_error(serve + " owns " + std::string(owned) + " while it runs; stop it first");
    if (!SweepDeadWriter())
        throw std::runtime_error(serve + " owns " + std::string(owned) +
                                 " but does not answer; stop it first");
    out << "removed the live file that a killed " << serve << " left\n";
}

void SetDriverState(const Arguments& parameters, std::ostream& out) {
    const std::int32_t id = ParseErrorId(parameters[0]);
    WithState([id](CardStateLayout& state) { state.driverState = id; });
    out << "driver state " << ErrorIdText(id) << '\n';
}

void SetCardCount(const Arguments& parameters, std::ostream& out) {
    const std::int32_t count = ParseInRange(parameters[0], 1, kMaxCards, "the number of cards");
    WithState([count](CardStateLayout& state) { state.cardCount = count; });
    out << "cards " << count << '\n';
}

std::int32_t ParseCardNumber(const std::string& text) {
    return ParseInRange(text, 1, kMaxCards, "the card number");
}

// Runs fn(state, slot) for card number card (1..4), which must be installed.
template <class Fn> void WithInstalledCard(std::int32_t card, Fn&& fn) {
    WithState([&](CardStateLayout& state) {
        if (card > state.cardCount) {
            throw UsageError("card " + std::to_string(card) + " is not installed (" +
                             std::to_string(state.cardCount) + " cards); first run: kova2-card cards " +
                             std::to_string(card));
        }
        fn(state, card - 1);
    });
}

void SetCardState(const Arguments& parameters, std::ostream& out) {
    const std::int32_t card = ParseCardNumber(parameters[0]);
    const std::int32_t id = ParseErrorId(parameters[1]);
    WithInstalledCard(card, [id](CardStateLayout& state, int slot) { state.cardStates[slot] = id; });
    out << "card " << card << " state " << ErrorIdText(id) << '\n';
}

void SetLock(const Arguments& parameters, std::ostream& out) {
    const std::int32_t card = ParseCardNumber(parameters[0]);
    const std::int32_t rate = parameters[1] == "off" ? 0
                                                     : ParseInRange(parameters[1], kLockRateMin, kLockRateMax,
                                                                    "the lock rate in Hz");
    RequireNoServe("the digital input's lock", out);
    WithInstalledCard(card,
                      [rate](CardStateLayout& state, int slot) { state.hardware[slot].lockRate = rate; });
    out << "card " << card << " digital input "
        << (rate ? "locked to " + std::to_string(rate) + " Hz" : "without lock") << '\n';
}

// A per-card switch of the hardware: on writes -1, off 0.
template <std::int32_t CardHardware::*Field>
void SetCardSwitch(const Arguments& parameters, std::ostream& out, std::string_view onText,
                   std::string_view offText) {
    const std::int32_t card = ParseCardNumber(parameters[0]);
    const bool on = ParseOnOff(parameters[1]);
    WithInstalledCard(
        card, [on](CardStateLayout& state, int slot) { state.hardware[slot].*Field = on ? kTrue : kFalse; });
    out << "card " << card << ": " << (on ? onText : offText) << '\n';
}

void SetPlayback(const Arguments& parameters, std::ostream& out) {
    RequireNoServe("whether an application plays", out);
    SetCardSwitch<&CardHardware::playbackRunning>(parameters, out, "application playback running",
                                                  "no application playback");
}

void SetRefuseRoute(const Arguments& parameters, std::ostream& out) {
    SetCardSwitch<&CardHardware::refuseRoute>(parameters, out, "route changes refused",
                                              "route changes allowed");
}

// Another program choosing what an output plays, as it may at any time behind the windows' back.
void SetRoute(const Arguments& parameters, std::ostream& out) {
    const std::int32_t card = ParseCardNumber(parameters[0]);
    const std::string& output = parameters[1];
    if (output != "analog" && output != "digital")
        throw UsageError("expected analog or digital output, not \"" + output + "\"");
    const auto source = static_cast<std::uint8_t>(ParseInRange(parameters[2], kSourceApplication,
                                                               kSourceDigitalInput, "the playback source"));
    WithInstalledCard(card, [&](CardStateLayout& state, int slot) {
        CardHardware hardware = state.hardware[slot];
        (output == "analog" ? hardware.analogOutputSource : hardware.digitalOutputSource) = source;
        if (auto problem = HardwareProblem(hardware)) throw UsageError("that would leave the card with " + *problem);
        state.hardware[slot] = hardware;
    });
    out << "card " << card << " " << output << " output plays source " << int(source) << '\n';
}

std::string DevNodeText(std::int32_t devNode) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(devNode));
    return text;
}

std::string AnswerText(win::LRESULT answer) {
    constexpr win::LRESULT kQueryDeny = 0x424D5144; // the one answer that keeps a device
    return answer == kQueryDeny ? "refused" : "granted (" + std::to_string(answer) + ")";
}

void RequestRemoval(const Arguments& parameters, std::ostream& out) {
    const std::int32_t card = ParseCardNumber(parameters[0]);
    std::int32_t devNode = 0;
    WithInstalledCard(
        card, [&devNode](CardStateLayout& state, int slot) { devNode = state.hardware[slot].devNode; });
    const std::string subject =
        "card " + std::to_string(card) + " (device node " + DevNodeText(devNode) + ")";
    const auto answers = platform::BroadcastDeviceChange(
        platform::DeviceQueryRemove(static_cast<win::DWORD>(devNode)), kRemovalAnswerTimeout);
    if (answers.listeners == 0) {
        throw std::runtime_error("no program is listening: the removal request for " + subject +
                                 " reached no one (is the Card Manager running for this user?)");
    }
    out << "removal request for " << subject << " sent to " << answers.listeners << " program(s)\n";
    for (const win::LRESULT answer : answers.answers)
        out << "  answer: " << AnswerText(answer) << '\n';
    const auto silent = answers.listeners - static_cast<int>(answers.answers.size());
    if (silent > 0)
        out << "  " << silent << " did not answer within " << kRemovalAnswerTimeout.count() / 1000 << " s\n";
}

void SetReconfigurable(const Arguments& parameters, std::ostream& out) {
    const bool on = ParseOnOff(parameters[0]);
    WithState([on](CardStateLayout& state) { state.reconfigurable = on ? kTrue : kFalse; });
    out << "reconfigurable " << (on ? "yes" : "no") << '\n';
}

void Reset(const Arguments&, std::ostream& out) {
    WithState([](CardStateLayout& state) { state = DefaultState(); });
    out << "card reset: driver ready, two healthy cards, default settings\n";
}

void Trace(const Arguments& parameters, std::ostream& out) {
    const std::string& action = parameters[0];
    if (action == "show") {
        for (const std::string& line : ReadTraceText())
            out << line << '\n';
        return;
    }
    bool done = false;
    if (action == "clear") {
        done = ClearTrace();
    } else if (action == "on" || action == "off") {
        done = SetTraceEnabled(action == "on");
    } else {
        throw UsageError("trace takes on, off, clear or show, not \"" + action + "\"");
    }
    if (!done) throw std::runtime_error("cannot change the trace in " + TracePath().parent_path().string());
    out << "trace " << (action == "clear" ? "cleared" : action) << '\n';
}

void Serve(const Arguments&, std::ostream& out) {
    server::RunServe(out);
}

void Connect(const Arguments& parameters, std::ostream& out) {
    ConnectConnector(ParseCardNumber(parameters[0]) - 1, parameters[1], parameters[2], out);
}

void Connections(const Arguments&, std::ostream& out) {
    std::int32_t cardCount = 0;
    WithState([&cardCount](CardStateLayout& state) { cardCount = state.cardCount; });
    ShowConnections(cardCount, out);
}

void Help(const Arguments&, std::ostream& out);

constexpr std::array kCommands = {
    AdminCommand{"show", "", "everything the card holds", 0, Show},
    AdminCommand{"state", "<id>", "overall driver state (error id, 1 = ready)", 1, SetDriverState},
    AdminCommand{"cards", "<1-4>", "number of installed cards", 1, SetCardCount},
    AdminCommand{"card", "<n> <id>", "state of card n (error id, e.g. -30; 1 = ready)", 2, SetCardState},
    AdminCommand{"reconfigurable", "on|off", "whether the driver settings may change now", 1,
                 SetReconfigurable},
    AdminCommand{"lock", "<n> <rate>|off", "digital input of card n locked to rate Hz, or no lock", 2,
                 SetLock},
    AdminCommand{"playback", "<n> on|off", "an application plays on card n's outputs", 2, SetPlayback},
    AdminCommand{"refuse-route", "<n> on|off", "card n refuses playback source changes", 2, SetRefuseRoute},
    AdminCommand{"route", "<n> analog|digital <s>",
                 "card n's output plays source s: 0 application, 1 other output, 2 analog in, 3 digital in", 3,
                 SetRoute},
    AdminCommand{"remove", "<n>", "ask the running program to let card n go", 1, RequestRemoval},
    AdminCommand{"reset", "", "back to defaults: driver ready, two healthy cards", 0, Reset},
    AdminCommand{"serve", "", "run the cards on the desktop's sound server until stopped", 0, Serve},
    AdminCommand{"connect", "<n> <connector> <device>|none|default",
                 "wire card n's analog-in, analog-out, digital-out, optical, electrical or cd", 3, Connect},
    AdminCommand{"connections", "", "what the cards' connectors are wired to", 0, Connections},
    AdminCommand{"trace", "on|off|clear|show", "record the calls the card receives", 1, Trace},
    AdminCommand{"help", "", "this text", 0, Help},
};

std::string CallText(const AdminCommand& command) {
    return std::string(command.name) + " " + std::string(command.parameters);
}

// The descriptions start in one column, two spaces after the longest call.
std::string Usage() {
    std::size_t column = 0;
    for (const AdminCommand& command : kCommands) column = std::max(column, CallText(command).size() + 2);
    std::string usage = "usage: kova2-card <command>\n";
    for (const AdminCommand& command : kCommands) {
        std::string call = CallText(command);
        call.resize(column, ' ');
        usage += "  " + call + std::string(command.summary) + "\n";
    }
    return usage;
}

void Help(const Arguments&, std::ostream& out) {
    out << Usage();
}

const AdminCommand& FindCommand(const Arguments& arguments) {
    if (arguments.empty()) throw UsageError("no command given");
    const auto found = std::ranges::find(kCommands, arguments[0], &AdminCommand::name);
    if (found == kCommands.end()) throw UsageError("unknown command \"" + arguments[0] + "\"");
    if (arguments.size() - 1 != found->parameterCount) {
        throw UsageError(arguments[0] + " takes " + std::to_string(found->parameterCount) +
                         " argument(s): " + arguments[0] + " " + std::string(found->parameters));
    }
    return *found;
}

} // namespace

int RunAdminTool(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    try {
        const AdminCommand& command = FindCommand(arguments);
        command.run(Arguments(arguments.begin() + 1, arguments.end()), out);
        return kToolOk;
    } catch (const UsageError& error) {
        err << "kova2-card: " << error.what() << "\n\n" << Usage();
        return kToolBadUsage;
    } catch (const std::exception& error) {
        err << "kova2-card: " << error.what() << '\n';
        return kToolFailed;
    }
}

} // namespace simcard
