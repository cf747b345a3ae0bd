#pragma once

#include "ostrel_export.h"

#include "platform/WindowHandle.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel::platform {

/// Where the dialogs show their error messages: a modal message box with the
/// error icon and an OK button in libostrel, a record in tests. The dialogs
/// take the process-wide sink from `MessageSink::getDefault()`; libostrel
/// installs its message boxes when it is loaded.
///
///     ScopedDefault<MessageSink> messages(std::make_unique<RecordingMessageSink>());
///     ... // confirm a dialog with an invalid value
///     messages.get<RecordingMessageSink>().messages().back().text
class OSTREL_EXPORT MessageSink {
public:
    virtual ~MessageSink() = default;

    /// Shows `text` (UTF-8) as an error with the window caption `caption`,
    /// modal over `owner` (null: no owner), and returns once the user has
    /// dismissed it.
    virtual void showError(WindowHandle owner, const std::string& caption,
                           const std::string& text) = 0;

    /// The process-wide sink. Until one is set it is a `RecordingMessageSink`,
    /// so code that runs without libostrel never blocks on a box.
    static MessageSink& getDefault();
    /// Makes `sink` the process-wide sink and returns the previous one (null
    /// when none was set). Null restores the fallback.
    static std::unique_ptr<MessageSink> setDefault(std::unique_ptr<MessageSink> sink);

protected:
    MessageSink() = default;
    MessageSink(const MessageSink&) = default;
    MessageSink& operator=(const MessageSink&) = default;
};

/// Keeps every message instead of showing it: the fallback without a
/// display, and what tests read to see which message a dialog showed.
class OSTREL_EXPORT RecordingMessageSink : public MessageSink {
public:
    struct Message {
        WindowHandle owner = nullptr;
        std::string caption;
        std::string text;
        friend bool operator==(const Message&, const Message&) = default;
    };

    void showError(WindowHandle owner, const std::string& caption,
                   const std::string& text) override;

    /// The messages shown so far, oldest first.
    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
};

} // namespace ostrel::platform
