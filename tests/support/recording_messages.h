#pragma once
// Records the message boxes core code shows, for the length of a test.

#include "project/user_messages.h"

#include <deque>
#include <vector>

class RecordingMessages : public CUserMessages
{
  public:
    RecordingMessages() { SetUserMessages(this); }
    ~RecordingMessages() override { SetUserMessages(nullptr); }

    MessageAnswer Show(const UserMessage& message) override
    {
        m_messages.push_back(message);
        if (!m_answers.empty())
        {
            const MessageAnswer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        switch (message.buttons)
        {
        case MessageButtons::YesNo:
            return m_bAgree ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::OkCancel:
            return m_bAgree ? MessageAnswer::Ok : MessageAnswer::Cancel;
        case MessageButtons::SaveDiscardCancel:
            return m_bAgree ? MessageAnswer::Discard : MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
        }
        return MessageAnswer::Ok;
    }

    // True when some message's text holds `text`.
    bool Said(const std::string& text) const
    {
        for (const UserMessage& message : m_messages)
            if (message.text.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::vector<UserMessage> m_messages;
    std::deque<MessageAnswer> m_answers; // given first, in order, when set
    bool m_bAgree = true; // the answer to questions: Yes (or OK), else No (or Cancel)
};
