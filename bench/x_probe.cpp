// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives a Qt program in a real X server from outside and times what the
// server sees: top-level windows mapped (SubstructureNotify on the root),
// drawing handed to the server (Damage on each top-level, raw rectangles),
// keys injected with XTest. Times come from CLOCK_MONOTONIC when each event
// is read; CPU and memory come from the program's own /proc accounting.
//
//   x_probe startup [--greet] [--settle-ms N] [--idle-s N] -- PROGRAM [ARGS]
//       start to the first box mapped and painted, resident memory and CPU
//       there; with --greet also answers the name box and times the greeting
//       closed to the main window mapped with its red dot painted.
//   x_probe play [--questions N] [--timed-questions N] [--idle-s N]
//       [--quiet-ms N] -- PROGRAM [ARGS]
//       plays the game on its real window: response latencies, memory after
//       10 and after N questions, idle CPU and repaints while nobody types.
//
// Prints "name value" lines on standard output; the program's own output
// goes to standard error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool inside(const Rect& outer) const {
        return x >= outer.x && y >= outer.y && x + w <= outer.x + outer.w &&
               y + h <= outer.y + outer.h;
    }
};

// The window's layout, in pixels of the board (below the menu bar). Kept
// here by hand: the probe reads the screen, not the game's code.
const Rect kClockLabel{840, 0, 105, 33};
constexpr int kBoardHeight = 722;
constexpr int kPictureSize = 705;

// Grid line k lies at 15 + 66.8 k pixels from the left, 22 + 66.8 k from the top.
int latticeX(double column) {
    return static_cast<int>(std::lround((column - 15.0) / 66.8)) - 5;
}
int latticeY(double row) {
    return 5 - static_cast<int>(std::lround((row - 22.0) / 66.8));
}

// ---- the program's own accounting ----------------------------------------

struct ProcessFigures {
    double cpuMs = 0;     // all live threads, from schedstat (nanoseconds)
    double statCpuMs = 0; // utime + stime from stat (clock ticks)
    long rssKiB = 0;
    long rssAnonKiB = 0;
    long rssFileKiB = 0;
    long switches = 0; // voluntary + involuntary, all live threads
    int threads = 0;
    // Per thread: CPU in ms and switches, so that a thread ending between
    // two readings does not count as negative work.
    std::map<std::string, std::pair<double, long>> perThread;

    // The CPU (ms) and switches of the threads alive now since the earlier reading.
    std::pair<double, long> since(const ProcessFigures& earlier) const {
        std::pair<double, long> sum{0, 0};
        for (const auto& [thread, figures] : perThread) {
            const auto before = earlier.perThread.find(thread);
            const std::pair<double, long> base =
                before == earlier.perThread.end() ? std::pair<double, long>{0, 0} : before->second;
            sum.first += figures.first - base.first;
            sum.second += figures.second - base.second;
        }
        return sum;
    }
};

long statusField(const std::string& path, const char* field) {
    std::ifstream in(path);
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
        }
    }
    return 0;
}

ProcessFigures readProcess(pid_t pid) {
    ProcessFigures figures;
    const std::string base = "/proc/" + std::to_string(pid);
    {
        std::ifstream in(base + "/stat");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto close = text.rfind(')');
        if (close != std::string::npos) {
            std::istringstream fields(text.substr(close + 2));
            std::vector<std::string> values;
            std::string value;
            while (fields >> value) {
                values.push_back(value);
            }
            // After the name: state is field 3; utime 14 and stime 15.
            if (values.size() > 13) {
                const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
                figures.statCpuMs =
                    (std::stod(values[11]) + std::stod(values[12])) * 1000.0 / ticks;
            }
        }
    }
    figures.rssKiB = statusField(base + "/status", "VmRSS");
    figures.rssAnonKiB = statusField(base + "/status", "RssAnon");
    figures.rssFileKiB = statusField(base + "/status", "RssFile");
    if (DIR* tasks = opendir((base + "/task").c_str())) {
        while (dirent* entry = readdir(tasks)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            const std::string task = base + "/task/" + entry->d_name;
            std::ifstream sched(task + "/schedstat");
            double onCpuNs = 0;
            sched >> onCpuNs;
            const long switches = statusField(task + "/status", "voluntary_ctxt_switches") +
                                  statusField(task + "/status", "nonvoluntary_ctxt_switches");
            figures.cpuMs += onCpuNs / 1e6;
            figures.switches += switches;
            figures.perThread[entry->d_name] = {onCpuNs / 1e6, switches};
            ++figures.threads;
        }
        closedir(tasks);
    }
    return figures;
}

