// Measures one session of a desktop program under the current X display:
//
//   session_probe [options] -- program [arguments...]
//
// starts the program, and prints one line of key=value figures:
//   window_ms   launch until its first top-level window is mapped
//   window_cpu_ms  CPU time the program used up to then (every thread); less
//               swayed by other load on the machine than window_ms
//   idle_ms     launch until it has gone quiet (no 10 ms sample above 10 % of a
//               core for QUIET ms) after the window appeared
//   peak_kb     peak resident memory up to then (VmHWM)
//   idle_cpu    share of one core used over IDLE seconds of leaving it alone with
//               the keyboard focus and the caret at the end of the text, %
//   idle_kb     resident memory after that (VmRSS)
//   type_ms     CPU time used by typing TYPE characters at the end of the text
//               (xdotool), until quiet again; type_wall_ms the time that took
//   status      ok, or what went wrong (timeout, exited)
// CPU time is the sum of every thread's run time from /proc/<pid>/task/*/schedstat
// (nanoseconds, not clock ticks).
//
// Options: --idle S (default 10), --type N (default 100, 0 to skip),
// --timeout S (default 60: no window or no quiet by then gives status=timeout),
// --quiet MS (default 500).

#include <X11/Xlib.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Run time of every thread of the process, nanoseconds.
long long cpuNs(pid_t pid) {
    long long total = 0;
    const std::string folder = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return -1;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream in(folder + "/" + e->d_name + "/schedstat");
        long long ns = 0;
        if (in >> ns)
            total += ns;
    }
    closedir(dir);
    return total;
}

long statusKb(pid_t pid, const char* field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
            return std::atol(line.c_str() + n + 1);
    }
    return -1;
}

bool alive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

// Waits until the process has used at most 10 % of a core in every 10 ms sample
// for quietMs; returns the time of the last busy sample (ms since t0), or -1 on
// timeout or exit.
double waitQuiet(pid_t pid, Clock::time_point t0, double notBefore, int quietMs, double timeoutMs) {
    double lastBusy = notBefore;
    long long before = cpuNs(pid);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const double now = msSince(t0);
        if (!alive(pid))
            return -1;
        const long long cpu = cpuNs(pid);
        if (cpu - before > 1'000'000)
            lastBusy = now;
        before = cpu;
        if (now - lastBusy >= quietMs)
            return lastBusy;
        if (now > timeoutMs)
            return -1;
    }
}

} // namespace

int main(int argc, char** argv) {
    int idleSeconds = 10, typeCount = 100, quietMs = 500;
    double timeoutMs = 60'000;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            break;
        if (a == "--idle")
            idleSeconds = std::atoi(argv[++i]);
        else if (a == "--type")
            typeCount = std::atoi(argv[++i]);
        else if (a == "--timeout")
            timeoutMs = std::atof(argv[++i]) * 1000;
        else if (a == "--quiet")
            quietMs = std::atoi(argv[++i]);
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: session_probe [options] -- program [arguments]\n");
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "session_probe: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execvp(argv[i], argv + i);
        _exit(127);
    }

    std::ostringstream out;
    auto finish = [&](const char* status) {
        out << "status=" << status;
        std::printf("%s\n", out.str().c_str());
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        XCloseDisplay(display);
        return 0;
    };

    // The first normal top-level window to be mapped.
    Window window = 0;
    double windowMs = -1;
    long long windowCpuNs = -1;
    const int fd = ConnectionNumber(display);
    while (!window) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type != MapNotify || e.xmap.override_redirect)
                continue;
            windowMs = msSince(t0);
            windowCpuNs = cpuNs(pid);
            window = e.xmap.window;
            break;
        }
        if (window)
            break;
        if (!alive(pid))
            return finish("exited");
        if (msSince(t0) > timeoutMs)
            return finish("timeout");
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 5);
    }
    out << "window_ms=" << windowMs << ' ' << "window_cpu_ms=" << windowCpuNs / 1e6 << ' ';

    const double idleAt = waitQuiet(pid, t0, windowMs, quietMs, timeoutMs);
    if (idleAt < 0)
        return finish(alive(pid) ? "timeout" : "exited");
    out << "idle_ms=" << idleAt << ' ' << "peak_kb=" << statusKb(pid, "VmHWM") << ' ';

    // Idle as the user sees it: the window has the keyboard focus (its caret
    // blinks) and the caret is at the end of the text, where the typing goes.
    char command[512];
    std::snprintf(command, sizeof command,
                  "xdotool windowfocus --sync %lu key ctrl+End >/dev/null 2>&1",
                  static_cast<unsigned long>(window));
    std::system(command);
    if (waitQuiet(pid, t0, msSince(t0), quietMs, msSince(t0) + timeoutMs) < 0)
        return finish("timeout");

    const long long idleBefore = cpuNs(pid);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const long long idleAfter = cpuNs(pid);
    out << "idle_cpu=" << (idleAfter - idleBefore) / 1e7 / idleSeconds << ' '
        << "idle_kb=" << statusKb(pid, "VmRSS") << ' ';

    if (typeCount > 0) {
        const std::string text(static_cast<size_t>(typeCount), 'a');
        const long long before = cpuNs(pid);
        const auto typeStart = Clock::now();
        std::snprintf(command, sizeof command,
                      "xdotool windowfocus --sync %lu type --delay 15 %s >/dev/null 2>&1",
                      static_cast<unsigned long>(window), text.c_str());
        std::system(command);
        if (waitQuiet(pid, t0, msSince(t0), quietMs, msSince(t0) + timeoutMs) < 0)
            return finish("timeout");
        const long long after = cpuNs(pid);
        out << "type_ms=" << (after - before) / 1e6 << ' '
            << "type_wall_ms=" << msSince(typeStart) - quietMs << ' ';
    }
    return finish("ok");
}
