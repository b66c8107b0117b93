#include "platform/X11ShowWindows.h"

#include <QElapsedTimer>
#include <QThread>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <poll.h>
#include <string>
#include <vector>

namespace {

// How the office names its show window while it has not said it is full screen yet.
const QString kShowTitlePrefix = QStringLiteral("Presenting: ");

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> reply(T* value)
{
    return Reply<T>(value, &std::free);
}

class Connection
{
public:
    Connection()
    {
        int screenNumber = 0;
        m_connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(m_connection))
            return;
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber && screens.rem; ++i)
            xcb_screen_next(&screens);
        if (screens.rem)
            m_root = screens.data->root;
    }
    ~Connection() { xcb_disconnect(m_connection); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return m_root != 0; }
    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }

    // Asked of the server once per connection: a poll describes many windows.
    xcb_atom_t atom(const char* name) const
    {
        if (const auto known = m_atoms.find(name); known != m_atoms.end())
            return known->second;
        auto answer = reply(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr));
        const xcb_atom_t atom = answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
        m_atoms.emplace(name, atom);
        return atom;
    }

    // A property's 32-bit items (windows, atoms, cardinals).
    std::vector<uint32_t> cardinals(xcb_window_t window, xcb_atom_t property) const
    {
        auto answer = reply(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, property, XCB_ATOM_ANY, 0, 4096), nullptr));
        if (!answer || answer->format != 32)
            return {};
        const auto* items = static_cast<const uint32_t*>(xcb_get_property_value(answer.get()));
        return std::vector<uint32_t>(items,
                                     items + xcb_get_property_value_length(answer.get()) / 4);
    }

    QString text(xcb_window_t window, xcb_atom_t property) const
    {
        auto answer = reply(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, property, XCB_ATOM_ANY, 0, 1024), nullptr));
        if (!answer || answer->format != 8)
            return QString();
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(answer.get())),
                                 xcb_get_property_value_length(answer.get()));
    }

    // The window manager, when one runs, names a window of its own on the root.
    bool windowManagerRuns() const
    {
        return !cardinals(m_root, atom("_NET_SUPPORTING_WM_CHECK")).empty();
    }

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    mutable std::map<std::string, xcb_atom_t> m_atoms;
};

X11ShowWindows::Window describe(const Connection& x, xcb_window_t id)
{
    X11ShowWindows::Window window;
    window.id = id;
    const std::vector<uint32_t> pid = x.cardinals(id, x.atom("_NET_WM_PID"));
    window.pid = pid.empty() ? 0 : pid.front();
    window.title = x.text(id, x.atom("_NET_WM_NAME"));
    if (window.title.isEmpty())
        window.title = x.text(id, XCB_ATOM_WM_NAME);
    const xcb_atom_t fullScreen = x.atom("_NET_WM_STATE_FULLSCREEN");
    for (uint32_t state : x.cardinals(id, x.atom("_NET_WM_STATE")))
        window.fullScreen = window.fullScreen || state == fullScreen;
    const xcb_atom_t dialogType = x.atom("_NET_WM_WINDOW_TYPE_DIALOG");
    for (uint32_t type : x.cardinals(id, x.atom("_NET_WM_WINDOW_TYPE")))
        window.dialog = window.dialog || type == dialogType;
    window.dialog = window.dialog || !x.cardinals(id, XCB_ATOM_WM_TRANSIENT_FOR).empty();
    auto attributes = reply(
        xcb_get_window_attributes_reply(x.get(), xcb_get_window_attributes(x.get(), id), nullptr));
    window.viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    auto geometry = reply(xcb_get_geometry_reply(x.get(), xcb_get_geometry(x.get(), id), nullptr));
    auto origin = reply(xcb_translate_coordinates_reply(
        x.get(), xcb_translate_coordinates(x.get(), id, x.root(), 0, 0), nullptr));
    if (geometry && origin)
        window.geometry = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    return window;
}

bool isShowOf(const X11ShowWindows::Window& window, qint64 officePid)
{
    return window.pid == officePid &&
           (window.fullScreen || window.title.startsWith(kShowTitlePrefix));
}

