// Wave files are read, decoded and converted on a thread of their own, never on the game's: a
// cue that is played every frame pays the file once, and a huge or slow file delays only its own
// start. The converted samples are kept per path with what the file was when it was read, so a
// file changed on disk is read again; files that cannot be played are remembered the same way.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>

#include "platform/desktop/cue_loader.h"

namespace {

struct Request {
    std::string path;
    CueFileKey key;
    unsigned long long id = 0;
};

struct Known {
    CueFileKey key;
    CueSamples samples;  // null: the file cannot be played
};

// Files larger than this are not read at all, and the cache keeps no more than this many bytes
// of samples: a hostile file in a cue's place costs at most this much memory.
const off_t largestFile = 256 << 20;
const size_t cachedBytesMost = 64 << 20;
const size_t readPiece = 1 << 20;

std::mutex cueMutex;
std::condition_variable loaderWake;
std::condition_variable loaderDone;
std::thread loader;
bool loaderStopping = false;
bool loaderBusy = false;
bool loaderHeld = false;
unsigned long long latestCall = 0;
std::optional<Request> pending;
std::unordered_map<std::string, Known> known;
size_t cachedBytes = 0;
// Samples that stopped playing with no one else holding them, freed by the loader.
std::vector<CueSamples> released;

void Release(CueSamples samples)
{
    if (samples && samples.use_count() == 1) {
        released.push_back(std::move(samples));
        loaderWake.notify_one();
    }
}

// Whether the read of `request` should go on: not when the loader is stopping or a call for
// another file came in meanwhile. A call for the same file takes the read over. Under cueMutex.
bool StillWanted(Request& request)
{
    if (loaderStopping)
        return false;
    if (!pending)
        return true;
    if (pending->path != request.path || !(pending->key == request.key))
        return false;
    request.id = pending->id;
    pending.reset();
    return true;
}

// Reads the whole file in pieces, giving up between them when it is no longer wanted.
bool ReadFile(Request& request, std::vector<Uint8>& bytes)
{
    int fd = open(request.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    bool fine = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= largestFile;
    if (fine)
        bytes.reserve((size_t)status.st_size + readPiece);
    while (fine) {
        size_t had = bytes.size();
        bytes.resize(had + readPiece);
        ssize_t got = read(fd, bytes.data() + had, readPiece);
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        bytes.resize(had + (got > 0 ? (size_t)got : 0));
        if (got <= 0) {
            fine = got == 0;
            break;
        }
        if (bytes.size() > (size_t)largestFile)
            fine = false;
        std::lock_guard<std::mutex> lock(cueMutex);
        if (!StillWanted(request))
            fine = false;
    }
    close(fd);
    return fine;
}

// Whether the load should go on, asked between pieces of work.
bool GoOn(Request& request)
{
    std::lock_guard<std::mutex> lock(cueMutex);
    return StillWanted(request);
}

enum class Converted { Done, Failed, GivenUp };

// Turns the samples into the device's format in pieces, giving up between them when the file is
// no longer wanted: a long file's conversion takes seconds, and a quit must not wait for it.
Converted Convert(const Uint8* samples, Uint32 length, const SDL_AudioSpec& from,
                  const SDL_AudioSpec& to, Request& request, std::vector<Uint8>& out)
{
    SDL_AudioStream* stream =
        SDL_NewAudioStream(from.format, from.channels, from.freq, to.format, to.channels, to.freq);
    if (!stream)
        return Converted::Failed;
    Converted result = Converted::Done;
    auto drain = [&] {
        int ready = SDL_AudioStreamAvailable(stream);
        size_t had = out.size();
        out.resize(had + (size_t)std::max(ready, 0));
        int got = ready > 0 ? SDL_AudioStreamGet(stream, out.data() + had, ready) : 0;
        out.resize(had + (size_t)std::max(got, 0));
        return got >= 0;
    };
    for (Uint32 done = 0; result == Converted::Done && done < length;) {
        Uint32 piece = (Uint32)std::min<size_t>(readPiece, length - done);
        if (SDL_AudioStreamPut(stream, samples + done, (int)piece) != 0 || !drain())
            result = Converted::Failed;
        else if (!GoOn(request))
            result = Converted::GivenUp;
        done += piece;
    }
    if (result == Converted::Done && (SDL_AudioStreamFlush(stream) != 0 || !drain()))
        result = Converted::Failed;
    SDL_FreeAudioStream(stream);
    return result;
}

// The samples in the device's format into `decoded`; null when the file is not a wave SDL can
// play or there is no device to play it on. A file that cannot be read never touches the
// device. False when the conversion was given up.
bool Decode(std::vector<Uint8> bytes, Request& request, CueSamples& decoded)
{
    SDL_AudioSpec fileSpec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), (int)bytes.size());
    if (!source || !SDL_LoadWAV_RW(source, 1, &fileSpec, &samples, &length))
        return true;
    // The file's bytes go before the samples are converted: a long file is held twice at most.
    std::vector<Uint8>().swap(bytes);
    SDL_AudioSpec deviceSpec;
    SDL_AudioCVT plan;
    int needed = -1;
    if (CueDeviceOpen(deviceSpec))
        needed = SDL_BuildAudioCVT(&plan, fileSpec.format, fileSpec.channels, fileSpec.freq,
                                   deviceSpec.format, deviceSpec.channels, deviceSpec.freq);
    auto buffer = std::make_shared<std::vector<Uint8>>();
    Converted result = Converted::Failed;
    if (needed == 0) {
        buffer->assign(samples, samples + length);
        result = Converted::Done;
    } else if (needed > 0) {
        result = Convert(samples, length, fileSpec, deviceSpec, request, *buffer);
    }
    SDL_FreeWAV(samples);
    if (result == Converted::Done)
        decoded = buffer;
    return result != Converted::GivenUp;
}

