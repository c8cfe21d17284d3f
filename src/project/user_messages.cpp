#include "project/user_messages.h"

#include <cstdio>

namespace
{
CStderrMessages g_stderrMessages;
CUserMessages* g_pSink = &g_stderrMessages;
} // namespace

MessageAnswer CStderrMessages::Show(const UserMessage& message)
{
    std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    switch (message.buttons)
    {
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::SaveDiscardCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

CUserMessages& UserMessages() { return *g_pSink; }

void SetUserMessages(CUserMessages* sink) { g_pSink = sink ? sink : &g_stderrMessages; }

MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons)
{
    return UserMessages().Show(UserMessage{text, caption, icon, buttons});
}
