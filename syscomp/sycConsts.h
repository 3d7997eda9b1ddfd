// The fixed message texts of the system components.
#pragma once

inline constexpr const char* SsycWarning = "Warning";
inline constexpr const char* SsycUnableToOpenKey = "Unable to open the %s key";
inline constexpr const char* SsycThreadException = "Thread %s raised exception class %s with message \"%s\".";
inline constexpr const char* SsycAlreadyRunning = "Application \"%s\" is already running.";
inline constexpr const char* SsycInsertToTrayFailed = "%s.InsertToTray failed";
inline constexpr const char* SsycDeleteFromTrayFailed = "%s.DeleteFromTray failed";
inline constexpr const char* SsycWrongSaveName =
    "AutoSave can not be set because the SaveName property contains wrong file name";
inline constexpr const char* SsycCannotLoadFile = "Can not load data from the \"%s\" file";
inline constexpr const char* SsycCannotSaveFile = "Can not save data to the \"%s\" file";