// ---- the X side -----------------------------------------------------------

struct Event {
    enum Kind { Map, Unmap, Damage } kind;
    Window window = 0;
    Rect area;
    double t = 0;
};

// A window may vanish between its event and our question about it; such an
// error must not end the probe (Xlib's default handler exits).
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

class XSide {
public:
    XSide() {
        XSetErrorHandler(ignoreXError);
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            std::fprintf(stderr, "x_probe: cannot open the display\n");
            std::exit(2);
        }
        int error = 0;
        if (!XDamageQueryExtension(display_, &damageBase_, &error)) {
            std::fprintf(stderr, "x_probe: no Damage extension\n");
            std::exit(2);
        }
        int major = 0;
        int minor = 0;
        int eventBase = 0;
        if (!XTestQueryExtension(display_, &eventBase, &error, &major, &minor)) {
            std::fprintf(stderr, "x_probe: no XTEST extension\n");
            std::exit(2);
        }
        root_ = DefaultRootWindow(display_);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        // The pointer rests outside every window, so that no tooltip opens.
        XTestFakeMotionEvent(display_, -1, DisplayWidth(display_, 0) - 1,
                             DisplayHeight(display_, 0) - 1, 0);
        XSync(display_, False);
    }
    ~XSide() { XCloseDisplay(display_); }

    // The next map, unmap or damage event of a top-level window, or nothing
    // by the deadline.
    std::optional<Event> next(double deadline) {
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent raw;
                XNextEvent(display_, &raw);
                const double t = nowMs();
                if (auto event = translate(raw, t)) {
                    return event;
                }
            }
            const double left = deadline - nowMs();
            if (left <= 0) {
                return std::nullopt;
            }
            pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
            poll(&descriptor, 1, static_cast<int>(std::ceil(left)));
        }
    }

    // Reads what is already queued without waiting.
    void drain() {
        while (next(0)) {
        }
    }

    std::string title(Window window) {
        Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
        Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::string result;
        if (XGetWindowProperty(display_, window, name, 0, 1024, False, utf8, &type, &format, &items,
                               &after, &data) == Success &&
            data != nullptr) {
            result.assign(reinterpret_cast<char*>(data), items);
            XFree(data);
        }
        if (result.empty()) {
            char* plain = nullptr;
            if (XFetchName(display_, window, &plain) && plain != nullptr) {
                result = plain;
                XFree(plain);
            }
        }
        return result;
    }

    bool overrideRedirect(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) == 0 ||
               attributes.override_redirect;
    }

    Rect geometry(Window window) {
        Window unusedRoot = 0;
        int x = 0;
        int y = 0;
        unsigned width = 0;
        unsigned height = 0;
        unsigned border = 0;
        unsigned depth = 0;
        XGetGeometry(display_, window, &unusedRoot, &x, &y, &width, &height, &border, &depth);
        return {x, y, static_cast<int>(width), static_cast<int>(height)};
    }

    // Presses and releases one key; returns the time of the press.
    double key(KeySym symbol) {
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        const double t = nowMs();
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XFlush(display_);
        return t;
    }

    void focus(Window window) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XFlush(display_);
    }

    // The centre of the red disc on the board, as a lattice point.
    std::optional<std::pair<int, int>> redDot(Window window, int boardTop) {
        XImage* image = XGetImage(display_, window, 0, boardTop, kPictureSize, kPictureSize,
                                  AllPlanes, ZPixmap);
        if (image == nullptr) {
            return std::nullopt;
        }
        const unsigned long red = image->red_mask;
        auto isRed = [&](int x, int y) {
            return XGetPixel(image, x, y) == red;
        };
        std::optional<std::pair<int, int>> found;
        // The disc's widest row is over 20 pixels of pure red; no text on the
        // board has such a run in both directions.
        for (int y = 0; y < kPictureSize && !found; ++y) {
            int run = 0;
            for (int x = 0; x < kPictureSize; ++x) {
                run = isRed(x, y) ? run + 1 : 0;
                if (run >= 21 && (x + 1 == kPictureSize || !isRed(x + 1, y))) {
                    const int centreX = x - run / 2;
                    int top = y;
                    int bottom = y;
                    while (top > 0 && isRed(centreX, top - 1)) {
                        --top;
                    }
                    while (bottom + 1 < kPictureSize && isRed(centreX, bottom + 1)) {
                        ++bottom;
                    }
                    if (bottom - top + 1 >= 21) {
                        found = std::pair{latticeX(centreX), latticeY((top + bottom) / 2.0)};
                        break;
                    }
                }
            }
        }
        XDestroyImage(image);
        return found;
    }

