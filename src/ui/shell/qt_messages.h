#pragma once
// The GUI's message boxes: what core code reports through CUserMessages is
// shown as a modal QMessageBox over the active window, in the window's language.

#include "project/user_messages.h"

class CQtMessages : public CUserMessages
{
  public:
    MessageAnswer Show(const UserMessage& message) override;
};
