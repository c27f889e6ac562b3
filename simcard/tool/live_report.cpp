#include "simcard/tool/live_report.h"

#include <iomanip>
#include <sstream>

namespace simcard {
namespace {

constexpr int kLabelWidth = 28;
constexpr int kColumnWidth = 14;

std::string WriterText(const std::optional<LiveWriterInfo>& writer) {
    if (!writer) return "not running";
    const std::string pid = "pid " + std::to_string(writer->pid);
    if (writer->status == LiveStatus::Live)
        return "running (" + pid + ", heartbeat " + std::to_string(writer->heartbeatAgeMs) + " ms ago)";
    return "stopped answering (" + pid + ", last heartbeat " + std::to_string(writer->heartbeatAgeMs / 1000) +
           " s ago): no sound reaches the cards until it runs again";
}

template <class Text> void Row(std::ostream& out, std::string_view label, int cardCount, Text&& text) {
    out << std::left << std::setw(kLabelWidth) << label;
    for (int card = 0; card < cardCount; ++card)
        out << std::setw(card + 1 < cardCount ? kColumnWidth : 0) << text(card);
    out << '\n';
}

} // namespace

std::string LiveReport(LiveReader& live, int cardCount) {
    std::ostringstream out;
    const auto writer = live.Writer();
    out << '\n' << std::left << std::setw(kLabelWidth) << "serve" << WriterText(writer) << '\n';
    if (!writer || writer->status != LiveStatus::Live) return out.str();
    Row(out, "live digital input lock", cardCount, [&](int card) {
        const std::int32_t rate = live.LockRate(card);
        return rate ? std::to_string(rate) + " Hz" : std::string("no lock");
    });
    Row(out, "live application playback", cardCount,
        [&](int card) { return std::string(live.PlaybackRunning(card) ? "yes" : "no"); });
    return out.str();
}

} // namespace simcard