private:
    std::optional<Event> translate(const XEvent& raw, double t) {
        if (raw.type == CreateNotify && raw.xcreatewindow.parent == root_) {
            // Watch every top-level from its creation, before it can draw.
            XDamageCreate(display_, raw.xcreatewindow.window, XDamageReportRawRectangles);
            return std::nullopt;
        }
        if (raw.type == MapNotify && raw.xmap.event == root_ && !raw.xmap.override_redirect) {
            return Event{Event::Map, raw.xmap.window, {}, t};
        }
        if (raw.type == UnmapNotify && raw.xunmap.event == root_) {
            return Event{Event::Unmap, raw.xunmap.window, {}, t};
        }
        if (raw.type == damageBase_ + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(raw);
            return Event{Event::Damage,
                         damage.drawable,
                         {damage.area.x, damage.area.y, damage.area.width, damage.area.height},
                         t};
        }
        return std::nullopt;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int damageBase_ = 0;
};

// ---- the program under test ------------------------------------------------

struct Child {
    pid_t pid = 0;
    double started = 0;
};

Child launch(char** argv) {
    Child child;
    child.started = nowMs();
    child.pid = fork();
    if (child.pid == 0) {
        // The program ends with the probe, however the probe ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(2, 1); // our standard output carries the figures alone
        execvp(argv[0], argv);
        std::perror("x_probe: exec");
        _exit(127);
    }
    return child;
}

void stop(const Child& child) {
    kill(child.pid, SIGTERM);
    int status = 0;
    waitpid(child.pid, &status, 0);
}

[[noreturn]] void fail(const Child& child, const char* what) {
    std::fprintf(stderr, "x_probe: %s\n", what);
    stop(child);
    std::exit(1);
}

struct Mapped {
    Window window = 0;
    double mapped = 0;
    double painted = 0;
};

// Waits for a new top-level whose title contains the text, then for its
// first drawing.
std::optional<Mapped> waitMapped(XSide& x, const std::string& titlePart, double deadline) {
    Mapped result;
    while (auto event = x.next(deadline)) {
        if (result.window == 0 && event->kind == Event::Map &&
            x.title(event->window).find(titlePart) != std::string::npos) {
            result.window = event->window;
            result.mapped = event->t;
        } else if (result.window != 0 && event->kind == Event::Damage &&
                   event->window == result.window) {
            result.painted = event->t;
            return result;
        }
    }
    return std::nullopt;
}

// Reads events for a while, keeping the damage of one window.
std::vector<Event> collect(XSide& x, Window window, double until) {
    std::vector<Event> damage;
    while (auto event = x.next(until)) {
        if (event->kind == Event::Damage && event->window == window) {
            damage.push_back(*event);
        }
    }
    return damage;
}

void typeText(XSide& x, const std::string& text) {
    for (char c : text) {
        x.key(c == '-' ? XK_minus : static_cast<KeySym>(c));
    }
}

