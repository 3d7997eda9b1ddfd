// Utilities of the spell engine: path macros in dictionary and configuration names, a small
// multicast event list, placing dialogs on the screen, creating folders and files, the edit
// distance that orders suggestions, and the engine's version text.
#pragma once

#include <string_view>
#include <vector>

#include "classlib/WinApi.h"

// Replaces the first occurrence of each macro of the name: "%AppName%" (the program file's name
// without folder and extension), "%UserName%" (the logged-on user, "default" when unknown),
// "%AppDir%" (the program's folder), "%AppData%" (the user's application-data folder, the
// program's folder when the shell has none), "%MyDocuments%" (the user's documents folder), then
// environment variables written as %NAME%. Folders come without a trailing backslash.
AnsiString ExpandPathMacros(std::string_view Path);
// Replaces only the first "%AppName%" and the first "%UserName%", as a default dictionary name
// of a configuration is expanded.
AnsiString ExpandNameMacros(std::string_view Path);

// The number of single-byte insertions, deletions and substitutions that turn one word into the
// other, where a swap of two neighbouring letters counts 1. Words of 255 characters or more give
// the greater of the two lengths.
Integer EditDistance(std::string_view A, std::string_view B);

// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceFolders(const AnsiString& Path);
// True when a file of this name can be written: an existing file is opened for writing (it is
// never deleted), a missing one is created, with DeleteOnClose removed again at once.
bool CanCreateFile(const AnsiString& FileName, bool DeleteOnClose);

// The version of the spell engine.
AnsiString EngineVersion();

// Keeps a top-level window inside the screen's work area, moved to (X, Y) as far as it fits.
void ClampDialog(HWND Form, Integer X, Integer Y);
// Puts a top-level window beside a word's rectangle (screen coordinates): horizontally at the
// word's left edge, vertically right below the word, or above it when it would stick out at the
// bottom; the coordinate not asked for stays; then ClampDialog.
void PlaceDialogNear(HWND Form, const TRect& Word, bool Horizontally, bool Vertically);

using TEventListMethod = Closure<void(TObject* Sender, Integer Argument)>;

// Listeners that follow an object: each method is called in the order added.
class TEventList : public TObject {
  CLASS_INFO(TEventList, TObject)
public:
  ~TEventList() override;
  // Owner is the object the method belongs to (its closure's object when not given).
  void Add(const TEventListMethod& Method, TObject* Owner = nullptr);
  void Remove(const TEventListMethod& Method);
  // Removes every method of that owner.
  void RemoveOwner(const TObject* Owner);
  void Call(TObject* Sender, Integer Argument) const;
  Integer Count() const { return static_cast<Integer>(methods_.size()); }

private:
  std::vector<TEventListMethod> methods_;
  std::vector<const void*> owners_;
};
