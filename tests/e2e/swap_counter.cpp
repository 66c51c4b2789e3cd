// Preloaded into the game for the end-to-end runs: watches the SDL calls that show what the
// game did on screen, without the game knowing. When the process exits it writes a small
// report to the file named by TRIMVALD_SWAP_REPORT:
//   swaps=N            buffer swaps (frames shown)
//   span_ns=T          time from the first swap to the last
//   min_gap_ns=T       shortest time between two swaps, leaving out the last frame (a frame
//                      ended by Escape skips its wait on purpose)
//   median_gap_ns=T    the median time between two swaps
//   cpu_ns=T           processor time the whole process used from the first swap to the last
//   interval_asked=N   the last swap interval the game asked SDL for (absent: never asked)
//   interval=N         the swap interval SDL reported afterwards
//   windows=N          SDL windows created
//   fullscreen=N       requests to switch a window to fullscreen
//   destroyed=N        SDL windows destroyed
//   box=CAPTION        one line per message box shown, in order
//   first_yaw=A, first_pitch=A, yaw=A, pitch=A
//                      the camera's turn (degrees) in the first and the last frame drawn, read
//                      from the two rotations that follow the camera's glLoadIdentity
// With TRIMVALD_FORCED_SWAP_INTERVAL=N, SDL_GL_GetSwapInterval answers N, as with a driver that
// keeps every swap in step with the monitor whatever it is asked.
// With TRIMVALD_SWAP_TIMES set, the time of every swap (CLOCK_MONOTONIC, ns) and the processor
// time the whole process had used by then (ns) go to that file, a swap a line, for benchmarks.
// With TRIMVALD_VIRTUAL_PAD=FILE, a virtual game controller (SDL's) is plugged in once the game
// has SDL's game-controller support up, and set at every SDL_PollEvent from the lines added to
// FILE since: "axis N VALUE" and "button N 0|1", in SDL's numbering of a controller's axes and
// buttons, for the controller plugged in last; "plug" plugs in another, "unplug" pulls out the
// first one still plugged in.
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>
#include <utility>

namespace {

struct Report {
    long swaps = 0;
    int64_t first = 0;
    int64_t last = 0;
    int64_t minGap = -1;
    int64_t lastGap = -1;
    long windows = 0;
    long fullscreen = 0;
    long destroyed = 0;
    std::vector<std::pair<int64_t, int64_t>> times;  // swap time, processor time
    int64_t firstCpu = 0, lastCpu = 0;
    bool intervalAsked = false;
    int askedInterval = 0, reportedInterval = 0;
    std::vector<std::string> boxes;
    bool cameraSeen = false;
    float firstYaw = 0, firstPitch = 0, yaw = 0, pitch = 0;

    ~Report()
    {
        const char* path = std::getenv("TRIMVALD_SWAP_REPORT");
        if (!path || !*path)
            return;
        FILE* out = std::fopen(path, "w");
        if (!out)
            return;
        std::fprintf(out, "swaps=%ld\nspan_ns=%lld\nmin_gap_ns=%lld\nwindows=%ld\nfullscreen=%ld\n",
                     swaps, (long long)(last - first), (long long)minGap, windows, fullscreen);
        std::fprintf(out, "destroyed=%ld\n", destroyed);
        if (times.size() > 1) {
            std::vector<int64_t> gaps;
            for (size_t i = 1; i < times.size(); ++i)
                gaps.push_back(times[i].first - times[i - 1].first);
            std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
            std::fprintf(out, "median_gap_ns=%lld\ncpu_ns=%lld\n", (long long)gaps[gaps.size() / 2],
                         (long long)(lastCpu - firstCpu));
        }
        if (intervalAsked)
            std::fprintf(out, "interval_asked=%d\ninterval=%d\n", askedInterval, reportedInterval);
        if (cameraSeen)
            std::fprintf(out, "first_yaw=%.4f\nfirst_pitch=%.4f\nyaw=%.4f\npitch=%.4f\n", firstYaw,
                         firstPitch, yaw, pitch);
        for (const std::string& caption : boxes)
            std::fprintf(out, "box=%s\n", caption.c_str());
        std::fclose(out);
        const char* timesPath = std::getenv("TRIMVALD_SWAP_TIMES");
        FILE* timesOut = timesPath && *timesPath ? std::fopen(timesPath, "w") : nullptr;
        if (!timesOut)
            return;
        for (const auto& time : times)
            std::fprintf(timesOut, "%lld %lld\n", (long long)time.first, (long long)time.second);
        std::fclose(timesOut);
    }
} report;

int64_t ClockNs(clockid_t clock)
{
    timespec ts;
    clock_gettime(clock, &ts);
    return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
}

int64_t NowNs()
{
    return ClockNs(CLOCK_MONOTONIC);
}

template <typename F>
F Next(const char* name)
{
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) {
        std::fprintf(stderr, "swap_counter: %s not found\n", name);
        std::abort();
    }
    return reinterpret_cast<F>(symbol);
}

