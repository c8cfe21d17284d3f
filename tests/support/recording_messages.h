#pragma once
// Records the message boxes core code shows, for the length of a test.

#include "model/user_messages.h"

#include <vector>

class RecordingMessages : public CUserMessages
{
  public:
    RecordingMessages() { SetUserMessages(this); }
    ~RecordingMessages() override { SetUserMessages(nullptr); }

    MessageAnswer Show(const UserMessage& message) override
    {
        m_messages.push_back(message);
        switch (message.buttons)
        {
        case MessageButtons::YesNo:
            return m_bAgree ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::OkCancel:
            return m_bAgree ? MessageAnswer::Ok : MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }

    std::vector<UserMessage> m_messages;
    bool m_bAgree = true; // the answer to questions: Yes (or OK), else No (or Cancel)
};
