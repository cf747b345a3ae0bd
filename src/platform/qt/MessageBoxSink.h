#pragma once

#include "ostrel_export.h"

#include "platform/MessageSink.h"

namespace ostrel::platform {

/// Error messages in a modal QMessageBox with the critical icon and an OK
/// button. The owner handle is a QWidget* (the dialog that reports); the box
/// is centred on it and blocks it until dismissed.
class OSTREL_EXPORT MessageBoxSink : public MessageSink {
public:
    void showError(WindowHandle owner, const std::string& caption,
                   const std::string& text) override;
};

} // namespace ostrel::platform