void Remember(const Request& request, const CueSamples& samples)
{
    size_t bytes = samples ? samples->size() : 0;
    auto old = known.find(request.path);
    if (old != known.end()) {
        cachedBytes -= old->second.samples ? old->second.samples->size() : 0;
        known.erase(old);
    }
    if (bytes > cachedBytesMost)
        return;
    if (cachedBytes + bytes > cachedBytesMost) {
        known.clear();
        cachedBytes = 0;
    }
    known[request.path] = Known{request.key, samples};
    cachedBytes += bytes;
}

void LoaderLoop()
{
    std::unique_lock<std::mutex> lock(cueMutex);
    for (;;) {
        loaderWake.wait(lock, [] {
            return loaderStopping || (!loaderHeld && (pending || !released.empty()));
        });
        if (loaderStopping)
            return;
        std::vector<CueSamples> freeing;
        freeing.swap(released);
        std::optional<Request> request;
        request.swap(pending);
        loaderBusy = request.has_value();
        lock.unlock();
        freeing.clear();
        CueSamples samples;
        bool read = false;
        if (request) {
            std::vector<Uint8> bytes;
            // A conversion given up counts as a read given up.
            read = ReadFile(*request, bytes) && Decode(std::move(bytes), *request, samples);
        }
        lock.lock();
        loaderBusy = false;
        if (loaderStopping)
            break;
        // A call for the same file that came after the last piece was read takes this load.
        if (read && pending && pending->path == request->path && pending->key == request->key) {
            request->id = pending->id;
            pending.reset();
        }
        // A read given up for another file is not remembered; one that failed on its own is.
        if (request && (read || !pending)) {
            Remember(*request, samples);
            if (request->id == latestCall)
                Release(samples ? CueDevicePlay(samples) : CueDeviceStop());
        }
        loaderDone.notify_all();
    }
    loaderDone.notify_all();
}

void StopLoader()
{
    std::unique_lock<std::mutex> lock(cueMutex);
    if (!loader.joinable())
        return;
    loaderStopping = true;
    loaderWake.notify_all();
    lock.unlock();
    loader.join();
    lock.lock();
    loaderStopping = false;
    pending.reset();
    released.clear();
}

}  // namespace

bool CueFileKey::operator==(const CueFileKey& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
}

CueFileKey CueKeyOf(const struct stat& status)
{
    CueFileKey key;
    key.device = status.st_dev;
    key.inode = status.st_ino;
    key.size = status.st_size;
    key.modifiedSeconds = status.st_mtim.tv_sec;
    key.modifiedNanoseconds = status.st_mtim.tv_nsec;
    return key;
}

void CuePlay(const std::string& path, const CueFileKey& key)
{
    std::lock_guard<std::mutex> lock(cueMutex);
    ++latestCall;
    auto found = known.find(path);
    if (found != known.end() && found->second.key == key) {
        const CueSamples& samples = found->second.samples;
        Release(samples ? CueDevicePlay(samples) : CueDeviceStop());
        return;
    }
    Release(CueDeviceStop());
    pending = Request{path, key, latestCall};
    if (!loader.joinable()) {
        static bool stopAtExit = false;
        if (!stopAtExit)
            stopAtExit = std::atexit(StopLoader) == 0;
        loader = std::thread(LoaderLoop);
    }
    loaderWake.notify_one();
}

void CueStop()
{
    std::lock_guard<std::mutex> lock(cueMutex);
    ++latestCall;
    pending.reset();
    Release(CueDeviceStop());
}

void CueWaitForLoader()
{
    std::unique_lock<std::mutex> lock(cueMutex);
    loaderDone.wait(lock, [] { return !loader.joinable() || (!pending && !loaderBusy); });
}

void CueHoldLoader(bool held)
{
    std::lock_guard<std::mutex> lock(cueMutex);
    loaderHeld = held;
    loaderWake.notify_all();
}

void CueLoaderReset()
{
    StopLoader();
    std::lock_guard<std::mutex> lock(cueMutex);
    loaderHeld = false;
    known.clear();
    cachedBytes = 0;
    latestCall = 0;
}