void print(const char* name, double value) {
    std::printf("%s %.3f\n", name, value);
}

struct Options {
    bool greet = false;
    double settleMs = 150;
    double idleS = 0;
    int questions = 1000;
    int timedQuestions = 100;
    double quietMs = 30;
    char** program = nullptr;
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&] {
            return i + 1 < argc ? std::atof(argv[++i]) : 0.0;
        };
        if (arg == "--") {
            options.program = argv + i + 1;
            break;
        } else if (arg == "--greet") {
            options.greet = true;
        } else if (arg == "--settle-ms") {
            options.settleMs = value();
        } else if (arg == "--idle-s") {
            options.idleS = value();
        } else if (arg == "--questions") {
            options.questions = static_cast<int>(value());
        } else if (arg == "--timed-questions") {
            options.timedQuestions = static_cast<int>(value());
        } else if (arg == "--quiet-ms") {
            options.quietMs = value();
        } else {
            std::fprintf(stderr, "x_probe: unknown option %s\n", arg.c_str());
            std::exit(2);
        }
    }
    if (options.program == nullptr || options.program[0] == nullptr) {
        std::fprintf(stderr, "usage: x_probe startup|play [options] -- PROGRAM [ARGS]\n");
        std::exit(2);
    }
    return options;
}

void printProcess(const char* prefix, const ProcessFigures& figures) {
    const std::string p = prefix;
    print((p + "_rss_kib").c_str(), static_cast<double>(figures.rssKiB));
    print((p + "_rss_anon_kib").c_str(), static_cast<double>(figures.rssAnonKiB));
    print((p + "_rss_file_kib").c_str(), static_cast<double>(figures.rssFileKiB));
    print((p + "_cpu_ms").c_str(), figures.cpuMs);
    print((p + "_threads").c_str(), figures.threads);
}

// Idle: CPU, wake-ups and repaints while nobody types.
void measureIdle(XSide& x, const Child& child, Window window, const Rect& clock, double seconds) {
    x.drain();
    const ProcessFigures before = readProcess(child.pid);
    const double start = nowMs();
    const std::vector<Event> damage = collect(x, window, start + seconds * 1000.0);
    const double elapsed = nowMs() - start;
    const ProcessFigures after = readProcess(child.pid);
    print("idle_s", elapsed / 1000.0);
    const auto [cpuMs, switches] = after.since(before);
    print("idle_cpu_pct", cpuMs / elapsed * 100.0);
    print("idle_stat_cpu_pct", (after.statCpuMs - before.statCpuMs) / elapsed * 100.0);
    print("idle_switches_per_s", static_cast<double>(switches) / (elapsed / 1000.0));
    print("idle_threads_before", before.threads);
    print("idle_threads_after", after.threads);
    int clockRects = 0;
    int otherRects = 0;
    long otherPixels = 0;
    Rect lastOther;
    for (const Event& event : damage) {
        if (event.area.inside(clock)) {
            ++clockRects;
        } else {
            ++otherRects;
            otherPixels += static_cast<long>(event.area.w) * event.area.h;
            lastOther = event.area;
        }
    }
    print("idle_clock_rects_per_s", clockRects / (elapsed / 1000.0));
    print("idle_other_rects_per_s", otherRects / (elapsed / 1000.0));
    print("idle_other_pixels_per_s", static_cast<double>(otherPixels) / (elapsed / 1000.0));
    if (otherRects > 0) {
        std::printf("idle_other_rect %dx%d+%d+%d\n", lastOther.w, lastOther.h, lastOther.x,
                    lastOther.y);
    }
}

// Starts the program and waits for its first box, the name box.
std::pair<Child, Mapped> launchToNameBox(XSide& x, const Options& options) {
    x.drain();
    const Child child = launch(options.program);
    const auto box = waitMapped(x, "Trovapunti", child.started + 30000);
    if (!box) {
        fail(child, "no name box appeared");
    }
    return {child, *box};
}

