// Times programs from their start until their main window is on the screen, as the X server
// sees it, and measures their memory once it is.
//
//   startbench [--runs N] [--warmup N] [--settle-ms N] [--title T] [--log FILE]
//              [--remove FILE]... NAME=PATH...
//
// Each run notes the monotonic clock, starts the program with fork/exec, and watches the root
// window for the MapNotify of a top-level window titled T (no window manager runs under Xvfb,
// so top-level windows are the root's own children). The program is started with
// TRESSORA_BENCH_FIRST_PAINT=1 and reports the end of its first paint on its standard error;
// once both are in, the processor time its threads have used so far is read from /proc (less
// disturbed by other load on the machine than the wall-clock times), and after the settle time
// its resident size; then the program is ended. Ending it by a signal leaves behind what a normal
// exit would have removed (the single-instance lock): --remove names such files, deleted after
// every run. The programs run alternately, in swapped order every other round, after the warm-up
// runs that are not counted. One line per program goes to the standard output:
//   startup NAME runs=N map-ms=M paint-ms=M cpu-ms=M rss-kib=M map-ms-min=.. ...
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

struct Program {
    std::string name;
    std::string path;
    std::vector<double> mapMs, paintMs, cpuMs, rssKiB;
};

struct Options {
    int runs = 15;
    int warmup = 1;
    int settleMs = 250;
    int timeoutMs = 20000;
    std::string title = "Tressora v1.0";
    std::string log = "/dev/null";
    std::vector<std::string> remove;
};

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "startbench: %s\n", why.c_str());
    std::exit(1);
}

