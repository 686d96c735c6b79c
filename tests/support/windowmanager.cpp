#include "support/windowmanager.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace quiz::test
{

namespace
{

// True once a window manager has announced itself on the root window
// (_NET_SUPPORTING_WM_CHECK, which openbox sets when it manages the screen).
bool announced(xcb_connection_t *c, xcb_window_t root)
{
    const char *name = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        std::free(atom);
        return false;
    }
    xcb_get_property_reply_t *value =
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool set = value && xcb_get_property_value_length(value) == 4;
    std::free(value);
    std::free(atom);
    return set;
}

bool viewable(xcb_connection_t *c, xcb_window_t window)
{
    xcb_get_window_attributes_reply_t *a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool shown = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    return shown;
}

// Maps a small window and waits, up to 10 s, until the manager has shown it.
// A request that reached openbox in its start is dropped: asked again every
// 200 ms.
bool managesAWindow(xcb_connection_t *c, xcb_window_t root)
{
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    bool shown = false;
    for (int i = 0; i < 500 && !(shown = viewable(c, probe)); ++i) {
        if (i % 10 == 0)
            xcb_map_window(c, probe);
        poll(nullptr, 0, 20);
    }
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    return shown;
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
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        execlp("openbox", "openbox", "--sm-disable", static_cast<char *>(nullptr));
        _exit(127);
    }
    if (pid_ < 0)
        return;
    int screen = 0;
    xcb_connection_t *c = xcb_connect(display.c_str(), &screen);
    if (xcb_connection_has_error(c) == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        // Up to 10 s, looking every 20 ms; a manager that died gives up at once.
        for (int i = 0; i < 500 && !running_; ++i) {
            running_ = announced(c, root);
            if (running_)
                break;
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1; // ended already: nothing to end later
                break;
            }
            poll(nullptr, 0, 20);
        }
        // Announced is not yet managing: a window mapped now may be lost in its
        // start. It manages once it has put a window of ours on the screen.
        if (running_)
            running_ = managesAWindow(c, root);
    }
    xcb_disconnect(c);
}

WindowManager::~WindowManager()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

} // namespace quiz::test
