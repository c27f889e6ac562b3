#include "simcard/server/server_link.h"

#include <algorithm>
#include <iostream>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/rtclock.h>
#include <pulse/subscribe.h>
#include <pulse/timeval.h>

namespace simcard::server {

constexpr std::chrono::milliseconds kLongestBackOff{4000};

// The libpulse callbacks, which reach the link's private parts.
struct ServerLinkCallbacks {
    static ServerLink& Link(void* self) { return *static_cast<ServerLink*>(self); }

    static void ContextState(pa_context* context, void* self) {
        ServerLink& link = Link(self);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            return Ready(link, context);
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            return Gone(link);
        default:
            return;
        }
    }

    static void Ready(ServerLink& link, pa_context* context) {
        link.ready_ = true;
        link.backOff_ = std::chrono::milliseconds(250);
        link.catalog_ = {};
        link.catalog_.ownClient = pa_context_get_index(context);
        pa_context_set_subscribe_callback(context, Event, &link);
        const auto mask = static_cast<pa_subscription_mask_t>(
            PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SINK_INPUT |
            PA_SUBSCRIPTION_MASK_SOURCE_OUTPUT | PA_SUBSCRIPTION_MASK_SERVER);
        Forget(pa_context_subscribe(context, mask, nullptr, nullptr));
        link.Sweep();
    }

    static void Gone(ServerLink& link) {
        const bool wasReady = link.ready_;
        link.ready_ = false;
        link.modules_.clear();
        link.catalog_ = {};
        link.incoming_ = {};
        link.asked_ = link.pending_ = 0;
        link.operationsInFlight_ = 0;
        if (wasReady && link.listener_.lost) link.listener_.lost();
        if (!link.stopping_) link.ScheduleReconnect();
    }

    static void Forget(pa_operation* operation) {
        if (operation) pa_operation_unref(operation);
    }

    static void Event(pa_context*, pa_subscription_event_type_t type, std::uint32_t, void* self) {
        ServerLink& link = Link(self);
        switch (type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) {
        case PA_SUBSCRIPTION_EVENT_SINK:
            link.asked_ |= ServerLink::kSinks;
            break;
        case PA_SUBSCRIPTION_EVENT_SOURCE:
            link.asked_ |= ServerLink::kSources;
            break;
        case PA_SUBSCRIPTION_EVENT_SINK_INPUT:
            link.asked_ |= ServerLink::kSinkInputs;
            break;
        case PA_SUBSCRIPTION_EVENT_SOURCE_OUTPUT:
            link.asked_ |= ServerLink::kSourceOutputs;
            break;
        case PA_SUBSCRIPTION_EVENT_SERVER:
            link.asked_ |= ServerLink::kDefaults;
            break;
        default:
            break;
        }
    }

    static void ReconnectTimer(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self) {
        ServerLink& link = Link(self);
        api->time_free(event);
        link.reconnectTimer_ = nullptr;
        link.Disconnect();
        link.Connect();
    }

    // A killed serve's modules are unloaded before the new ones load: a name still taken would make the
    // server rename the new device. Remap sources go before the sinks they hang on, which would
    // otherwise unload them on their own some time later.
    static void SweepModule(pa_context* context, const pa_module_info* info, int eol, void* self) {
        ServerLink& link = Link(self);
        if (eol == 0) {
            if (info->argument && CarriesServeMark(info->argument)) link.leftOver_.push_back(info->index);
            return;
        }
        link.operationsInFlight_ = static_cast<int>(link.leftOver_.size());
        if (link.leftOver_.empty()) return link.Swept();
        for (auto index = link.leftOver_.rbegin(); index != link.leftOver_.rend(); ++index)
            Forget(pa_context_unload_module(context, *index, SweptOne, self));
        link.leftOver_.clear();
    }

    static void SweptOne(pa_context*, int, void* self) {
        ServerLink& link = Link(self);
        if (--link.operationsInFlight_ == 0) link.Swept();
    }

    static void Loaded(pa_context*, std::uint32_t index, void* ticket) {
        const auto& [link, card] = *static_cast<ServerLink::LoadTicket*>(ticket);
        if (index == PA_INVALID_INDEX) {
            std::cerr << "kova2-card serve: the sound server refused a device of card " << card + 1 << '\n';
            return;
        }
        if (link->cards_.contains(card))
            link->modules_[card].push_back(index);
        else
            link->UnloadModule(index);
    }

    static void Unloaded(pa_context*, int, void* self) {
        ServerLink& link = Link(self);
        --link.operationsInFlight_;
    }

    // A list's end: the catalog takes what came, the refresh of that kind is done.
    template <class Field> static void Arrived(ServerLink& link, Field field, unsigned kind) {
        link.catalog_.*field = std::move(link.incoming_.*field);
        link.incoming_.*field = {};
        link.pending_ &= ~kind;
        if (link.listener_.changed) link.listener_.changed();
    }

    // A sink's or a source's entry of a device list.
    template <auto Field, unsigned Kind, class Info>
    static void Device(pa_context*, const Info* info, int eol, void* self) {
        ServerLink& link = Link(self);
        if (eol) return Arrived(link, Field, Kind);
        (link.incoming_.*Field)[info->name] = {info->index, info->sample_spec.rate};
    }

