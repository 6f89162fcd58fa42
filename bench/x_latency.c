/* The X side of the latency benchmark (bench/latency.sh): it starts programs,
 * presses keys with XTest and waits for what a user would see, timing it.
 *
 *   x_latency start TITLE COMMAND...  start COMMAND, wait until a top-level
 *                                     window named TITLE is mapped; prints
 *                                     "MILLISECONDS PID WINDOW"
 *   x_latency hotkey WINDOW FRONT     focus FRONT, press Alt+Space, wait until
 *                                     WINDOW is mapped (or unmapped when it
 *                                     was visible); prints milliseconds
 *   x_latency key WINDOW KEYSYM       focus WINDOW, press KEYSYM, wait for
 *                                     drawing in WINDOW's lower half (the
 *                                     answer display); prints milliseconds
 *   x_latency popup WINDOW KEYSYM     focus WINDOW, press KEYSYM, wait until a
 *                                     new top-level window is mapped; prints
 *                                     milliseconds, then closes it with Escape
 *   x_latency type WINDOW TEXT COUNT  focus WINDOW and type TEXT COUNT times
 *                                     ("\n" is Return)
 *
 * Every wait gives up after a few seconds with exit status 1 and a message,
 * so a measurement that cannot be taken fails loudly. With X_LATENCY_DEBUG
 * set, "key" prints each drawn rectangle it sees. */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static const int TIMEOUT_MS = 10000;

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void fail(const char* what) {
    fprintf(stderr, "x_latency: %s\n", what);
    exit(1);
}

/* The next event, or 0 when none came before the deadline. */
static int next_event(Display* display, XEvent* event, double deadline) {
    while (!XPending(display)) {
        double left = deadline - now_ms();
        if (left <= 0)
            return 0;
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, (int)left + 1);
    }
    XNextEvent(display, event);
    return 1;
}

static int named(Display* display, Window window, const char* title) {
    char* name = NULL;
    int same = XFetchName(display, window, &name) && name && strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return same;
}

static void focus(Display* display, Window window) {
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    usleep(150 * 1000); /* Wine takes the focus change in as a message */
}

static void press(Display* display, KeySym symbol) {
    KeyCode code = XKeysymToKeycode(display, symbol);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
}

static int start(Display* display, const char* title, char** command) {
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    double begin = now_ms();
    pid_t child = fork();
    if (child == 0) {
        /* The program outlives this helper: it must not hold its output open. */
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(command[0], command);
        _exit(127);
    }
    XEvent event;
    double deadline = begin + TIMEOUT_MS;
    while (next_event(display, &event, deadline)) {
        if (event.type == MapNotify && named(display, event.xmap.window, title)) {
            printf("%.1f %d %lu\n", now_ms() - begin, (int)child, event.xmap.window);
            return 0;
        }
    }
    fail("the window never showed");
    return 1;
}

static int hotkey(Display* display, Window window, Window front) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        fail("no such window");
    int awaited = attributes.map_state == IsViewable ? UnmapNotify : MapNotify;
    XSelectInput(display, window, StructureNotifyMask);
    focus(display, front);
    double begin = now_ms();
    KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    XTestFakeKeyEvent(display, alt, True, CurrentTime);
    press(display, XK_space);
    XTestFakeKeyEvent(display, alt, False, CurrentTime);
    XFlush(display);
    XEvent event;
    double deadline = begin + TIMEOUT_MS;
    while (next_event(display, &event, deadline)) {
        if (event.type == awaited && event.xany.window == window) {
            printf("%.1f\n", now_ms() - begin);
            return 0;
        }
    }
    fail("the hotkey was not seen");
    return 1;
}

static int key(Display* display, Window window, KeySym symbol) {
    int damage_event, damage_error;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error))
        fail("the X server has no DAMAGE extension");
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        fail("no such window");
    focus(display, window);
    Damage damage = XDamageCreate(display, window, XDamageReportRawRectangles);
    XSync(display, False);
    /* Drawing already under way (a caret blink) is let go first. */
    XEvent event;
    while (next_event(display, &event, now_ms() + 50)) {}
    double begin = now_ms();
    press(display, symbol);
    XFlush(display);
    int lower_half = attributes.height / 2;
    double deadline = begin + TIMEOUT_MS;
    while (next_event(display, &event, deadline)) {
        if (event.type == damage_event + XDamageNotify) {
            XDamageNotifyEvent* notify = (XDamageNotifyEvent*)&event;
            if (getenv("X_LATENCY_DEBUG"))
                fprintf(stderr, "damage %d %d %d %d\n", notify->area.x, notify->area.y, notify->area.width,
                        notify->area.height);
            if (notify->area.y + notify->area.height > lower_half) {
                printf("%.1f\n", now_ms() - begin);
                XDamageDestroy(display, damage);
                return 0;
            }
        }
    }
    fail("the answer never changed");
    return 1;
}

static int popup(Display* display, Window window, KeySym symbol) {
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    focus(display, window);
    double begin = now_ms();
    press(display, symbol);
    XFlush(display);
    XEvent event;
    double deadline = begin + TIMEOUT_MS;
    while (next_event(display, &event, deadline)) {
        if (event.type == MapNotify && event.xmap.window != window) {
            printf("%.1f\n", now_ms() - begin);
            /* Escape closes the list again, ready for the next run. */
            Window list = event.xmap.window;
            press(display, XK_Escape);
            XFlush(display);
            deadline = now_ms() + TIMEOUT_MS;
            while (next_event(display, &event, deadline))
                if (event.type == UnmapNotify && event.xunmap.window == list)
                    return 0;
            fail("the list did not close on Escape");
        }
    }
    fail("the list never opened");
    return 1;
}

static int type(Display* display, Window window, const char* text, long count) {
    focus(display, window);
    for (long i = 0; i < count; ++i) {
        for (const char* c = text; *c; ++c) {
            KeySym symbol = *c == '\n' ? XK_Return : *c == '+' ? XK_KP_Add : (KeySym)*c;
            press(display, symbol);
            XSync(display, False);
        }
        if (i % 64 == 63)
            usleep(20 * 1000); /* let Wine keep up with the queue */
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3)
        fail("usage: start TITLE COMMAND... | hotkey WINDOW FRONT | key WINDOW KEYSYM | "
             "popup WINDOW KEYSYM | type WINDOW TEXT COUNT");
    Display* display = XOpenDisplay(NULL);
    if (!display)
        fail("no X display");
    int event_base, error_base, major, minor;
    if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor))
        fail("the X server has no XTEST extension");
    setvbuf(stdout, NULL, _IONBF, 0);
    const char* mode = argv[1];
    if (strcmp(mode, "start") == 0 && argc >= 4)
        return start(display, argv[2], argv + 3);
    Window window = strtoul(argv[2], NULL, 0);
    if (strcmp(mode, "hotkey") == 0 && argc == 4)
        return hotkey(display, window, strtoul(argv[3], NULL, 0));
    if (strcmp(mode, "key") == 0 && argc == 4)
        return key(display, window, XStringToKeysym(argv[3]));
    if (strcmp(mode, "popup") == 0 && argc == 4)
        return popup(display, window, XStringToKeysym(argv[3]));
    if (strcmp(mode, "type") == 0 && argc == 5)
        return type(display, window, argv[3], strtol(argv[4], NULL, 10));
    fail("unknown mode or wrong arguments");
    return 1;
}
