// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/x11_frame.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace Glyphery::X11 {

namespace {

template<typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply> ReplyPointer<Reply> owned(Reply *reply)
{
    return ReplyPointer<Reply>(reply, &std::free);
}

xcb_connection_t *connection()
{
    const auto *x11
        = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t root(xcb_connection_t *x)
{
    return xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
}

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A property of 32-bit items of the given type; empty when the window has none.
QList<quint32> property(xcb_connection_t *x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const auto reply = owned(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto *items = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QList<quint32>(items, items + xcb_get_property_value_length(reply.get()) / 4);
}

// A window manager proves it runs by a window that names itself in _NET_SUPPORTING_WM_CHECK,
// as the root window names it; one that has gone leaves a stale name on the root.
bool managerRuns(xcb_connection_t *x)
{
    const xcb_atom_t check = atom(x, "_NET_SUPPORTING_WM_CHECK");
    const QList<quint32> named = property(x, root(x), check, XCB_ATOM_WINDOW);
    return !named.isEmpty() && property(x, named.first(), check, XCB_ATOM_WINDOW) == named;
}

} // namespace

FrameTeller frameTeller()
{
    xcb_connection_t *x = connection();
    if (!x)
        return FrameTeller::NoX;
    if (!managerRuns(x))
        return FrameTeller::NoManager;
    const QList<quint32> supported = property(x, root(x), atom(x, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return supported.contains(atom(x, "_NET_FRAME_EXTENTS")) ? FrameTeller::Extents
                                                             : FrameTeller::Silent;
}

std::optional<QMargins> frameExtents(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return std::nullopt;
    // left, right, top, bottom
    const QList<quint32> told = property(x, static_cast<xcb_window_t>(window),
                                         atom(x, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (told.size() != 4)
        return std::nullopt;
    return QMargins(int(told[0]), int(told[2]), int(told[1]), int(told[3]));
}

std::optional<QPoint> clientOnScreen(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return std::nullopt;
    const auto reply = owned(xcb_translate_coordinates_reply(
        x, xcb_translate_coordinates(x, static_cast<xcb_window_t>(window), root(x), 0, 0),
        nullptr));
    if (!reply)
        return std::nullopt;
    return QPoint(reply->dst_x, reply->dst_y);
}

void requestFrameExtents(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    xcb_client_message_event_t request {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(window);
    request.type = atom(x, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(x, 0, root(x),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(x);
}

FrameWatch::FrameWatch(WId window, Listener listener)
    : m_window(window)
    , m_listener(std::move(listener))
    , m_extentsAtom(atom(connection(), "_NET_FRAME_EXTENTS"))
{
    QAbstractEventDispatcher::instance()->installNativeEventFilter(this);
}

FrameWatch::~FrameWatch()
{
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->removeNativeEventFilter(this);
}

bool FrameWatch::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const bool sentByClient = event->response_type & 0x80; // the window manager, as a rule
    switch (event->response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY: {
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (change->window == m_window && change->atom == m_extentsAtom)
            m_listener(FrameNews::Extents, {});
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto *moved = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
        if (moved->window == m_window)
            m_inFrame = moved->parent != root(connection());
        break;
    }
    case XCB_MAP_NOTIFY:
        if (reinterpret_cast<const xcb_map_notify_event_t *>(event)->window == m_window) {
            m_mapped = true;
            m_listener(FrameNews::Mapped, {});
        }
        break;
    case XCB_CONFIGURE_NOTIFY: {
        const auto *place = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        if (place->window == m_window && m_mapped && (sentByClient || !m_inFrame))
            m_listener(FrameNews::Configured, QPoint(place->x, place->y));
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace Glyphery::X11
