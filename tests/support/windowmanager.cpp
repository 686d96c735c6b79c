#include "support/windowmanager.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace quiz::test
{

namespace
{

// True once the manager has framed the window (reparented it) and shown it.
bool framedAndShown(xcb_connection_t *c, xcb_window_t root, xcb_window_t window)
{
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    xcb_get_window_attributes_reply_t *a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool done = tree && tree->parent != root && a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(tree);
    std::free(a);
    return done;
}

} // namespace

bool WindowManager::requested()
{
    const char *wanted = std::getenv("QUIZ_TEST_WINDOW_MANAGER");
    return wanted && std::strcmp(wanted, "openbox") == 0;
}

WindowManager::WindowManager(const std::string &display)
{
    if (!requested())
        return;
    manager_ = std::make_unique<Child>(std::vector<std::string>{"openbox", "--sm-disable"},
                                       std::map<std::string, std::string>{{"DISPLAY", display}});
    // It manages the screen once it has framed and shown a probe window of
    // ours, up to 10 s. A map request that reaches it while it starts is
    // dropped: asked again every 200 ms.
    xcb_connection_t *c = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(c) == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const xcb_window_t probe = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        for (int i = 0; i < 500 && !(running_ = framedAndShown(c, root, probe)); ++i) {
            if (!manager_->runningOrRestarted())
                break;
            if (i % 10 == 0)
                xcb_map_window(c, probe);
            poll(nullptr, 0, 20);
        }
        xcb_destroy_window(c, probe);
    }
    xcb_disconnect(c);
}

} // namespace quiz::test
