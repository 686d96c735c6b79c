#include "adapters/x11/xcbconnection.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quiz
{

namespace
{

// xcb hands out replies that the caller frees.
template <typename T> struct Reply {
    T *ptr;
    explicit Reply(T *p) : ptr(p) {}
    ~Reply() { std::free(ptr); }
    Reply(const Reply &) = delete;
    Reply &operator=(const Reply &) = delete;
    T *operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }
};

// Requests whose failure only means the window went away: the error is
// collected here instead of reaching the toolkit's event queue as noise.
void checked(xcb_connection_t *c, xcb_void_cookie_t cookie)
{
    std::free(xcb_request_check(c, cookie));
}

constexpr std::uint32_t kIconicState = 3;

} // namespace

std::unique_ptr<XcbConnection> XcbConnection::open(const char *display, std::string *error)
{
    int screen = 0;
    xcb_connection_t *c = xcb_connect(display && *display ? display : nullptr, &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        if (error) {
            const char *name = display && *display ? display : nullptr;
            *error = name && *name ? std::string("cannot open the X display \"") + name + "\""
                                   : std::string("no X display (DISPLAY is not set)");
        }
        return nullptr;
    }
    return std::unique_ptr<XcbConnection>(new XcbConnection(c, true, screen));
}

std::unique_ptr<XcbConnection> XcbConnection::borrow(xcb_connection_t *connection)
{
    char *host = nullptr;
    int display = 0, screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    else
        screen = 0;
    return std::unique_ptr<XcbConnection>(new XcbConnection(connection, false, screen));
}

XcbConnection::XcbConnection(xcb_connection_t *connection, bool owned, int screen)
    : conn_(connection), owned_(owned)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
    for (int i = 0; it.rem && i < screen; ++i)
        xcb_screen_next(&it);
    if (it.rem)
        root_ = it.data->root;
}

XcbConnection::~XcbConnection()
{
    if (owned_)
        xcb_disconnect(conn_);
}

std::uint32_t XcbConnection::atom(const char *name)
{
    const auto known = atoms_.find(name);
    if (known != atoms_.end())
        return known->second;
    Reply reply(xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, std::strlen(name), name), nullptr));
    const std::uint32_t value = reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
    atoms_[name] = value;
    return value;
}

std::optional<std::vector<std::uint32_t>> XcbConnection::cardinals(XWindowId window, const char *property,
                                                                   std::uint32_t type)
{
    Reply reply(xcb_get_property_reply(
        conn_, xcb_get_property(conn_, 0, window, atom(property), type, 0, 8192), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 32)
        return std::nullopt;
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.ptr));
    return std::vector<std::uint32_t>(values, values + xcb_get_property_value_length(reply.ptr) / 4);
}

std::optional<std::string> XcbConnection::text(XWindowId window, std::uint32_t property, std::uint32_t type)
{
    Reply reply(
        xcb_get_property_reply(conn_, xcb_get_property(conn_, 0, window, property, type, 0, 4096), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return std::nullopt;
    const auto *bytes = static_cast<const char *>(xcb_get_property_value(reply.ptr));
    return std::string(bytes, xcb_get_property_value_length(reply.ptr));
}

bool XcbConnection::hasWindowManager()
{
    const auto check = cardinals(root_, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    if (!check || check->empty())
        return false;
    Reply alive(
        xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, check->front()), nullptr));
    return bool(alive);
}

bool XcbConnection::supported(const char *atomName)
{
    if (!hasWindowManager())
        return false;
    const auto atoms = cardinals(root_, "_NET_SUPPORTED", XCB_ATOM_ATOM);
    return atoms && std::find(atoms->begin(), atoms->end(), atom(atomName)) != atoms->end();
}

std::optional<std::vector<XWindowId>> XcbConnection::clientList()
{
    if (!hasWindowManager())
        return std::nullopt;
    if (auto stacking = cardinals(root_, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW))
        return stacking;
    return cardinals(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
}

std::vector<XWindowId> XcbConnection::children(XWindowId window)
{
    Reply reply(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr));
    if (!reply)
        return {};
    const xcb_window_t *kids = xcb_query_tree_children(reply.ptr);
    return std::vector<XWindowId>(kids, kids + xcb_query_tree_children_length(reply.ptr));
}

std::optional<XWindowState> XcbConnection::state(XWindowId window)
{
    Reply reply(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, window), nullptr));
    if (!reply)
        return std::nullopt;
    XWindowState s;
    s.viewable = reply->map_state == XCB_MAP_STATE_VIEWABLE;
    s.overrideRedirect = reply->override_redirect;
    s.inputOnly = reply->_class == XCB_WINDOW_CLASS_INPUT_ONLY;
    return s;
}

