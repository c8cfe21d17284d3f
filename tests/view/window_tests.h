#pragma once
// Entry points of the window's test suites and what they share: a project
// with a test-pattern video and a camera, and message boxes answered by
// the test.

#include "model/user_messages.h"
#include "support/project_fixture.h"

#include <deque>
#include <vector>

int RunViewTests(int argc, char** argv);
int RunMainFrameTests(int argc, char** argv);

// Records every message box and answers from a script (Ok when it runs out).
class ScriptedMessages : public CUserMessages
{
public:
    ScriptedMessages() { SetUserMessages(this); }
    ~ScriptedMessages() override { SetUserMessages(nullptr); }

    MessageAnswer Show(const UserMessage& message) override
    {
        m_messages.push_back(message);
        if (m_answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::vector<UserMessage> m_messages;
    std::deque<MessageAnswer> m_answers;
};

// Writes into `folder` a 64 x 48 test-pattern video configuration "v.cfg"
// (or `pipeline` instead), a camera "c.dat" for it and an empty project
// "p.zel" using both; returns the project's path.
std::string WriteVideoProject(const ScratchFolder& folder,
                              const std::string& pipeline = "videotestsrc ! "
                                                            "video/x-raw,width=64,height=48");
