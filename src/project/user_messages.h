#pragma once
// Message boxes without Qt: core code reports through this interface; the
// GUI shows a QMessageBox, the command line prints to standard error and
// tests record what was said.

#include <string>

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Error,
    Question,
};

enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    SaveDiscardCancel, // before unsaved changes are thrown away
};

enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    Save,
    Discard,
};

struct UserMessage
{
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class CUserMessages
{
public:
    virtual ~CUserMessages() = default;
    virtual MessageAnswer Show(const UserMessage& message) = 0;
};

// Prints "caption: text" to standard error and answers the default button.
class CStderrMessages : public CUserMessages
{
public:
    MessageAnswer Show(const UserMessage& message) override;
};

// The process-wide sink; standard error until someone installs another.
CUserMessages& UserMessages();
void SetUserMessages(CUserMessages* sink); // null restores standard error

MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                          MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);
