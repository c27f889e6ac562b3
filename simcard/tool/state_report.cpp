#include "simcard/tool/state_report.h"

#include "simcard/config_commands.h"
#include "simcard/trace.h"

#include <array>
#include <iomanip>
#include <sstream>
#include <vector>

namespace simcard {
namespace {

enum class FieldKind { Number, Boolean };

struct ConfigField {
    std::string_view name;
    std::size_t offset;
    FieldKind kind;
};

constexpr std::array kConfigFields = {
    ConfigField{"removal mark (card 1 only)", card_config::kRemovalMark, FieldKind::Number},
    ConfigField{"SyncBusMaster", card_config::kSyncBusMaster, FieldKind::Boolean},
    ConfigField{"SyncBusClock", card_config::kSyncBusClock, FieldKind::Number},
    ConfigField{"RateConflictMsgs", card_config::kRateConflictMsgs, FieldKind::Boolean},
    ConfigField{"DevConflictMsgs", card_config::kDevConflictMsgs, FieldKind::Boolean},
    ConfigField{"AnaSSFlagA", card_config::kAnaSSFlagA, FieldKind::Boolean},
    ConfigField{"AnaSSFlagB", card_config::kAnaSSFlagB, FieldKind::Boolean},
    ConfigField{"AnaSSBoth", card_config::kAnaSSBoth, FieldKind::Boolean},
    ConfigField{"AnaPlaySS", card_config::kAnaPlaySS, FieldKind::Boolean},
    ConfigField{"AnaRecSS", card_config::kAnaRecSS, FieldKind::Boolean},
    ConfigField{"AnaClockA", card_config::kAnaClockA, FieldKind::Number},
    ConfigField{"AnaClockB", card_config::kAnaClockB, FieldKind::Number},
    ConfigField{"DigSSFlagA", card_config::kDigSSFlagA, FieldKind::Boolean},
    ConfigField{"DigSSFlagB", card_config::kDigSSFlagB, FieldKind::Boolean},
    ConfigField{"DigSSBoth", card_config::kDigSSBoth, FieldKind::Boolean},
    ConfigField{"DigPlaySS", card_config::kDigPlaySS, FieldKind::Boolean},
    ConfigField{"DigRecSS", card_config::kDigRecSS, FieldKind::Boolean},
    ConfigField{"DigPlayClock", card_config::kDigPlayClock, FieldKind::Number},
    ConfigField{"WriteIsPlayCursor", card_config::kWriteIsPlayCursor, FieldKind::Boolean},
    ConfigField{"DsLatency", card_config::kDsLatency, FieldKind::Number},
    ConfigField{"RestrictedRate", card_config::kRestrictedRate, FieldKind::Number},
    ConfigField{"RestrictedRes", card_config::kRestrictedRes, FieldKind::Number},
    ConfigField{"RestrictedDev", card_config::kRestrictedDev, FieldKind::Boolean},
    ConfigField{"RestrictedDevice", card_config::kRestrictedDevice, FieldKind::Number},
    ConfigField{"GsifKerning", card_config::kGsifKerning, FieldKind::Number},
    ConfigField{"GsifPreload", card_config::kGsifPreload, FieldKind::Number},
};

constexpr int kLabelWidth = 28;
constexpr int kColumnWidth = 10;
constexpr int kHardwareColumnWidth = 14;

std::string FieldText(const ConfigField& field, std::int32_t value) {
    if (field.kind == FieldKind::Number) return std::to_string(value);
    if (value == kFalse) return "no";
    return value == kTrue ? "yes" : "yes (" + std::to_string(value) + ")";
}

std::string YesNo(std::int32_t value) {
    return value ? "yes" : "no";
}

void Line(std::ostream& out, std::string_view label, const std::string& value) {
    out << std::left << std::setw(kLabelWidth) << label << value << '\n';
}

// A label and one column per card; the last column is not padded.
void Row(std::ostream& out, std::string_view label, const std::vector<std::string>& columns,
         int columnWidth = kColumnWidth) {
    out << std::left << std::setw(kLabelWidth) << label;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        out << std::setw(i + 1 < columns.size() ? columnWidth : 0) << columns[i];
    }
    out << '\n';
}

std::vector<std::string> CardHeader(const CardStateLayout& state) {
    std::vector<std::string> header;
    for (int card = 0; card < state.cardCount; ++card)
        header.push_back("card " + std::to_string(card + 1));
    return header;
}

// Why the driver's settings are locked, when the switch allows them but a card is playing.
std::string ReconfigurableText(const CardStateLayout& state) {
    if (Reconfigurable(state)) return "yes";
    if (!state.reconfigurable) return "no";
    return "no (an application plays on a card)";
}

// The value as sent (position x 1000 / 800, truncated) and the track-bar position it came from:
// the smallest whole position that gives it.
std::string OnTheFlyText(std::int32_t value) {
    if (value < 0) return std::to_string(value);
    return std::to_string(value) + " (bar " + std::to_string((value * 4 + 4) / 5) + ")";
}

void ReportStates(std::ostream& out, const CardStateLayout& state) {
    Line(out, "driver state", ErrorIdText(state.driverState));
    Line(out, "cards", std::to_string(state.cardCount));
    for (int card = 0; card < state.cardCount; ++card) {
        Line(out, "card " + std::to_string(card + 1) + " state", ErrorIdText(state.cardStates[card]));
    }
    Line(out, "reconfigurable", ReconfigurableText(state));
    Line(out, "last on-the-fly values",
         "granularity " + OnTheFlyText(state.onTheFlyGranularity) + ", latency " +
             OnTheFlyText(state.onTheFlyLatency));
    Line(out, "trace",
         std::string(state.traceEnabled ? "on" : "off") + ", " + std::to_string(ReadTrace().size()) +
             " lines in " + TracePath().string());
}

void ReportConfiguration(std::ostream& out, const CardStateLayout& state) {
    out << '\n';
    Row(out, "configuration", CardHeader(state));
    for (const ConfigField& field : kConfigFields) {
        std::vector<std::string> values;
        for (int card = 0; card < state.cardCount; ++card) {
            const std::byte* record = state.configArray.data() + card * kCardConfigSize;
            values.push_back(FieldText(field, LoadInt32(record + field.offset)));
        }
        Row(out, field.name, values);
    }
}

std::string Pair(int left, int right) {
    return std::to_string(left) + "/" + std::to_string(right);
}

std::string MutePair(const std::array<std::uint16_t, 2>& mutes) {
    return std::string(mutes[0] ? "yes" : "no") + "/" + (mutes[1] ? "yes" : "no");
}

std::string Monitoring(const std::array<std::uint8_t, 3>& inputState) {
    static constexpr std::array kWhen = {"never", "rec", "punch"};
    return std::string(inputState[1] == kMonitorToAnalogOut ? "ana " : "dig ") + kWhen.at(inputState[2]);
}

std::string SourceText(std::uint8_t source, std::string_view otherOutput) {
    static constexpr std::array kSources = {"application", "", "analog in", "digital in"};
    return source == kSourceOtherOutput ? std::string(otherOutput) : kSources.at(source);
}

using HardwareText = std::string (*)(const CardHardware&);

struct HardwareRow {
    std::string_view label;
    HardwareText text;
};

const std::array kHardwareRows = {
    HardwareRow{"device node",
                [](const CardHardware& h) {
                    std::ostringstream text;
                    text << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0')
                         << h.devNode;
                    return text.str();
                }},
    HardwareRow{
        "digital input lock",
        [](const CardHardware& h) { return h.lockRate ? std::to_string(h.lockRate) + " Hz" : "no lock"; }},
    HardwareRow{"digital input select",
                [](const CardHardware& h) {
                    static constexpr std::array kInputs = {"", "optical", "electrical", "CD"};
                    return std::string(kInputs.at(h.digitalInputState[0]));
                }},
    HardwareRow{"application playback", [](const CardHardware& h) { return YesNo(h.playbackRunning); }},
    HardwareRow{"route changes",
                [](const CardHardware& h) { return std::string(h.refuseRoute ? "refused" : "allowed"); }},
    HardwareRow{"input gain L/R (31..164)",
                [](const CardHardware& h) { return Pair(h.inputGain[0] >> 8, h.inputGain[1] >> 8); }},
    HardwareRow{"input mute L/R", [](const CardHardware& h) { return MutePair(h.inputMute); }},
    HardwareRow{"output volume L/R (4..127)",
                [](const CardHardware& h) { return Pair(h.outputVolume[0] >> 9, h.outputVolume[1] >> 9); }},
    HardwareRow{"output mute L/R", [](const CardHardware& h) { return MutePair(h.outputMute); }},
    HardwareRow{"analog input monitoring",
                [](const CardHardware& h) { return Monitoring(h.analogInputState); }},
    HardwareRow{"digital input monitoring",
                [](const CardHardware& h) { return Monitoring(h.digitalInputState); }},
    HardwareRow{"analog output plays",
                [](const CardHardware& h) { return SourceText(h.analogOutputSource, "digital out"); }},
    HardwareRow{"digital output plays",
                [](const CardHardware& h) { return SourceText(h.digitalOutputSource, "analog out"); }},
    HardwareRow{"digital output format",
                [](const CardHardware& h) {
                    return std::string(h.digitalFormat == kFormatAudio ? "audio" : "non-audio");
                }},
};

void ReportHardware(std::ostream& out, const CardStateLayout& state) {
    out << '\n';
    Row(out, "hardware", CardHeader(state), kHardwareColumnWidth);
    for (const HardwareRow& row : kHardwareRows) {
        std::vector<std::string> values;
        for (int card = 0; card < state.cardCount; ++card)
            values.push_back(row.text(state.hardware[card]));
        Row(out, row.label, values, kHardwareColumnWidth);
    }
}

} // namespace

std::string ErrorIdText(std::int32_t id) {
    if (id == kStateReady) return "1 (ready)";
    if (id == kStateNoCard) return "0 (no card)";
    return std::to_string(id);
}

std::string StateReport(const CardStateLayout& state, const std::filesystem::path& file) {
    std::ostringstream out;
    Line(out, "state file", file.string() + " (layout " + std::to_string(state.header.layoutVersion) + ")");
    ReportStates(out, state);
    ReportHardware(out, state);
    ReportConfiguration(out, state);
    return out.str();
}

} // namespace simcard
