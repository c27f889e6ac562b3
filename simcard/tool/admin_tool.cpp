#include "simcard/tool/admin_tool.h"

#include "simcard/state_file.h"
#include "simcard/tool/state_report.h"
#include "simcard/trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iostream>
#include <stdexcept>

namespace simcard {
namespace {

using Arguments = std::vector<std::string>;

// A bad argument: reported with the usage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

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
    WithState([&out](CardStateLayout& state) { out << StateReport(state, CardStatePath()); });
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

void SetCardState(const Arguments& parameters, std::ostream& out) {
    const std::int32_t card = ParseInRange(parameters[0], 1, kMaxCards, "the card number");
    const std::int32_t id = ParseErrorId(parameters[1]);
    WithState([card, id](CardStateLayout& state) {
        if (card > state.cardCount) {
            throw UsageError("card " + std::to_string(card) + " is not installed (" +
                             std::to_string(state.cardCount) + " cards); first run: kova2-card cards " +
                             std::to_string(card));
        }
        state.cardStates[card - 1] = id;
    });
    out << "card " << card << " state " << ErrorIdText(id) << '\n';
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

void Help(const Arguments&, std::ostream& out);

constexpr std::array kCommands = {
    AdminCommand{"show", "", "everything the card holds", 0, Show},
    AdminCommand{"state", "<id>", "overall driver state (error id, 1 = ready)", 1, SetDriverState},
    AdminCommand{"cards", "<1-4>", "number of installed cards", 1, SetCardCount},
    AdminCommand{"card", "<n> <id>", "state of card n (error id, e.g. -30; 1 = ready)", 2, SetCardState},
    AdminCommand{"reconfigurable", "on|off", "whether the driver settings may change now", 1,
                 SetReconfigurable},
    AdminCommand{"reset", "", "back to defaults: driver ready, two healthy cards", 0, Reset},
    AdminCommand{"trace", "on|off|clear|show", "record the calls the card receives", 1, Trace},
    AdminCommand{"help", "", "this text", 0, Help},
};

std::string Usage() {
    std::string usage = "usage: kova2-card <command>\n";
    for (const AdminCommand& command : kCommands) {
        std::string call = std::string(command.name) + " " + std::string(command.parameters);
        call.resize(std::max<std::size_t>(call.size(), 26), ' ');
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