// The part of SDL_MessageBoxData before the title; only the title is read.
struct MessageBoxHead {
    uint32_t flags;
    void* window;
    const char* title;
};

}  // namespace

namespace {

template <typename F>
F Sdl(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

// The virtual controllers: one plugged in at first, then fed the commands written to the file.
struct VirtualPad {
    const char* path = std::getenv("TRIMVALD_VIRTUAL_PAD");
    std::vector<void*> plugged;  // oldest first
    bool started = false;
    off_t read = 0;
    std::string pending;

    bool Plug()
    {
        // SDL_JOYSTICK_TYPE_GAMECONTROLLER (1), all of a controller's 6 axes and 21 buttons.
        int index = Sdl<int (*)(int, int, int, int)>("SDL_JoystickAttachVirtual")(1, 6, 21, 0);
        void* joystick = index < 0 ? nullptr : Sdl<void* (*)(int)>("SDL_JoystickOpen")(index);
        if (!joystick) {
            path = nullptr;
            std::fprintf(stderr, "swap_counter: no virtual controller\n");
            return false;
        }
        plugged.push_back(joystick);
        return true;
    }

    // SDL detaches by device index, which moves as devices come and go.
    void Unplug()
    {
        if (plugged.empty())
            return;
        int id = Sdl<int (*)(void*)>("SDL_JoystickInstanceID")(plugged.front());
        for (int i = 0; i < Sdl<int (*)()>("SDL_NumJoysticks")(); ++i)
            if (Sdl<int (*)(int)>("SDL_JoystickGetDeviceInstanceID")(i) == id)
                Sdl<int (*)(int)>("SDL_JoystickDetachVirtual")(i);
        Sdl<void (*)(void*)>("SDL_JoystickClose")(plugged.front());
        plugged.erase(plugged.begin());
    }

    void Feed()
    {
        const uint32_t gameController = 0x00002000u;  // SDL_INIT_GAMECONTROLLER
        if (!path || !*path || !Sdl<uint32_t (*)(uint32_t)>("SDL_WasInit")(gameController))
            return;
        if (!started) {
            started = true;
            if (!Plug())
                return;
        }
        int file = open(path, O_RDONLY | O_CLOEXEC);
        if (file < 0)
            return;
        char buffer[4096];
        ssize_t got;
        while ((got = pread(file, buffer, sizeof buffer, read)) > 0) {
            read += got;
            pending.append(buffer, (size_t)got);
        }
        close(file);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            char kind[16] = "";
            int which = 0, value = 0;
            int fields = std::sscanf(pending.substr(0, end).c_str(), "%15s %d %d", kind, &which, &value);
            std::string command = kind;
            void* joystick = plugged.empty() ? nullptr : plugged.back();
            if (fields == 1 && command == "plug")
                Plug();
            else if (fields == 1 && command == "unplug")
                Unplug();
            else if (fields == 3 && joystick && command == "axis")
                Sdl<int (*)(void*, int, int16_t)>("SDL_JoystickSetVirtualAxis")(joystick, which, (int16_t)value);
            else if (fields == 3 && joystick && command == "button")
                Sdl<int (*)(void*, int, uint8_t)>("SDL_JoystickSetVirtualButton")(joystick, which, (uint8_t)value);
            pending.erase(0, end + 1);
        }
    }
} pad;

}  // namespace