class Display {
public:
    Display()
    {
        int screenNumber = 0;
        conn_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(conn_))
            fail("cannot open the X display (run under xvfb-run)");
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        root_ = it.data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conn_, root_, XCB_CW_EVENT_MASK, &mask);
        netWmName_ = atom("_NET_WM_NAME");
        utf8String_ = atom("UTF8_STRING");
        xcb_flush(conn_);
    }
    ~Display() { xcb_disconnect(conn_); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    int fd() const { return xcb_get_file_descriptor(conn_); }

    // Windows mapped since the last call, in order.
    std::vector<xcb_window_t> mappedWindows()
    {
        std::vector<xcb_window_t> mapped;
        while (xcb_generic_event_t *event = xcb_poll_for_event(conn_)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                mapped.push_back(reinterpret_cast<xcb_map_notify_event_t *>(event)->window);
            std::free(event);
        }
        if (xcb_connection_has_error(conn_))
            fail("lost the X display");
        return mapped;
    }

    std::string title(xcb_window_t window)
    {
        std::string name = property(window, netWmName_, utf8String_);
        if (name.empty())
            name = property(window, xcb_atom_t{XCB_ATOM_WM_NAME}, xcb_atom_t{XCB_ATOM_STRING});
        return name;
    }

private:
    xcb_atom_t atom(const char *name)
    {
        const auto cookie =
            xcb_intern_atom(conn_, 0, static_cast<uint16_t>(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(conn_, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        const auto cookie = xcb_get_property(conn_, 0, window, name, type, 0, 256);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(conn_, cookie, nullptr), &std::free);
        if (!reply || reply->format != 8)
            return {};
        const auto *text = static_cast<const char *>(xcb_get_property_value(reply.get()));
        return std::string(text,
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_connection_t *conn_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8String_ = XCB_ATOM_NONE;
};

std::optional<long> residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return std::nullopt;
}

// Processor time used so far by the threads of a process, in milliseconds.
double processorMs(pid_t pid)
{
    long long ns = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto &task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu)
            ns += onCpu;
    }
    return static_cast<double>(ns) / 1e6;
}

// The monotonic time in a "first-paint ... monotonic-ns=N" line, if this is one.
std::optional<long long> firstPaintNs(const std::string &line)
{
    if (line.rfind("first-paint ", 0) != 0)
        return std::nullopt;
    const std::size_t at = line.find("monotonic-ns=");
    if (at == std::string::npos)
        return std::nullopt;
    return std::strtoll(line.c_str() + at + 13, nullptr, 10);
}

struct Sample {
    double mapMs = 0;
    double paintMs = 0;
    double cpuMs = 0;
    double rssKiB = 0;
};

Sample runOnce(Display &display, const Program &program, const Options &options, std::ostream &log)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        fail("pipe failed");
    display.mappedWindows(); // forget earlier maps

    const long long start = monotonicNs();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        setenv("TRESSORA_BENCH_FIRST_PAINT", "1", 1);
        execl(program.path.c_str(), program.path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);

    std::optional<long long> mapped, painted;
    std::string pending, output;
    const long long deadline = start + static_cast<long long>(options.timeoutMs) * 1000000LL;
    while (!(mapped && painted)) {
        for (xcb_window_t window : display.mappedWindows()) {
            const long long seen = monotonicNs();
            if (!mapped && display.title(window) == options.title)
                mapped = seen;
        }
        if (mapped && painted)
            break;
        const long long left = deadline - monotonicNs();
        if (left <= 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            fail(program.name + ": no window on screen in time; its output:\n" + output);
        }
        pollfd fds[2] = {{display.fd(), POLLIN, 0}, {pipeFds[0], POLLIN, 0}};
        if (poll(fds, 2, static_cast<int>(left / 1000000 + 1)) < 0 && errno != EINTR)
            fail("poll failed");
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char buffer[4096];
            const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
            if (got <= 0) {
                waitpid(pid, nullptr, 0);
                fail(program.name + ": ended before its window was painted; its output:\n" +
                     output);
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            output.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
                const auto ns = firstPaintNs(pending.substr(0, eol));
                if (ns && !painted)
                    painted = *ns;
                pending.erase(0, eol + 1);
            }
        }
    }

    const double cpu = processorMs(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    const auto rss = residentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    close(pipeFds[0]);
    for (const std::string &file : options.remove)
        std::remove(file.c_str());
    if (!rss)
        fail(program.name + ": no resident size");

    Sample sample{static_cast<double>(*mapped - start) / 1e6,
                  static_cast<double>(*painted - start) / 1e6, cpu, static_cast<double>(*rss)};
    log << program.name << " map-ms=" << sample.mapMs << " paint-ms=" << sample.paintMs
        << " cpu-ms=" << sample.cpuMs << " rss-kib=" << sample.rssKiB << '\n'
        << output;
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double minimum(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                fail("missing value after " + arg);
            return argv[++i];
        };
        if (arg == "--runs")
            options.runs = std::stoi(value());
        else if (arg == "--warmup")
            options.warmup = std::stoi(value());
        else if (arg == "--settle-ms")
            options.settleMs = std::stoi(value());
        else if (arg == "--title")
            options.title = value();
        else if (arg == "--log")
            options.log = value();
        else if (arg == "--remove")
            options.remove.push_back(value());
        else if (const std::size_t eq = arg.find('='); eq != std::string::npos && eq > 0)
            programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}, {}, {}, {}});
        else
            fail("unknown argument " + arg);
    }
    if (programs.empty() || options.runs < 1)
        fail("usage: startbench [--runs N] [--warmup N] [--settle-ms N] [--title T] [--log FILE] "
             "[--remove FILE]... NAME=PATH...");

    std::ofstream log(options.log);
    Display display;
    for (int round = 0; round < options.warmup + options.runs; ++round) {
        const bool counted = round >= options.warmup;
        log << "round " << round << (counted ? "" : " (warm-up)") << '\n';
        for (std::size_t k = 0; k < programs.size(); ++k) {
            // Every other round runs the programs in reverse order, so neither always goes first.
            Program &program = programs[round % 2 ? programs.size() - 1 - k : k];
            const Sample sample = runOnce(display, program, options, log);
            if (counted) {
                program.mapMs.push_back(sample.mapMs);
                program.paintMs.push_back(sample.paintMs);
                program.cpuMs.push_back(sample.cpuMs);
                program.rssKiB.push_back(sample.rssKiB);
            }
        }
        log.flush();
    }

    for (const Program &p : programs) {
        std::printf("startup %s runs=%zu map-ms=%.1f paint-ms=%.1f cpu-ms=%.1f rss-kib=%.0f "
                    "map-ms-min=%.1f paint-ms-min=%.1f cpu-ms-min=%.1f rss-kib-min=%.0f\n",
                    p.name.c_str(), p.mapMs.size(), median(p.mapMs), median(p.paintMs),
                    median(p.cpuMs), median(p.rssKiB), minimum(p.mapMs), minimum(p.paintMs),
                    minimum(p.cpuMs), minimum(p.rssKiB));
    }
    return 0;
}
