// Feeds arbitrary bytes to the bitmap loader as a file: every input must end in an image or in
// one of the loader's messages, with no read or write outside what it owns.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/scripted/scripted_host.h"
#include "render/bitmap_loader.h"

static std::string inputPath;

static volatile unsigned pixelSum;

static int SwallowMessage(const std::string& text, const std::string& caption, UINT style)
{
    // Every refusal is one of the loader's own messages, captioned "Error", with an OK button.
    bool known = text == "Unknown DIB file format." || text == "Image file conversion error." ||
                 text == "Out of memory." || text == "Failed to open DIB file " + inputPath + ".\n";
    if (!known || caption != "Error" || style != MB_OK)
        std::abort();
    return IDOK;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/tmp/trimvald-fuzz-XXXXXX";
    int descriptor = mkstemp(pattern);
    if (descriptor < 0)
        std::abort();
    close(descriptor);
    inputPath = pattern;
    std::atexit([] { std::remove(inputPath.c_str()); });
    static ScriptedHostSetup hooks;
    hooks.messageBox = SwallowMessage;
    ScriptedHostShowOn(ScriptedSdlMachine());
    InstallScriptedHost(hooks);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(inputPath.c_str(), "wb");
    if (!file)
        std::abort();
    if (size && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    ImageRGB* image = LoadBitmapFile(inputPath.c_str());
    if (!image)
        return 0;
    // A picture the game can use as a texture, every pixel of it readable.
    if (image->width < 1 || image->width > 8192 || image->height < 1 || image->height > 8192)
        std::abort();
    size_t bytes = (size_t)image->width * image->height * 3;
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; i++)
        sum += image->pixels[i];
    pixelSum = sum;
    std::free(image->pixels);
    std::free(image);
    return 0;
}
