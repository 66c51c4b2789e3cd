// Preloaded into the game for the end-to-end runs: watches the SDL calls that show what the
// game did on screen, without the game knowing. When the process exits it writes a small
// report to the file named by TRIMVALD_SWAP_REPORT:
//   swaps=N            buffer swaps (frames shown)
//   span_ns=T          time from the first swap to the last
//   min_gap_ns=T       shortest time between two swaps, leaving out the last frame (a frame
//                      ended by Escape skips its wait on purpose)
//   windows=N          SDL windows created
//   fullscreen=N       requests to switch a window to fullscreen
//   destroyed=N        SDL windows destroyed
//   box=CAPTION        one line per message box shown, in order
#include <dlfcn.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
    std::vector<std::string> boxes;

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
        for (const std::string& caption : boxes)
            std::fprintf(out, "box=%s\n", caption.c_str());
        std::fclose(out);
    }
} report;

int64_t NowNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
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
    ++report.swaps;
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
