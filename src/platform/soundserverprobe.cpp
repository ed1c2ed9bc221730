#include "platform/soundserverprobe.h"

#include <chrono>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

namespace kelvatron {

namespace {

struct Probe {
    SoundServerOutput output;
    bool done = false;
};

void onSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto& probe = *static_cast<Probe*>(data);
    if (info) {
        probe.output.sink = info->name ? info->name : "";
        probe.output.description = info->description ? info->description : "";
    }
    if (eol) probe.done = true;
}

void onServer(pa_context* context, const pa_server_info* info, void* data) {
    auto& probe = *static_cast<Probe*>(data);
    probe.output.answered = true;
    probe.output.server = std::string(info->server_name ? info->server_name : "") + " " +
                          (info->server_version ? info->server_version : "");
    // A name the server cannot resolve to an output is reported as no output.
    if (!info->default_sink_name || !*info->default_sink_name) {
        probe.done = true;
        return;
    }
    pa_operation* op =
        pa_context_get_sink_info_by_name(context, info->default_sink_name, onSink, data);
    if (op)
        pa_operation_unref(op);
    else
        probe.done = true;
}

void onState(pa_context* context, void* data) {
    auto& probe = *static_cast<Probe*>(data);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        if (pa_operation* op = pa_context_get_server_info(context, onServer, data))
            pa_operation_unref(op);
    } else if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) {
        probe.done = true;
    }
}

} // namespace

SoundServerOutput probeSoundServer() {
    Probe probe;
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Kelvatron probe");
    pa_context_set_state_callback(context, onState, &probe);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (!probe.done && std::chrono::steady_clock::now() < end)
            pa_mainloop_iterate(loop, 1, nullptr);
    }
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return probe.output;
}

std::string silentServerReason(const SoundServerOutput& output) {
    if (!output.answered) return {};
    const std::string server = "Звуковой сервер (" + output.server + ")";
    const std::string todo =
        "\nПодключите звуковую карту, наушники или колонки (или выберите "
        "выход в настройках звука рабочего стола) и запустите программу снова.";
    if (output.sink.empty())
        return server + " отвечает, но выхода для звука у него нет: сигналы не будут слышны." +
               todo;
    if (output.sink == "auto_null")
        return server + " не нашёл звуковой карты и выводит звук на пустой выход «" +
               output.description + "»: сигналы не будут слышны." + todo;
    return {};
}

} // namespace kelvatron