std::optional<std::string> XcbConnection::netWmName(XWindowId window)
{
    return text(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
}

std::optional<std::string> XcbConnection::wmName(XWindowId window)
{
    return text(window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
}

PixelRect XcbConnection::rootRect(XWindowId window)
{
    Reply geometry(xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr));
    Reply origin(xcb_translate_coordinates_reply(conn_, xcb_translate_coordinates(conn_, window, root_, 0, 0),
                                                 nullptr));
    if (!geometry || !origin)
        return {};
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

FrameExtents XcbConnection::frameExtents(XWindowId window)
{
    const auto values = cardinals(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (!values || values->size() < 4)
        return {};
    return {int((*values)[0]), int((*values)[1]), int((*values)[2]), int((*values)[3])};
}

bool XcbConnection::hasWmState(XWindowId window)
{
    return cardinals(window, "WM_STATE", atom("WM_STATE")).has_value();
}

bool XcbConnection::iconic(XWindowId window)
{
    const auto wmState = cardinals(window, "WM_STATE", atom("WM_STATE"));
    if (wmState && !wmState->empty() && wmState->front() == kIconicState)
        return true;
    const auto netState = cardinals(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
    return netState &&
           std::find(netState->begin(), netState->end(), atom("_NET_WM_STATE_HIDDEN")) != netState->end();
}

bool XcbConnection::transientFor(XWindowId window)
{
    const auto owner = cardinals(window, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW);
    return owner && !owner->empty() && owner->front() != 0;
}

XWindowId XcbConnection::topAncestor(XWindowId window)
{
    for (int depth = 0; depth < 16; ++depth) {
        Reply reply(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr));
        if (!reply || reply->parent == root_ || reply->parent == XCB_WINDOW_NONE)
            return window;
        window = reply->parent;
    }
    return window;
}

void XcbConnection::raise(XWindowId window)
{
    const std::uint32_t mode = XCB_STACK_MODE_ABOVE;
    checked(conn_, xcb_configure_window_checked(conn_, window, XCB_CONFIG_WINDOW_STACK_MODE, &mode));
}

void XcbConnection::stackAbove(XWindowId window, XWindowId sibling)
{
    const std::uint32_t values[] = {sibling, XCB_STACK_MODE_ABOVE};
    checked(conn_, xcb_configure_window_checked(
                       conn_, window, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values));
}

void XcbConnection::sendToRoot(XWindowId window, const char *message, std::uint32_t d0, std::uint32_t d1,
                               std::uint32_t d2)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(message);
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    xcb_send_event(conn_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(conn_);
}

void XcbConnection::activate(XWindowId window)
{
    if (supported("_NET_ACTIVE_WINDOW")) {
        sendToRoot(window, "_NET_ACTIVE_WINDOW", 2, XCB_CURRENT_TIME, 0); // 2: asked for by the user's tool
        return;
    }
    raise(window);
    const auto s = state(window);
    if (s && s->viewable)
        checked(conn_,
                xcb_set_input_focus_checked(conn_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME));
}

void XcbConnection::restore(XWindowId window)
{
    checked(conn_, xcb_map_window_checked(conn_, window));
    if (supported("_NET_ACTIVE_WINDOW"))
        activate(window);
}

void XcbConnection::move(XWindowId window, const PixelRect &frameRect)
{
    const FrameExtents frame = frameExtents(window);
    const std::uint32_t values[] = {std::uint32_t(frameRect.left + frame.left),
                                    std::uint32_t(frameRect.top + frame.top),
                                    std::uint32_t(std::max(1, frameRect.width - frame.left - frame.right)),
                                    std::uint32_t(std::max(1, frameRect.height - frame.top - frame.bottom))};
    checked(conn_, xcb_configure_window_checked(conn_, window,
                                                XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y |
                                                    XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                                                values));
}

void XcbConnection::close(XWindowId window)
{
    const auto protocols = cardinals(window, "WM_PROTOCOLS", XCB_ATOM_ATOM);
    const std::uint32_t deleteWindow = atom("WM_DELETE_WINDOW");
    if (protocols && std::find(protocols->begin(), protocols->end(), deleteWindow) != protocols->end()) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(conn_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        xcb_flush(conn_);
    } else if (supported("_NET_CLOSE_WINDOW")) {
        sendToRoot(window, "_NET_CLOSE_WINDOW", XCB_CURRENT_TIME, 2);
    } else {
        checked(conn_, xcb_destroy_window_checked(conn_, window));
    }
}

XWindowId XcbConnection::createInputOnly(const PixelRect &rect, XWindowId sibling)
{
    const XWindowId window = xcb_generate_id(conn_);
    const std::uint32_t overrideRedirect = 1;
    checked(conn_,
            xcb_create_window_checked(conn_, 0, window, root_, std::int16_t(rect.left),
                                      std::int16_t(rect.top), std::uint16_t(std::max(1, rect.width)),
                                      std::uint16_t(std::max(1, rect.height)), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect));
    if (sibling) {
        stackAbove(window, sibling);
    } else {
        const std::uint32_t mode = XCB_STACK_MODE_BELOW;
        checked(conn_, xcb_configure_window_checked(conn_, window, XCB_CONFIG_WINDOW_STACK_MODE, &mode));
    }
    checked(conn_, xcb_map_window_checked(conn_, window));
    return window;
}

void XcbConnection::destroy(XWindowId window)
{
    checked(conn_, xcb_destroy_window_checked(conn_, window));
}

bool XcbConnection::grabPointer(XWindowId confineTo)
{
    // Owner events: the program's windows get their clicks as usual; the
    // others' are reported to the root with an empty mask, that is dropped.
    Reply reply(
        xcb_grab_pointer_reply(conn_,
                               xcb_grab_pointer(conn_, 1, root_, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                confineTo, XCB_NONE, XCB_CURRENT_TIME),
                               nullptr));
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

void XcbConnection::ungrabPointer()
{
    checked(conn_, xcb_ungrab_pointer_checked(conn_, XCB_CURRENT_TIME));
}

void XcbConnection::warpPointer(int x, int y)
{
    checked(conn_,
            xcb_warp_pointer_checked(conn_, XCB_NONE, root_, 0, 0, 0, 0, std::int16_t(x), std::int16_t(y)));
}

ScreenPixels XcbConnection::readScreen(const PixelRect &rect)
{
    ScreenPixels out;
    const PixelRect screen = rootRect(root_);
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min(rect.right(), screen.width), bottom = std::min(rect.bottom(), screen.height);
    if (right <= left || bottom <= top)
        return out;
    Reply image(xcb_get_image_reply(conn_,
                                    xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, std::int16_t(left),
                                                  std::int16_t(top), std::uint16_t(right - left),
                                                  std::uint16_t(bottom - top), ~0u),
                                    nullptr));
    const int w = right - left, h = bottom - top;
    // Deep colour screens hold a pixel in 32 bits, red in the high byte.
    if (!image || (image->depth != 24 && image->depth != 32) ||
        xcb_get_image_data_length(image.ptr) < w * h * 4)
        return out;
    const std::uint8_t *data = xcb_get_image_data(image.ptr);
    const bool lsbFirst = xcb_get_setup(conn_)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    out.width = w;
    out.height = h;
    out.rgb.resize(std::size_t(w) * h);
    for (std::size_t i = 0; i < out.rgb.size(); ++i) {
        const std::uint8_t *p = data + 4 * i;
        out.rgb[i] = lsbFirst ? (p[2] << 16 | p[1] << 8 | p[0]) : (p[1] << 16 | p[2] << 8 | p[3]);
    }
    return out;
}

void XcbConnection::flush()
{
    xcb_flush(conn_);
}

} // namespace quiz
