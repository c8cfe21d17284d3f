#pragma once
// Drives another program's windows on the test's own X display as a person
// would: finds its windows by process and title, clicks and types into
// them. The events are synthetic core events sent to the window itself,
// which Qt takes like real ones (the test display has no XTest extension).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

struct xcb_connection_t;

class CX11Input
{
  public:
    CX11Input();
    ~CX11Input();
    CX11Input(const CX11Input&) = delete;
    CX11Input& operator=(const CX11Input&) = delete;

    bool IsConnected() const { return m_pConnection != nullptr; }
    // The mapped top-level window of process `pid` titled `title`, or 0.
    uint32_t FindWindow(qint64 pid, const QString& title) const;
    // The titles of the process's mapped windows, for a failure's message.
    QStringList Titles(qint64 pid) const;
    // A left click at `x`, `y` in the window's own pixels.
    void Click(uint32_t window, int x, int y);
    // One key (an X keysym, lower case for letters), with Control held when asked.
    void Key(uint32_t window, uint32_t keysym, bool bControl = false);

  private:
    uint8_t KeyCode(uint32_t keysym) const;
    QByteArray Property(uint32_t window, const char* name) const;
    uint32_t Atom(const char* name) const;

    xcb_connection_t* m_pConnection = nullptr;
    uint32_t m_root = 0;
};
