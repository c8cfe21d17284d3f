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
        return MessageAnswer::Ok;
    }

    std::vector<UserMessage> m_messages;
};