QList<X11ShowWindows::Window> clientWindows(const Connection& x)
{
    QList<X11ShowWindows::Window> windows;
    std::vector<uint32_t> ids = x.cardinals(x.root(), x.atom("_NET_CLIENT_LIST_STACKING"));
    if (ids.empty() && !x.windowManagerRuns()) {
        // Without a window manager the clients' windows are the root's own children.
        auto tree =
            reply(xcb_query_tree_reply(x.get(), xcb_query_tree(x.get(), x.root()), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            ids.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    for (uint32_t id : ids) {
        X11ShowWindows::Window window = describe(x, id);
        if (window.pid != 0 || !window.title.isEmpty())
            windows.append(window);
    }
    return windows;
}

QList<X11ShowWindows::Window> showsOf(const Connection& x, qint64 officePid)
{
    QList<X11ShowWindows::Window> shows;
    for (const X11ShowWindows::Window& window : clientWindows(x)) {
        if (isShowOf(window, officePid))
            shows.append(window);
    }
    return shows;
}

// Asks the window manager to activate window as a pager asks (source 2): window managers that
// keep applications from stealing the focus grant it, and de-iconify the window on the way.
void sendActivation(const Connection& x, xcb_window_t window)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = x.atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x.get(), 0, x.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(x.get());
}

// Activates the topmost window that find() names, asking again until it is the active one.
bool activateFirst(const Connection& x,
                   const std::function<QList<X11ShowWindows::Window>(const Connection&)>& find,
                   int timeoutMs)
{
    const bool managed = x.windowManagerRuns();
    const xcb_atom_t activeWindow = x.atom("_NET_ACTIVE_WINDOW");
    QElapsedTimer timer;
    timer.start();
    qint64 lastAsked = -1000;
    while (timer.elapsed() <= timeoutMs) {
        const QList<X11ShowWindows::Window> shows = find(x);
        if (!shows.isEmpty()) {
            const X11ShowWindows::Window& show = shows.last();
            if (!managed) {
                // Nobody else stacks or focuses windows: do it ourselves, once it is mapped.
                if (show.viewable) {
                    const uint32_t above = XCB_STACK_MODE_ABOVE;
                    xcb_configure_window(x.get(), show.id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
                    xcb_set_input_focus(x.get(), XCB_INPUT_FOCUS_PARENT, show.id, XCB_CURRENT_TIME);
                    xcb_flush(x.get());
                    return true;
                }
                xcb_map_window(x.get(), show.id);
                xcb_flush(x.get());
                QThread::msleep(10);
                continue;
            }
            const std::vector<uint32_t> active = x.cardinals(x.root(), activeWindow);
            if (show.viewable && !active.empty() && active.front() == show.id)
                return true;
            if (timer.elapsed() - lastAsked >= 100) {
                lastAsked = timer.elapsed();
                sendActivation(x, show.id);
            }
        }
        QThread::msleep(10);
    }
    return false;
}

// Makes front the active window again, in front of the shows of officePid, even when it still is
// the active one: a window manager may have put a new window over it without the keys.
bool bringBack(const Connection& x, xcb_window_t front, qint64 officePid, int timeoutMs)
{
    if (!x.windowManagerRuns()) {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(x.get(), front, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(x.get(), XCB_INPUT_FOCUS_PARENT, front, XCB_CURRENT_TIME);
        xcb_flush(x.get());
        return true;
    }
    const xcb_atom_t activeWindow = x.atom("_NET_ACTIVE_WINDOW");
    const xcb_atom_t stacking = x.atom("_NET_CLIENT_LIST_STACKING");
    QElapsedTimer timer;
    timer.start();
    qint64 lastAsked = -1000;
    while (timer.elapsed() <= timeoutMs) {
        if (timer.elapsed() - lastAsked >= 100) {
            lastAsked = timer.elapsed();
            sendActivation(x, front);
        }
        const std::vector<uint32_t> active = x.cardinals(x.root(), activeWindow);
        const std::vector<uint32_t> order = x.cardinals(x.root(), stacking);
        const auto frontAt = std::find(order.cbegin(), order.cend(), front);
        const bool inFront =
            frontAt != order.cend() && std::none_of(frontAt, order.cend(), [&](uint32_t above) {
                return isShowOf(describe(x, above), officePid);
            });
        if (!active.empty() && active.front() == front && inFront)
            return true;
        QThread::msleep(2);
    }
    return false;
}

} // namespace

QList<X11ShowWindows::Window> X11ShowWindows::topLevelWindows()
{
    const Connection x;
    return x.ok() ? clientWindows(x) : QList<Window>();
}

QList<X11ShowWindows::Window> X11ShowWindows::showWindowsOf(qint64 officePid)
{
    const Connection x;
    return x.ok() && officePid > 0 ? showsOf(x, officePid) : QList<Window>();
}

bool X11ShowWindows::activateShow(qint64 officePid, int timeoutMs)
{
    const Connection x;
    if (!x.ok() || officePid <= 0)
        return false;
    return activateFirst(
        x, [officePid](const Connection& c) { return showsOf(c, officePid); }, timeoutMs);
}

bool X11ShowWindows::activate(quint32 windowId, int timeoutMs)
{
    const Connection x;
    if (!x.ok() || windowId == 0)
        return false;
    return activateFirst(
        x, [windowId](const Connection& c) { return QList<Window>{describe(c, windowId)}; },
        timeoutMs);
}

X11ShowWindows::Window X11ShowWindows::activeWindow()
{
    const Connection x;
    if (!x.ok())
        return Window();
    const std::vector<uint32_t> active = x.cardinals(x.root(), x.atom("_NET_ACTIVE_WINDOW"));
    return active.empty() || active.front() == 0 ? Window() : describe(x, active.front());
}

bool X11ShowWindows::keepInFront(quint32 front, qint64 officePid, const std::atomic<bool>& stop,
                                 int timeoutMs)
{
    const Connection x;
    if (!x.ok() || front == 0 || officePid <= 0)
        return false;
    // Told of every window mapped on the root (frames, under a window manager), so that the
    // show is sent back within a round trip or two of coming up, before the office paints it.
    const uint32_t mapped = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.get(), x.root(), XCB_CW_EVENT_MASK, &mapped);
    xcb_flush(x.get());
    pollfd events = {xcb_get_file_descriptor(x.get()), POLLIN, 0};
    auto drain = [&x] {
        bool any = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.get())) {
            std::free(event);
            any = true;
        }
        return any;
    };
    QElapsedTimer timer;
    timer.start();
    while (!stop && timer.elapsed() <= timeoutMs) {
        const QList<Window> shows = showsOf(x, officePid);
        if (std::any_of(shows.cbegin(), shows.cend(), [](const Window& w) { return w.viewable; }))
            return bringBack(x, front, officePid, timeoutMs - int(timer.elapsed()));
        if (!drain()) {
            poll(&events, 1, 5);
            drain();
        }
    }
    return false;
}