int startup(const Options& options) {
    XSide x;
    const auto [child, box] = launchToNameBox(x, options);
    print("box_mapped_ms", box.mapped - child.started);
    print("box_painted_ms", box.painted - child.started);
    collect(x, 0, nowMs() + options.settleMs);
    printProcess("box", readProcess(child.pid));
    if (options.idleS > 0) {
        measureIdle(x, child, box.window, {0, 0, 0, 0}, options.idleS);
    }
    if (!options.greet) {
        stop(child);
        return 0;
    }

    x.focus(box.window);
    typeText(x, "bench");
    x.key(XK_Return);
    const auto greeting = waitMapped(x, "Trovapunti", nowMs() + 10000);
    if (!greeting) {
        fail(child, "no greeting appeared");
    }
    collect(x, 0, nowMs() + options.settleMs);
    x.focus(greeting->window);
    const double closed = x.key(XK_Return);
    Window main = 0;
    double mapped = 0;
    double dotTime = 0;
    int boardTop = 0;
    const double deadline = closed + 10000;
    while (auto event = x.next(deadline)) {
        if (main == 0 && event->kind == Event::Map &&
            x.title(event->window).find("Aiutami") != std::string::npos) {
            main = event->window;
            mapped = event->t;
            boardTop = x.geometry(main).h - kBoardHeight;
        } else if (main != 0 && event->kind == Event::Damage && event->window == main) {
            // The time of the last drawing read before the dot is seen.
            double last = event->t;
            while (auto more = x.next(0)) {
                if (more->kind == Event::Damage && more->window == main) {
                    last = more->t;
                }
            }
            if (x.redDot(main, boardTop)) {
                dotTime = last;
                break;
            }
        }
    }
    if (main == 0 || dotTime == 0) {
        fail(child, "no main window with a red dot");
    }
    print("main_mapped_ms", mapped - closed);
    print("main_dot_ms", dotTime - closed);
    collect(x, 0, nowMs() + options.settleMs);
    printProcess("main", readProcess(child.pid));
    stop(child);
    return 0;
}

// ---- playing ----------------------------------------------------------------

struct Samples {
    std::vector<double> values;
    std::vector<double> areas; // damaged pixels per response
    int missed = 0;
    void print(const char* name) {
        std::sort(values.begin(), values.end());
        auto at = [&](double q) {
            if (values.empty()) {
                return 0.0;
            }
            const auto index =
                static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())) - 1);
            return values[std::min(index, values.size() - 1)];
        };
        const std::string n = name;
        ::print((n + "_p50_ms").c_str(), at(0.5));
        ::print((n + "_p99_ms").c_str(), at(0.99));
        ::print((n + "_max_ms").c_str(), values.empty() ? 0.0 : values.back());
        ::print((n + "_n").c_str(), static_cast<double>(values.size()));
        ::print((n + "_missed").c_str(), missed);
        std::sort(areas.begin(), areas.end());
        ::print((n + "_area_p50_px").c_str(), areas.empty() ? 0.0 : areas[areas.size() / 2]);
    }
};

class Player {
public:
    Player(XSide& x, Window main, int boardTop, double quietMs)
        : x_(x), main_(main), boardTop_(boardTop), quietMs_(quietMs) {
        // The clock label with a pixel of margin, where a tick may repaint.
        clock_.x = kClockLabel.x - 1;
        clock_.y = kClockLabel.y + boardTop - 1;
        clock_.w = kClockLabel.w + 2;
        clock_.h = kClockLabel.h + 2;
    }

    const Rect& clock() const { return clock_; }
    int dotsFound() const { return dotsFound_; }

    // One key and the drawing it causes: from the press to the last damage
    // rectangle of the burst (a repaint of the clock alone is the timer's).
    void timed(KeySym symbol, Samples& samples) {
        x_.drain();
        const double pressed = x_.key(symbol);
        double last = 0;
        double area = 0;
        double until = pressed + 1000;
        while (auto event = x_.next(until)) {
            if (event->kind != Event::Damage || event->window != main_ ||
                event->area.inside(clock_)) {
                continue;
            }
            last = event->t;
            area += static_cast<double>(event->area.w) * event->area.h;
            until = last + quietMs_;
        }
        if (last == 0) {
            ++samples.missed;
        } else {
            samples.values.push_back(last - pressed);
            samples.areas.push_back(area);
        }
    }