extern "C" int SDL_PollEvent(void* event)
{
    static auto next = Next<int (*)(void*)>("SDL_PollEvent");
    pad.Feed();
    return next(event);
}

extern "C" void SDL_GL_SwapWindow(void* window)
{
    static auto next = Next<void (*)(void*)>("SDL_GL_SwapWindow");
    next(window);
    int64_t now = NowNs();
    if (report.swaps == 0) {
        report.first = now;
    } else {
        // The gap measured last time was not the final one after all.
        if (report.lastGap >= 0 && (report.minGap < 0 || report.lastGap < report.minGap))
            report.minGap = report.lastGap;
        report.lastGap = now - report.last;
    }
    report.last = now;
    report.lastCpu = ClockNs(CLOCK_PROCESS_CPUTIME_ID);
    if (report.swaps == 0)
        report.firstCpu = report.lastCpu;
    report.times.push_back({now, report.lastCpu});
    ++report.swaps;
}

extern "C" int SDL_GL_SetSwapInterval(int interval)
{
    static auto next = Next<int (*)(int)>("SDL_GL_SetSwapInterval");
    report.intervalAsked = true;
    report.askedInterval = interval;
    return next(interval);
}

extern "C" int SDL_GL_GetSwapInterval()
{
    static auto next = Next<int (*)()>("SDL_GL_GetSwapInterval");
    const char* forced = std::getenv("TRIMVALD_FORCED_SWAP_INTERVAL");
    report.reportedInterval = forced && *forced ? std::atoi(forced) : next();
    return report.reportedInterval;
}

extern "C" void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, uint32_t flags)
{
    static auto next = Next<void* (*)(const char*, int, int, int, int, uint32_t)>("SDL_CreateWindow");
    void* window = next(title, x, y, w, h, flags);
    if (window)
        ++report.windows;
    return window;
}

extern "C" void SDL_DestroyWindow(void* window)
{
    static auto next = Next<void (*)(void*)>("SDL_DestroyWindow");
    if (window)
        ++report.destroyed;
    next(window);
}

extern "C" int SDL_SetWindowFullscreen(void* window, uint32_t flags)
{
    static auto next = Next<int (*)(void*, uint32_t)>("SDL_SetWindowFullscreen");
    if (flags != 0)
        ++report.fullscreen;
    return next(window, flags);
}

extern "C" int SDL_ShowMessageBox(const void* data, int* button)
{
    static auto next = Next<int (*)(const void*, int*)>("SDL_ShowMessageBox");
    const auto* head = static_cast<const MessageBoxHead*>(data);
    report.boxes.push_back(head && head->title ? head->title : "");
    return next(data, button);
}

// The camera: glLoadIdentity, then the pitch about x, then minus the yaw about y. Anything else
// in between means it was some other object's rotation.
namespace {
int cameraStep = 0;
float cameraPitch = 0;
}  // namespace

extern "C" void glLoadIdentity()
{
    static auto next = Next<void (*)()>("glLoadIdentity");
    cameraStep = 1;
    next();
}

extern "C" void glTranslatef(float x, float y, float z)
{
    static auto next = Next<void (*)(float, float, float)>("glTranslatef");
    cameraStep = 0;
    next(x, y, z);
}

extern "C" void glRotatef(float angle, float x, float y, float z)
{
    static auto next = Next<void (*)(float, float, float, float)>("glRotatef");
    if (cameraStep == 1 && x == 1 && y == 0 && z == 0) {
        cameraPitch = angle;
        cameraStep = 2;
    } else if (cameraStep == 2 && x == 0 && y == 1 && z == 0) {
        if (!report.cameraSeen) {
            report.firstYaw = -angle;
            report.firstPitch = cameraPitch;
            report.cameraSeen = true;
        }
        report.yaw = -angle;
        report.pitch = cameraPitch;
        cameraStep = 0;
    } else {
        cameraStep = 0;
    }
    next(angle, x, y, z);
}
