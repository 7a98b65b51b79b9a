// Starts a program and reports, in milliseconds, how long it took until a window of the given name was mapped on
// the X display; then ends the program. Used by startup.sh to time the real executable from outside.
//
//   tallivor_mapwatch [--name TITLE] [--timeout SECONDS] [--signal KILL|TERM] -- PROGRAM [ARGUMENT...]
//
// Prints one line, "<milliseconds>", on success; exits 1 when the program ended or the time ran out first.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

std::string textProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::string text;
    if (reply) {
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    std::size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return text;
}

[[noreturn]] void usage()
{
    std::fprintf(
        stderr,
        "usage: tallivor_mapwatch [--name TITLE] [--timeout SECONDS] [--signal KILL|TERM] -- PROGRAM [ARG...]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[])
{
    std::string name = "Tallivor";
    double timeoutSeconds = 60;
    int endSignal = SIGKILL;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string argument = argv[first];
        if (argument == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc)
            usage();
        if (argument == "--name")
            name = argv[++first];
        else if (argument == "--timeout")
            timeoutSeconds = std::atof(argv[++first]);
        else if (argument == "--signal")
            endSignal = std::string(argv[++first]) == "TERM" ? SIGTERM : SIGKILL;
        else
            usage();
    }
    if (first >= argc)
        usage();

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "tallivor_mapwatch: cannot open the X display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");

    // Top-level windows are children of the root (no window manager runs on the benchmark's display): their maps
    // are reported to whoever listens for the root's substructure. Listen before the program starts.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::fprintf(stderr, "tallivor_mapwatch: cannot listen to the root window (error %d)\n", error->error_code);
        return 1;
    }

    const double start = nowMilliseconds();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("tallivor_mapwatch: fork");
        return 1;
    }
    if (child == 0) {
        for (int number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            std::signal(number, SIG_DFL);
        execv(argv[first], argv + first);
        std::perror("tallivor_mapwatch: exec");
        _exit(127);
    }

    const double deadline = start + timeoutSeconds * 1e3;
    pollfd watched{xcb_get_file_descriptor(connection), POLLIN, 0};
    int result = 1;
    double mapped = 0;
    while (result != 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const double when = nowMilliseconds();
            const xcb_window_t window = isMap ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
            std::free(event);
            if (!isMap)
                continue;
            if (textProperty(connection, window, netWmName) == name ||
                textProperty(connection, window, XCB_ATOM_WM_NAME) == name) {
                mapped = when;
                result = 0;
                break;
            }
        }
        if (result == 0)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "tallivor_mapwatch: the program ended before its window was mapped\n");
            xcb_disconnect(connection);
            return 1;
        }
        const double now = nowMilliseconds();
        if (now >= deadline || xcb_connection_has_error(connection)) {
            std::fprintf(stderr, "tallivor_mapwatch: no window named \"%s\" was mapped in time\n", name.c_str());
            break;
        }
        if (poll(&watched, 1, int(std::min(now + 50, deadline) - now) + 1) < 0 && errno != EINTR)
            break;
    }

    kill(child, endSignal);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (result == 0)
        std::printf("%.3f\n", mapped - start);
    return result;
}
