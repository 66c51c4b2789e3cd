// Read-only files mapped into memory, local memory, and the small user-interface helpers the
// bitmap loader calls.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "platform/layer/layer.h"

// Under AddressSanitizer a view is a heap copy of the file rather than a mapping, so that a read
// past the file's end is reported (a mapping would read zeros up to the end of its last page).
#if defined(__SANITIZE_ADDRESS__)
#define LAYER_VIEWS_ON_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LAYER_VIEWS_ON_HEAP 1
#endif
#endif

// The kernel objects behind the HANDLEs given out here: open files and their mappings, and the
// clock's waitable timers. Each file and mapping holds its own descriptor, so a mapping outlives
// the file handle it was made from, as on Windows.
struct LayerKernelObject {
    enum class Kind { File, Mapping, Timer } kind = Kind::File;
    int descriptor = -1;
    uint64_t size = 0;  // a mapping's length
    int64_t due = 0;    // a timer's due time
};

static std::set<LayerKernelObject*> kernelObjects;
static std::map<const void*, size_t> views;  // each view's start and length

static LayerKernelObject* KernelObject(HANDLE handle, LayerKernelObject::Kind kind)
{
    auto found = kernelObjects.find(static_cast<LayerKernelObject*>(handle));
    if (found == kernelObjects.end() || (*found)->kind != kind)
        return nullptr;
    return *found;
}

static LayerKernelObject* NewKernelObject(LayerKernelObject::Kind kind, int descriptor,
                                          uint64_t size)
{
    LayerKernelObject* object = new LayerKernelObject;
    object->kind = kind;
    object->descriptor = descriptor;
    object->size = size;
    kernelObjects.insert(object);
    return object;
}

HANDLE LayerNewTimer()
{
    return NewKernelObject(LayerKernelObject::Kind::Timer, -1, 0);
}

int64_t* LayerTimerDue(HANDLE handle)
{
    LayerKernelObject* timer = KernelObject(handle, LayerKernelObject::Kind::Timer);
    return timer ? &timer->due : nullptr;
}

std::string LayerHostPath(const char* windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// Whether the name is there at all, never opening it: a named pipe would block an open.
DWORD WINAPI GetFileAttributesA(LPCSTR name)
{
    if (!name)
        return INVALID_FILE_ATTRIBUTES;
    std::string path = LayerHostPath(name);
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return INVALID_FILE_ATTRIBUTES;
    return S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation,
                          DWORD, HANDLE)
{
    // Only what the game asks: an existing file, opened for reading.
    if (!name || access != GENERIC_READ || creation != OPEN_EXISTING)
        return INVALID_HANDLE_VALUE;
    std::string path = LayerHostPath(name);
    // Not blocking: a named pipe in a file's place would wait for a writer for ever. Only a
    // regular file is taken, as Windows opens no directory here.
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return INVALID_HANDLE_VALUE;
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return INVALID_HANDLE_VALUE;
    }
    return NewKernelObject(LayerKernelObject::Kind::File, descriptor, 0);
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh)
{
    LayerKernelObject* object = KernelObject(file, LayerKernelObject::Kind::File);
    struct stat status;
    if (!object || fstat(object->descriptor, &status) != 0)
        return INVALID_FILE_SIZE;
    uint64_t size = (uint64_t)status.st_size;
    if (sizeHigh)
        *sizeHigh = (DWORD)(size >> 32);
    return (DWORD)size;
}

HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name)
{
    LayerKernelObject* object = KernelObject(file, LayerKernelObject::Kind::File);
    struct stat status;
    if (!object || protect != PAGE_READONLY || name || fstat(object->descriptor, &status) != 0)
        return nullptr;
    // The whole file, or as much of it as asked; a read-only mapping cannot grow the file, and
    // an empty file cannot be mapped at all.
    uint64_t fileSize = (uint64_t)status.st_size;
    uint64_t size = ((uint64_t)maximumSizeHigh << 32) | maximumSizeLow;
    if (size == 0)
        size = fileSize;
    if (size == 0 || size > fileSize)
        return nullptr;
    int descriptor = fcntl(object->descriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        return nullptr;
    return NewKernelObject(LayerKernelObject::Kind::Mapping, descriptor, size);
}

#ifdef LAYER_VIEWS_ON_HEAP
static void* ViewOnHeap(int descriptor, uint64_t offset, size_t length)
{
    char* copy = static_cast<char*>(std::malloc(length));
    size_t done = 0;
    while (copy && done < length) {
        ssize_t got = pread(descriptor, copy + done, length - done, (off_t)(offset + done));
        if (got <= 0) {
            std::free(copy);
            return nullptr;
        }
        done += (size_t)got;
    }
    return copy;
}
#endif

LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                            SIZE_T bytes)
{
    LayerKernelObject* object = KernelObject(mapping, LayerKernelObject::Kind::Mapping);
    if (!object || access != FILE_MAP_READ)
        return nullptr;
    // Views start on the allocation granularity, 64 KiB, as on Windows; 0 bytes means up to
    // the end of the mapping.
    uint64_t offset = ((uint64_t)offsetHigh << 32) | offsetLow;
    if (offset % 65536 != 0 || offset >= object->size || bytes > object->size - offset)
        return nullptr;
    size_t length = bytes ? bytes : (size_t)(object->size - offset);
#ifdef LAYER_VIEWS_ON_HEAP
    void* view = ViewOnHeap(object->descriptor, offset, length);
    if (!view)
        return nullptr;
#else
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, object->descriptor, (off_t)offset);
    if (view == MAP_FAILED)
        return nullptr;
#endif
    views[view] = length;
    return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID view)
{
    auto found = views.find(view);
    if (found == views.end())
        return FALSE;
#ifdef LAYER_VIEWS_ON_HEAP
    std::free(const_cast<void*>(view));
#else
    munmap(const_cast<void*>(view), found->second);
#endif
    views.erase(found);
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle)
{
    auto found = kernelObjects.find(static_cast<LayerKernelObject*>(handle));
    if (found == kernelObjects.end())
        return FALSE;
    LayerKernelObject* object = *found;
    kernelObjects.erase(found);
    if (object->descriptor >= 0)
        close(object->descriptor);
    delete object;
    return TRUE;
}

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes)
{
    // Fixed memory only (what the game asks); LPTR also fills it with zeros.
    if (flags & ~(UINT)LPTR)
        return nullptr;
    if (bytes == 0)
        bytes = 1;
    return (flags & LMEM_ZEROINIT) ? std::calloc(1, bytes) : std::malloc(bytes);
}

HLOCAL WINAPI LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    // Windows writes at most 1024 bytes, the terminating zero included.
    const size_t limit = 1024;
    if (!buffer || !format)
        return 0;
    va_list arguments;
    va_start(arguments, format);
    int written = std::vsnprintf(buffer, limit, format, arguments);
    va_end(arguments);
    if (written < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return written < (int)limit ? written : (int)limit - 1;
}

HWND WINAPI GetFocus(void)
{
    // The game's one window has the keyboard focus once it is shown.
    return layerWindow && layerWindow->shown ? layerWindow : nullptr;
}
