#include "toolkit/DialogFocus.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kLookEveryMs = 100;
constexpr int kLooks = 50; // a portal that has not shown its dialog in 5 s is not coming

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct Free {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using Owned = std::unique_ptr<Reply, Free>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The first 32-bit value of a window's property, 0 for none.
std::uint32_t windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

bool isOurs(xcb_window_t window)
{
    for (const QWindow* own : QGuiApplication::allWindows())
        if (own->handle() && own->winId() == window)
            return true;
    return false;
}

} // namespace

DialogFocus::DialogFocus(QWidget* owner)
{
    if (!owner || !connection())
        return;
    m_owner = static_cast<unsigned int>(owner->window()->winId());
    m_timer.setInterval(kLookEveryMs);
    connect(&m_timer, &QTimer::timeout, this, &DialogFocus::look);
    m_timer.start();
}

void DialogFocus::look()
{
    xcb_connection_t* c = connection();
    if (!c || ++m_looks > kLooks) {
        m_timer.stop();
        return;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
    const Owned<xcb_get_property_reply_t> list(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, clients, XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (!list)
        return;
    const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / int(sizeof(xcb_window_t));
    for (int i = 0; i < count; ++i) {
        const xcb_window_t window = windows[i];
        if (windowProperty(c, window, XCB_ATOM_WM_TRANSIENT_FOR) != m_owner || isOurs(window))
            continue;
        // Source 2, as a pager asks: a window manager grants it whatever the
        // portal's process last saw of the user.
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = window;
        request.type = active;
        request.data.data32[0] = 2;
        request.data.data32[1] = XCB_CURRENT_TIME;
        request.data.data32[2] = m_owner;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&request));
        xcb_flush(c);
        m_timer.stop();
        return;
    }
}
