#include "simcard/server/server_query.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/rtclock.h>

namespace simcard::server {
namespace {

struct Query {
    ServerCatalog catalog;
    int listsOpen = 3; // sinks, sources, server
    bool failed = false;
};

// A sink's or a source's entry of a device list.
template <auto Field, class Info> void OnDevice(pa_context*, const Info* info, int eol, void* query) {
    auto& q = *static_cast<Query*>(query);
    if (eol) {
        --q.listsOpen;
        return;
    }
    (q.catalog.*Field)[info->name] = {info->index, info->sample_spec.rate};
}

void OnServer(pa_context*, const pa_server_info* info, void* query) {
    auto& q = *static_cast<Query*>(query);
    if (info) {
        q.catalog.defaults = {info->default_sink_name ? info->default_sink_name : "",
                              info->default_source_name ? info->default_source_name : ""};
    }
    --q.listsOpen;
}

void Forget(pa_operation* operation) {
    if (operation) pa_operation_unref(operation);
}

} // namespace

std::optional<ServerCatalog> QueryServerDevices(std::chrono::milliseconds timeout) {
    pa_mainloop* mainloop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(mainloop), "kova2-card");
    Query query;
    bool asked = false;
    const pa_usec_t deadline = pa_rtclock_now() + std::chrono::microseconds(timeout).count();
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        while (pa_rtclock_now() < deadline && query.listsOpen > 0) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (!PA_CONTEXT_IS_GOOD(state)) {
                query.failed = true;
                break;
            }
            if (state == PA_CONTEXT_READY && !asked) {
                asked = true;
                Forget(pa_context_get_sink_info_list(context, OnDevice<&ServerCatalog::sinks, pa_sink_info>,
                                                     &query));
                Forget(pa_context_get_source_info_list(
                    context, OnDevice<&ServerCatalog::sources, pa_source_info>, &query));
                Forget(pa_context_get_server_info(context, OnServer, &query));
            }
            pa_mainloop_prepare(mainloop, 50'000);
            pa_mainloop_poll(mainloop);
            pa_mainloop_dispatch(mainloop);
        }
    } else {
        query.failed = true;
    }
    if (context) {
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
    pa_mainloop_free(mainloop);
    if (query.failed || query.listsOpen > 0) return std::nullopt;
    return query.catalog;
}

} // namespace simcard::server