    static void SinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* self) {
        ServerLink& link = Link(self);
        if (eol) return Arrived(link, &ServerCatalog::sinkInputs, ServerLink::kSinkInputs);
        link.incoming_.sinkInputs.push_back({info->sink, info->client});
    }

    static void SourceOutput(pa_context*, const pa_source_output_info* info, int eol, void* self) {
        ServerLink& link = Link(self);
        if (eol) return Arrived(link, &ServerCatalog::sourceOutputs, ServerLink::kSourceOutputs);
        link.incoming_.sourceOutputs.push_back({info->source, info->client});
    }

    static void Server(pa_context*, const pa_server_info* info, void* self) {
        ServerLink& link = Link(self);
        link.catalog_.defaults = {info->default_sink_name ? info->default_sink_name : "",
                                  info->default_source_name ? info->default_source_name : ""};
        link.pending_ &= ~ServerLink::kDefaults;
        if (link.listener_.changed) link.listener_.changed();
    }
};

ServerLink::ServerLink(pa_mainloop* mainloop, Listener listener)
    : mainloop_(mainloop), listener_(std::move(listener)) {
    for (int card = 0; card < static_cast<int>(loadTickets_.size()); ++card)
        loadTickets_[card] = {this, card};
}

ServerLink::~ServerLink() {
    stopping_ = true;
    if (reconnectTimer_) pa_mainloop_get_api(mainloop_)->time_free(reconnectTimer_);
    Disconnect();
}

void ServerLink::Start() {
    Connect();
}

void ServerLink::Connect() {
    pa_mainloop_api* api = pa_mainloop_get_api(mainloop_);
    context_ = pa_context_new(api, "kova2-card serve");
    if (!context_) return ScheduleReconnect();
    pa_context_set_state_callback(context_, ServerLinkCallbacks::ContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) ScheduleReconnect();
}

void ServerLink::Disconnect() {
    if (!context_) return;
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_set_subscribe_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
    ready_ = false;
}

void ServerLink::ScheduleReconnect() {
    if (reconnectTimer_ || stopping_) return;
    timeval when;
    pa_gettimeofday(&when);
    pa_timeval_add(&when, std::chrono::microseconds(backOff_).count());
    reconnectTimer_ = pa_mainloop_get_api(mainloop_)->time_new(pa_mainloop_get_api(mainloop_), &when,
                                                               ServerLinkCallbacks::ReconnectTimer, this);
    backOff_ = std::min(backOff_ * 2, kLongestBackOff);
}

void ServerLink::Sweep() {
    leftOver_.clear();
    ServerLinkCallbacks::Forget(
        pa_context_get_module_info_list(context_, ServerLinkCallbacks::SweepModule, this));
}

void ServerLink::Swept() {
    asked_ = kSinks | kSources | kSinkInputs | kSourceOutputs | kDefaults;
    for (const int card : cards_)
        LoadCardModules(card);
    if (listener_.connected) listener_.connected();
}

void ServerLink::Stop() {
    stopping_ = true;
    if (reconnectTimer_) {
        pa_mainloop_get_api(mainloop_)->time_free(reconnectTimer_);
        reconnectTimer_ = nullptr;
    }
    if (ready_) {
        for (const auto& [card, indices] : modules_) {
            for (auto index = indices.rbegin(); index != indices.rend(); ++index) {
                ++operationsInFlight_;
                ServerLinkCallbacks::Forget(
                    pa_context_unload_module(context_, *index, ServerLinkCallbacks::Unloaded, this));
            }
        }
        modules_.clear();
        while (ready_ && operationsInFlight_ > 0) {
            if (pa_mainloop_iterate(mainloop_, 1, nullptr) < 0) break;
        }
    }
    Disconnect();
}

void ServerLink::AddCard(int card) {
    if (!cards_.insert(card).second) return;
    if (ready_) LoadCardModules(card);
}

void ServerLink::LoadCardModules(int card) {
    for (const Endpoint endpoint : kEndpoints) {
        for (const ModuleLoad& load : EndpointModules(card, endpoint)) {
            ServerLinkCallbacks::Forget(
                pa_context_load_module(context_, load.module.c_str(), load.arguments.c_str(),
                                       ServerLinkCallbacks::Loaded, &loadTickets_[card]));
        }
    }
}

void ServerLink::RemoveCard(int card) {
    if (!cards_.erase(card)) return;
    const auto found = modules_.find(card);
    if (found == modules_.end()) return;
    // The remap sources go before the sinks they hang on.
    for (auto index = found->second.rbegin(); index != found->second.rend(); ++index)
        UnloadModule(*index);
    modules_.erase(found);
}

void ServerLink::UnloadModule(std::uint32_t index) {
    if (ready_) ServerLinkCallbacks::Forget(pa_context_unload_module(context_, index, nullptr, nullptr));
}

void ServerLink::RefreshIfAsked() {
    if (!ready_) return;
    const unsigned wanted = asked_ & ~pending_;
    if (!wanted) return;
    pending_ |= wanted;
    asked_ &= ~wanted;
    using C = ServerLinkCallbacks;
    if (wanted & kSinks)
        C::Forget(pa_context_get_sink_info_list(
            context_, C::Device<&ServerCatalog::sinks, kSinks, pa_sink_info>, this));
    if (wanted & kSources) {
        C::Forget(pa_context_get_source_info_list(
            context_, C::Device<&ServerCatalog::sources, kSources, pa_source_info>, this));
    }
    if (wanted & kSinkInputs) C::Forget(pa_context_get_sink_input_info_list(context_, C::SinkInput, this));
    if (wanted & kSourceOutputs)
        C::Forget(pa_context_get_source_output_info_list(context_, C::SourceOutput, this));
    if (wanted & kDefaults) C::Forget(pa_context_get_server_info(context_, C::Server, this));
}

} // namespace simcard::server
