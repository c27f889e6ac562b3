#pragma once
// What an output plays, card by card, as one output window sees it: the route record of its own output
// (byte 0 is the source the window applied last, bytes 1 to 3 the driver's), the record of the card's
// other output (read only), the two control handles on the device of the applied source, which meter it,
// and the changes of source with the driver. The two output windows share this; they differ in which
// output they choose for and in the rules below.
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "windows/channel_messages.h"

#include <array>
#include <memory>
#include <optional>

namespace windows {

// Playback sources, byte 0 of a route record and the route radios' Tags.
enum PlaybackSource : win::BYTE { SourceProgram = 0, SourceOtherOutput = 1, SourceAnalogInput = 2, SourceDigitalInput = 3 };

struct RouteRules {
    driver::DeviceKind output;          // the output whose source the window chooses
    std::array<int, 2> guardedSources;  // sources offered only while neither output is busy
    win::BYTE otherOutputBlocks;        // the other output's source that rules the guarded ones out
    win::BYTE ownSourceCounted;         // applied source whose two metering handles byte 3 counts
    bool setBeforeRelease;              // the driver hears of a change before the old source is let go
};

enum class SourceChange { Applied, Refused, NotOpened };

class PlaybackRoutes {
public:
    // own, other: the window's control handles on the card's own and other output device; window: the
    // handles' callback window.
    PlaybackRoutes(win::HWND window, const HandleTable& own, const HandleTable& other, RouteRules rules);
    ~PlaybackRoutes();
    PlaybackRoutes(const PlaybackRoutes&) = delete;
    PlaybackRoutes& operator=(const PlaybackRoutes&) = delete;

    // Both records of every card; false when one could not be mapped.
    bool Allocate(int cardCount);
    bool Allocated(int card) const;

    // The source applied last (0 before the first), or nothing for a card without records.
    std::optional<win::BYTE> Applied(int card) const;
    std::optional<driver::RouteRecord> OwnRecord(int card) const;

    // Reads both records of card; gives the driver's source of the own output, keeping the applied one.
    std::optional<win::BYTE> Refresh(int card);
    // Whether source is one of those offered only while neither output is busy.
    bool Guarded(int source) const;
    // Whether source may be chosen for card by the records last read; metering: the window meters.
    bool Offered(int card, int source, bool metering) const;

    // Lets go of the applied source and takes source, metering it when metering. Refused: the driver
    // said no; NotOpened: the new source's device could not be opened (what did open stays recorded).
    SourceChange Change(int card, win::BYTE source, bool metering);

    void StartMetering(int card) const;
    void StopMetering(int card) const;
    // Reads card's levels of the applied source into the level block; false when nothing was read.
    bool ReadLevels(int card, win::DWORD levelBlock) const;

    // Two per card, open while the applied source is 1, 2 or 3.
    const HandleTable& SourceHandles() const { return sources_; }
    // Closes every card's source handles and frees the records.
    void Release();

private:
    struct Device {
        driver::Direction direction;
        driver::DeviceKind kind;
    };
    // The device that source plays from, or nothing for the application's playback.
    std::optional<Device> SourceDevice(win::BYTE source) const;
    win::BYTE* OwnBytes(int card) const;
    win::BYTE* OtherBytes(int card) const;
    bool SetRoute(int card, win::DWORD value) const;
    void CloseSource(int card);
    bool OpenSource(int card);
    // Sends message to card's open source handles, or to the own output's for the application.
    void SendToSource(int card, win::UINT outputMessage, win::UINT inputMessage) const;

    win::HWND window_;
    const HandleTable& own_;
    const HandleTable& other_;
    RouteRules rules_;
    HandleTable sources_{};
    struct Records {
        std::unique_ptr<driver::TransferBlock> own;   // 4 bytes
        std::unique_ptr<driver::TransferBlock> other; // 4 bytes
    };
    std::array<Records, driver::MaxCards> records_;
};

} // namespace windows