    // One question at full speed; waits only for the next question's drawing.
    void fast() {
        typeText(x_, "1");
        x_.key(XK_Return);
        typeText(x_, "1");
        x_.key(XK_Return);
        x_.drain();
        x_.key(XK_Return);
        const double until = nowMs() + 1000;
        while (auto event = x_.next(until)) {
            if (event->kind == Event::Damage && event->window == main_ &&
                !event->area.inside(clock_)) {
                break;
            }
        }
    }

    std::pair<int, int> answerFor(int question) {
        auto dot = x_.redDot(main_, boardTop_);
        if (dot) {
            ++dotsFound_;
        } else {
            dot = std::pair{0, 0};
        }
        // Every other answer is wrong by one step.
        if (question % 2 == 1) {
            dot->first += dot->first < 5 ? 1 : -1;
        }
        return *dot;
    }

    void timedQuestion(int question, Samples& keys, Samples& judgements, Samples& nexts) {
        const auto [ax, ay] = answerFor(question);
        for (char c : std::to_string(ax)) {
            timed(c == '-' ? XK_minus : static_cast<KeySym>(c), keys);
        }
        timed(XK_Return, keys);
        for (char c : std::to_string(ay)) {
            timed(c == '-' ? XK_minus : static_cast<KeySym>(c), keys);
        }
        timed(XK_Return, judgements);
        timed(XK_Return, nexts);
    }

private:
    XSide& x_;
    Window main_;
    int boardTop_;
    double quietMs_;
    Rect clock_;
    int dotsFound_ = 0;
};

int play(const Options& options) {
    XSide x;
    const auto [child, box] = launchToNameBox(x, options);
    collect(x, 0, nowMs() + 100);
    x.focus(box.window);
    typeText(x, "bench");
    x.key(XK_Return);
    const auto greeting = waitMapped(x, "Trovapunti", nowMs() + 10000);
    if (!greeting) {
        fail(child, "no greeting appeared");
    }
    collect(x, 0, nowMs() + 100);
    x.focus(greeting->window);
    x.key(XK_Return);
    const auto main = waitMapped(x, "Aiutami", nowMs() + 10000);
    if (!main) {
        fail(child, "no main window appeared");
    }
    collect(x, 0, nowMs() + 300);
    x.focus(main->window);
    const int boardTop = x.geometry(main->window).h - kBoardHeight;
    Player player(x, main->window, boardTop, options.quietMs);

    Samples keys;
    Samples judgements;
    Samples nexts;
    for (int question = 1; question <= options.questions; ++question) {
        if (question <= options.timedQuestions) {
            player.timedQuestion(question, keys, judgements, nexts);
        } else {
            player.fast();
        }
        // Memory along the game: after 10 questions, then at every power of
        // ten and its halves, to tell a cache that fills from a leak.
        if (question == 10 || question == 50 || question == 100 || question == 500 ||
            question == 1000 || question == 5000) {
            collect(x, 0, nowMs() + options.settleMs);
            char prefix[16];
            std::snprintf(prefix, sizeof prefix, "q%d", question);
            printProcess(prefix, readProcess(child.pid));
        }
    }
    collect(x, 0, nowMs() + options.settleMs);
    print("questions", options.questions);
    printProcess("qlast", readProcess(child.pid));
    print("dots_found", player.dotsFound());
    keys.print("key");
    judgements.print("judgement");
    nexts.print("next");
    if (options.idleS > 0) {
        measureIdle(x, child, main->window, player.clock(), options.idleS);
    }
    stop(child);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: x_probe startup|play [options] -- PROGRAM [ARGS]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const Options options = parse(argc, argv);
    signal(SIGPIPE, SIG_IGN);
    if (mode == "startup") {
        return startup(options);
    }
    if (mode == "play") {
        return play(options);
    }
    std::fprintf(stderr, "x_probe: unknown mode %s\n", mode.c_str());
    return 2;
}
