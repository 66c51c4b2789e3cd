#include "app/dialog_texts.h"

const char* const startPrompt = "Хотите запустить игру Тримвальд ?";
const char* const startCaption = "Запуск игры Тримвальд...";
const char* const gameWindowTitle = " Тримвальд ";

const char* const windowedOffer = "Запрошенный полноэкранный режим не поддерживается вашей\n"
                                  "видео-картой. Будем работать в окне?";
const char* const windowedOfferCaption = "Тримвальд";
const char* const quitNotice = "Программа завершает работу.";

const char* const errorCaption = "ОШИБКА";
const char* const classNotRegistered = "Не удается зарегистрировать класс окна.";
const char* const windowNotCreated = "Ошибка создания окна.";
const char* const deviceContextNotMade = "Не могу создать контекст устройства GL.";
const char* const pixelFormatNotFound = "Не могу найти подходящий формат пиксела.";
const char* const pixelFormatNotSet = "Не могу установить формат пиксела.";
const char* const renderingContextNotMade = "Не могу создать контекст отображения GL.";
const char* const renderingContextNotActivated = "Не могу активизировать контекст отбражения GL.";
const char* const initialisationFailed = "Инициализация провалена :(";

const char* const shutdownCaption = "ОШИБКА ЗАВЕРШЕНИЯ РАБОТЫ";
const char* const contextsNotReleased = "Не отпускаются DC и RC.";
const char* const renderingContextNotReleased = "Не отпускается контекст отображения.";
const char* const deviceContextNotReleased = "Не отпускается контекст устройства.";
const char* const windowNotDestroyed = "Окно не хочет разрушаться :(";
const char* const classNotUnregistered = "Не убирается класс окна.";
