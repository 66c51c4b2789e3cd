#include "tools/script/frame_journal.h"

#include "app/game_window.h"
#include "game/game_state.h"
#include "tools/script/json_writer.h"

FrameJournal frameJournal;
static void (*ended)(int frame) = nullptr;

void StartFrameJournal(void (*frameEnded)(int frame))
{
    frameJournal = FrameJournal();
    ended = frameEnded;
}

void JournalFrameStart()
{
    frameJournal.inProgress = true;
    frameJournal.drawn = appActive != 0;
    frameJournal.sounds.clear();
}

void JournalFrameEnd()
{
    if (!frameJournal.inProgress)
        return;
    frameJournal.inProgress = false;
    ++frameJournal.completed;
    if (ended)
        ended(frameJournal.completed);
}

void JournalSound(const char* file)
{
    if (frameJournal.inProgress)
        frameJournal.sounds.push_back(file);
}

std::string JournalLastFrameLine()
{
    if (frameJournal.completed == 0)
        return "{\"frame\": 0}";
    return FrameDumpLine(frameJournal.completed, frameJournal.drawn, game, frameJournal.sounds);
}