int X11ShowWindows::monitorIndexOf(const QRect& geometry)
{
    const Connection x;
    if (!x.ok())
        return -1;
    auto monitors = reply(xcb_randr_get_monitors_reply(
        x.get(), xcb_randr_get_monitors(x.get(), x.root(), 1), nullptr));
    if (!monitors)
        return -1;
    int index = 0;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem;
         xcb_randr_monitor_info_next(&it), ++index) {
        // A monitor without an output of its own (one set up by hand) is not one of the
        // office's displays.
        if (xcb_randr_monitor_info_outputs_length(it.data) == 0) {
            --index;
            continue;
        }
        if (QRect(it.data->x, it.data->y, it.data->width, it.data->height) == geometry)
            return index;
    }
    return -1;
}

bool X11ShowWindows::placeShow(qint64 officePid, const QRect& monitor, int timeoutMs)
{
    const Connection x;
    if (!x.ok() || officePid <= 0 || monitor.isEmpty())
        return false;
    QList<Window> shows = showsOf(x, officePid);
    if (shows.isEmpty())
        return false;
    const Window show = shows.last();
    if (show.geometry == monitor)
        return true;
    if (!x.windowManagerRuns()) {
        const uint32_t place[] = {uint32_t(monitor.x()), uint32_t(monitor.y()),
                                  uint32_t(monitor.width()), uint32_t(monitor.height())};
        xcb_configure_window(x.get(), show.id,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                 XCB_CONFIG_WINDOW_HEIGHT,
                             place);
        xcb_flush(x.get());
    } else {
        // A full-screen window stays where it is: out of full screen, moved onto the monitor,
        // and back into full screen there.
        auto send = [&](xcb_atom_t type, std::initializer_list<uint32_t> data) {
            xcb_client_message_event_t event = {};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = show.id;
            event.type = type;
            int i = 0;
            for (uint32_t value : data)
                event.data.data32[i++] = value;
            xcb_send_event(x.get(), 0, x.root(),
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&event));
        };
        // The office caps its window at the size of the screens it knows of; one it does not
        // know would stay partly empty.
        std::vector<uint32_t> hints = x.cardinals(show.id, XCB_ATOM_WM_NORMAL_HINTS);
        constexpr uint32_t kMaximumSize = 1u << 5;
        if (!hints.empty() && (hints[0] & kMaximumSize)) {
            hints[0] &= ~kMaximumSize;
            xcb_change_property(x.get(), XCB_PROP_MODE_REPLACE, show.id, XCB_ATOM_WM_NORMAL_HINTS,
                                XCB_ATOM_WM_SIZE_HINTS, 32, uint32_t(hints.size()), hints.data());
        }
        const xcb_atom_t state = x.atom("_NET_WM_STATE");
        const xcb_atom_t fullScreen = x.atom("_NET_WM_STATE_FULLSCREEN");
        constexpr uint32_t kRemove = 0, kAdd = 1, kPager = 2;
        send(state, {kRemove, fullScreen, 0, kPager});
        // x, y, width and height given, static gravity, asked as a pager.
        send(x.atom("_NET_MOVERESIZE_WINDOW"),
             {(0xFu << 8) | (kPager << 12) | 10, uint32_t(monitor.x()), uint32_t(monitor.y()),
              uint32_t(monitor.width()), uint32_t(monitor.height())});
        send(state, {kAdd, fullScreen, 0, kPager});
        xcb_flush(x.get());
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() <= timeoutMs) {
        shows = showsOf(x, officePid);
        if (!shows.isEmpty() && shows.last().geometry == monitor)
            return true;
        QThread::msleep(10);
    }
    return false;
}
