#pragma once

#include "ostrel_export.h"

#include "platform/CalendarClock.h"
#include "platform/MessageSink.h"
#include "platform/Monitors.h"
#include "platform/Registry.h"

namespace ostrel::platform {

/// What a dialog model talks to the outside world through: the settings
/// store, the monitor query, the calendar clock and the message sink. A
/// model takes them at construction; each one left null is the process-wide
/// one (`getDefault()`), looked up when it is used, so that a host or a test
/// that replaces a default reaches every model made after it:
///
///     MemoryRegistry store;
///     RecordingMessageSink messages;
///     IdentificationModel model(document, {.settings = &store, .messages = &messages});
///
/// The services are not owned and must outlive the model.
struct OSTREL_EXPORT Services {
    Registry* settings = nullptr;
    Monitors* monitors = nullptr;
    CalendarClock* clock = nullptr;
    MessageSink* messages = nullptr;

    Registry& settingsStore() const { return settings ? *settings : Registry::getDefault(); }
    Monitors& monitorQuery() const { return monitors ? *monitors : Monitors::getDefault(); }
    CalendarClock& calendarClock() const { return clock ? *clock : CalendarClock::getDefault(); }
    MessageSink& messageSink() const { return messages ? *messages : MessageSink::getDefault(); }
};

} // namespace ostrel::platform
