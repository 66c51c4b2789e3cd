// The texts the shell shows in its message boxes and the window's title, in Windows-1251 as the
// program holds them (app/ is compiled with that execution character set).
#pragma once

// The question before anything starts, and the game window's title.
extern const char* const startPrompt;
extern const char* const startCaption;
extern const char* const gameWindowTitle;

// The display refused the full screen: the offer to play in a window, and the notice when it
// is declined.
extern const char* const windowedOffer;
extern const char* const windowedOfferCaption;
extern const char* const quitNotice;

// A start-up step failed (shown under errorCaption).
extern const char* const errorCaption;
extern const char* const classNotRegistered;
extern const char* const windowNotCreated;
extern const char* const deviceContextNotMade;
extern const char* const pixelFormatNotFound;
extern const char* const pixelFormatNotSet;
extern const char* const renderingContextNotMade;
extern const char* const renderingContextNotActivated;
extern const char* const initialisationFailed;

// A teardown step failed (shown under shutdownCaption).
extern const char* const shutdownCaption;
extern const char* const contextsNotReleased;
extern const char* const renderingContextNotReleased;
extern const char* const deviceContextNotReleased;
extern const char* const windowNotDestroyed;
extern const char* const classNotUnregistered;
