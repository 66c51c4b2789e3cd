#include "tools/script/script_writer.h"

#include <cerrno>
#include <cstring>

#include "tools/script/script.h"

// How long the file may lag behind the game.
static const double flushIntervalMs = 1000.0;

static FILE* file = nullptr;
static bool failed = false;
static bool failureTold = false;
static std::string failure;

// The run of equal frames not yet written.
static std::vector<int> runKeys;
static int runDX = 0;
static int runDY = 0;
static long runFrames = 0;
static double lastFlushMs = 0.0;
static bool flushedOnce = false;

static void Fail(const char* what)
{
    if (!failed)
        failure = std::string(what) + ": " + std::strerror(errno ? errno : EIO);
    failed = true;
}

// Each line goes out with its line end in one write (the stream is unbuffered), so that a
// game killed at any moment leaves only whole lines behind.
static void Put(const std::string& line)
{
    if (!file || failed)
        return;
    std::string whole = line + '\n';
    if (std::fwrite(whole.data(), 1, whole.size(), file) != whole.size())
        Fail("cannot write the recording");
}

static void WriteRun()
{
    if (runFrames == 0)
        return;
    std::string line = "frames " + std::to_string(runFrames);
    for (int key : runKeys)
        line += " " + KeyNameOfCode(key);
    if (runDX != 0 || runDY != 0)
        line += " mouse " + std::to_string(runDX) + " " + std::to_string(runDY);
    Put(line);
    runFrames = 0;
}

static void Flush(double nowMs)
{
    WriteRun();
    lastFlushMs = nowMs;
    flushedOnce = true;
    if (file && !failed && std::fflush(file) != 0)
        Fail("cannot write the recording");
}

void ScriptWriterStart(FILE* output)
{
    file = output;
    failed = failureTold = false;
    failure.clear();
    runKeys.clear();
    runDX = runDY = 0;
    runFrames = 0;
    flushedOnce = false;
}

void ScriptWriterFrame(const std::vector<int>& keys, int mouseDX, int mouseDY, double nowMs)
{
    if (!file || failed)
        return;
    if (runFrames > 0 && (keys != runKeys || mouseDX != runDX || mouseDY != runDY))
        WriteRun();
    if (runFrames == 0) {
        runKeys = keys;
        runDX = mouseDX;
        runDY = mouseDY;
    }
    ++runFrames;
    if (!flushedOnce) {
        lastFlushMs = nowMs;
        flushedOnce = true;
    } else if (nowMs - lastFlushMs >= flushIntervalMs) {
        Flush(nowMs);
    }
}

void ScriptWriterLine(const std::string& line)
{
    WriteRun();
    Put(line);
}

bool ScriptWriterWriting()
{
    return file && !failed;
}

bool ScriptWriterTakeFailure(std::string& error)
{
    if (!failed || failureTold)
        return false;
    failureTold = true;
    error = failure;
    return true;
}

bool ScriptWriterFinish(const std::string& lastLine, std::string& error)
{
    if (!file)
        return true;
    WriteRun();
    Put(lastLine);
    errno = 0;
    if (!failed && std::fflush(file) != 0)
        Fail("cannot write the recording");
    if (std::fclose(file) != 0)
        Fail("cannot close the recording");
    file = nullptr;
    error = failure;
    return !failed;
}
