#include "platform/MessageSink.h"

#include "platform/detail/ProcessWide.h"

namespace ostrel::platform {

using DefaultSink = detail::ProcessWide<MessageSink, RecordingMessageSink>;

MessageSink& MessageSink::getDefault() {
    return DefaultSink::get();
}

std::unique_ptr<MessageSink> MessageSink::setDefault(std::unique_ptr<MessageSink> sink) {
    return DefaultSink::replace(std::move(sink));
}

void RecordingMessageSink::showError(WindowHandle owner, const std::string& caption,
                                     const std::string& text) {
    messages_.push_back({owner, caption, text});
}

} // namespace ostrel::platform
