#pragma once
// Fixture: an output window on the simulated card, with the handles it opened named as the trace names
// them and its route radios found by card and source.
#include "driver/device_tables.h"
#include "simcard/trace.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/timer.h"
#include "windows/output_window.h"

#include <QStringList>

namespace windows_test {


class OutputWindowFixture : public ChannelWindowFixture {
protected:
    using ChannelWindowFixture::ChannelWindowFixture;

    windows::TOutputWindow* Output() const { return static_cast<windows::TOutputWindow*>(window); }

    // The route radio of card that stands for source.
    tk::TRadioButton* Route(int card, int source) const {
        for (tk::TRadioButton* radio : OfCard<tk::TRadioButton>(card))
            if (radio->Tag() == source && !radio->Caption().contains(QStringLiteral("Audio"))) return radio;
        return nullptr;
    }

    // The one-second refresh, as its timer runs it.
    void Tick() const {
        for (tk::TComponent* component : window->ComponentList())
            if (auto* timer = qobject_cast<tk::TTimer*>(component); timer && timer->OnTimer()) timer->OnTimer()(timer);
    }

    tk::TTimer* RefreshTimer() const {
        for (tk::TComponent* component : window->ComponentList())
            if (auto* timer = qobject_cast<tk::TTimer*>(component)) return timer;
        return nullptr;
    }

    // The driver's instances of the control handles opened on the card's device of slot since the
    // trace was started; the card's driver numbers its devices by slot.
    static std::vector<std::uint32_t> OpenedOn(driver::Direction direction, int slot) {
        const bool input = direction == driver::Direction::Input;
        const int device = slot;
        std::vector<std::uint32_t> instances;
        const std::string pattern = std::string(input ? "wavein" : "waveout") + " dev=%u inst=%llu";
        for (const simcard::TraceLine& line : simcard::ReadTrace()) {
            unsigned traced = 0;
            unsigned long long instance = 0;
            if (line.event.find("format=control") == std::string::npos) continue;
            if (std::sscanf(line.event.c_str(), pattern.c_str(), &traced, &instance) == 2 && int(traced) == device)
                instances.push_back(std::uint32_t(instance));
        }
        return instances;
    }
};

} // namespace windows_test
