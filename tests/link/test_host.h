#pragma once
// A clone host for tests: waiting cycles cost nothing, messages are answered from a script, and
// everything the transfer showed is kept for the test to look at.

#include "core/link/clone_session.h"

#include <functional>
#include <string>
#include <vector>

struct ShownMessage
{
    std::string text;
    orvo::CloneHost::Buttons buttons;
};

class TestHost : public orvo::CloneHost
{
public:
    orvo::CloneDirection directionToGive = orvo::CloneDirection::Read;
    int retriesToGive = 0;           // Retry this many times, then Cancel
    long cancelAtCycle = -1;         // report Cancel at this waiting cycle (counting from 0)
    std::function<void()> onMessage; // runs when a message is shown, before it is answered

    std::vector<std::string> statuses;
    std::vector<int> positions;
    std::vector<ShownMessage> messages;
    long cycles = 0;
    int directionAsked = 0;

    void showStatus(const orvo::Message& status) override
    {
        statuses.push_back(orvo::messageText(status));
    }
    void showProgress(int position, int) override { positions.push_back(position); }
    Cycle waitingCycle() override
    {
        return cycles++ == cancelAtCycle ? Cycle::Cancel : Cycle::Continue;
    }
    Answer showMessage(const orvo::Message& message, Buttons buttons) override
    {
        messages.push_back({orvo::messageText(message), buttons});
        if (onMessage)
            onMessage();
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return retriesToGive-- > 0 ? Answer::Retry : Answer::Cancel;
    }
    orvo::CloneDirection direction() override
    {
        ++directionAsked;
        return directionToGive;
    }
};
