#pragma once

#include <functional>

#include "run/calculation_run.h"

namespace passcat::testing {

// Everything a run shows, in order: "busy on", "busy off", or a message's text.
struct RecordingObserver final : RunObserver {
    void setBusy(bool busy) override { events.push_back(busy ? "busy on" : "busy off"); }
    void showMessage(const RunMessage& message) override
    {
        events.push_back(message.text.toStdString());
        messages.push_back(message);
    }
    void inputFound() override { onInputFound ? onInputFound() : void(); }

    std::vector<std::string> events;
    std::vector<RunMessage> messages;
    std::function<void()> onInputFound; // where the run has found its input and not yet opened it
};

} // namespace passcat::testing
