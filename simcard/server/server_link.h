#pragma once
// serve's connection to the sound server on serve's libpulse mainloop: connects (the usual
// environment, PULSE_SERVER included, chooses the server), reconnects with a growing pause while the
// server is away, keeps the catalog of devices and streams fresh from the server's change events, and
// loads and unloads serve's modules. On each connection it first unloads what carries serve's mark,
// so that a killed serve's devices do not pile up. Everything runs on the mainloop's one thread.
#include "simcard/server/card_endpoints.h"
#include "simcard/server/server_catalog.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

struct pa_context;
struct pa_mainloop_api;
struct pa_mainloop;
struct pa_time_event;
struct timeval;

namespace simcard::server {

class ServerLink {
public:
    struct Listener {
        std::function<void()> connected; // the sweep is done: the cards' modules may be loaded
        std::function<void()> lost;      // the streams died with the connection
        std::function<void()> changed;   // the catalog changed
    };

    ServerLink(pa_mainloop* mainloop, Listener listener);
    ~ServerLink();
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    void Start();
    // Unloads every module serve loaded and runs the mainloop until the server has done so or the
    // connection is gone, then disconnects.
    void Stop();

    // The connected context, or nullptr while there is none.
    pa_context* context() const { return ready_ ? context_ : nullptr; }
    const ServerCatalog& catalog() const { return catalog_; }

    // The modules of the card's endpoints; nothing while not connected.
    void AddCard(int card);
    void RemoveCard(int card);

    // Starts the refreshes that change events asked for (coalesced: called once per block).
    void RefreshIfAsked();

private:
    enum Refresh : unsigned { kSinks = 1, kSources = 2, kSinkInputs = 4, kSourceOutputs = 8, kDefaults = 16 };

    void Connect();
    void Disconnect();
    void ScheduleReconnect();
    void Sweep();
    // The sweep's unloads are done: serve's own modules may come.
    void Swept();
    void LoadCardModules(int card);
    void UnloadModule(std::uint32_t index);

    pa_mainloop* mainloop_;
    Listener listener_;
    pa_context* context_ = nullptr;
    bool ready_ = false;
    bool stopping_ = false;
    pa_time_event* reconnectTimer_ = nullptr;
    std::chrono::milliseconds backOff_{250};
    unsigned asked_ = 0;   // Refresh bits asked for by events
    unsigned pending_ = 0; // Refresh bits whose lists are on their way
    ServerCatalog catalog_;
    ServerCatalog incoming_;                            // lists being received
    std::set<int> cards_;                               // cards whose modules should be there
    std::map<int, std::vector<std::uint32_t>> modules_; // card → loaded module indices
    int operationsInFlight_ = 0;                        // unloads Stop and the sweep wait for
    std::vector<std::uint32_t> leftOver_;               // marked modules the sweep found
    struct LoadTicket {
        ServerLink* link;
        int card;
    };
    std::array<LoadTicket, 4> loadTickets_; // the user data of a card's module loads

    friend struct ServerLinkCallbacks;
};

} // namespace simcard::server
