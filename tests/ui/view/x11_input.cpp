#include "x11_input.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> Take(T* reply)
{
    return Reply<T>(reply, &std::free);
}
} // namespace

CX11Input::CX11Input()
{
    int screen = 0;
    m_pConnection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(m_pConnection))
    {
        xcb_disconnect(m_pConnection);
        m_pConnection = nullptr;
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_pConnection));
    for (int k = 0; k < screen; ++k)
        xcb_screen_next(&it);
    m_root = it.data->root;
}

CX11Input::~CX11Input()
{
    if (m_pConnection)
        xcb_disconnect(m_pConnection);
}

uint32_t CX11Input::Atom(const char* name) const
{
    auto reply = Take(xcb_intern_atom_reply(
        m_pConnection, xcb_intern_atom(m_pConnection, 1, std::strlen(name), name), nullptr));
    return reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
}

QByteArray CX11Input::Property(uint32_t window, const char* name) const
{
    auto reply = Take(xcb_get_property_reply(
        m_pConnection,
        xcb_get_property(m_pConnection, 0, window, Atom(name), XCB_ATOM_ANY, 0, 1024), nullptr));
    if (!reply)
        return QByteArray();
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

QStringList CX11Input::Titles(qint64 pid) const
{
    QStringList titles;
    if (!m_pConnection)
        return titles;
    auto tree =
        Take(xcb_query_tree_reply(m_pConnection, xcb_query_tree(m_pConnection, m_root), nullptr));
    if (!tree)
        return titles;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int k = 0; k < xcb_query_tree_children_length(tree.get()); ++k)
    {
        auto attributes = Take(xcb_get_window_attributes_reply(
            m_pConnection, xcb_get_window_attributes(m_pConnection, children[k]), nullptr));
        const QByteArray windowPid = Property(children[k], "_NET_WM_PID");
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            windowPid.size() == 4 && *reinterpret_cast<const uint32_t*>(windowPid.data()) == pid)
            titles << QString("%1\t%2")
                          .arg(children[k])
                          .arg(QString::fromUtf8(Property(children[k], "_NET_WM_NAME")));
    }
    return titles;
}

uint32_t CX11Input::FindWindow(qint64 pid, const QString& title) const
{
    for (const QString& entry : Titles(pid))
        if (entry.section('\t', 1) == title)
            return entry.section('\t', 0, 0).toUInt();
    return 0;
}

void CX11Input::Click(uint32_t window, int x, int y)
{
    for (uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE})
    {
        xcb_button_press_event_t event{};
        event.response_type = type;
        event.detail = 1;
        event.time = XCB_CURRENT_TIME;
        event.root = m_root;
        event.event = window;
        event.event_x = event.root_x = static_cast<int16_t>(x);
        event.event_y = event.root_y = static_cast<int16_t>(y);
        event.state = type == XCB_BUTTON_RELEASE ? XCB_BUTTON_MASK_1 : 0;
        event.same_screen = 1;
        // No mask: the event goes to the client that made the window.
        xcb_send_event(m_pConnection, 0, window, 0, reinterpret_cast<const char*>(&event));
    }
    xcb_flush(m_pConnection);
}

uint8_t CX11Input::KeyCode(uint32_t keysym) const
{
    const xcb_setup_t* setup = xcb_get_setup(m_pConnection);
    const uint8_t first = setup->min_keycode;
    const uint8_t count = setup->max_keycode - first + 1;
    auto map = Take(xcb_get_keyboard_mapping_reply(
        m_pConnection, xcb_get_keyboard_mapping(m_pConnection, first, count), nullptr));
    if (!map)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int code = 0; code < count; ++code)
        if (syms[code * map->keysyms_per_keycode] == keysym)
            return static_cast<uint8_t>(first + code);
    return 0;
}

void CX11Input::Key(uint32_t window, uint32_t keysym, bool bControl)
{
    for (uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE})
    {
        xcb_key_press_event_t event{};
        event.response_type = type;
        event.detail = KeyCode(keysym);
        event.time = XCB_CURRENT_TIME;
        event.root = m_root;
        event.event = window;
        event.state = bControl ? XCB_MOD_MASK_CONTROL : 0;
        event.same_screen = 1;
        xcb_send_event(m_pConnection, 0, window, 0, reinterpret_cast<const char*>(&event));
    }
    xcb_flush(m_pConnection);
}
