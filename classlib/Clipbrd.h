// The clipboard: text, pictures and data of any format, several formats at once.
//
// Every call opens the clipboard for its own work unless it is open already. To put several
// formats on the clipboard together, keep it open around the calls: the first format added
// empties the clipboard, the others join it.
//
//   {
//     ClipboardSession session;                // Open, and Close even when an exception passes
//     Clipboard()->SetAsText(plain);
//     Clipboard()->SetBuffer(RegisterClipboardFormatA("Rich Text Format"), rtf.data(), rtf.size());
//   }
#pragma once

#include "classlib/Components.h"
#include "classlib/Handles.h"
#include "classlib/WinApi.h"

class TClipboard : public TPersistent {
  CLASS_INFO(TClipboard, TPersistent)
public:
  TClipboard() = default;
  ~TClipboard() override;

  // Opens the clipboard, or counts one more opening when it is open already. Another program
  // may hold it for a moment: Open waits a little, then raises "Cannot open clipboard".
  void Open();
  // Undoes one Open; the last one closes the clipboard.
  void Close();
  // Empties the clipboard.
  void Clear();

  // Whether data of the format is on the clipboard (also formats the system converts to).
  bool HasFormat(Word Format);
  // The clipboard's handle for the format (the clipboard keeps owning it), or nullptr.
  HANDLE GetAsHandle(Word Format);
  // Hands data to the clipboard, which then owns it.
  void SetAsHandle(Word Format, HANDLE Value);
  // Copies a block of bytes onto the clipboard as the format.
  void SetBuffer(Word Format, const void* Buffer, Integer Size);
  // The bytes of the format's data (empty when there is none).
  AnsiString GetBuffer(Word Format);

  // CF_TEXT (the system offers CF_UNICODETEXT and CF_OEMTEXT from it).
  AnsiString GetAsText();
  void SetAsText(const AnsiString& Value);
  // Copies at most BufSize - 1 characters and a terminating zero; returns the count copied.
  Integer GetTextBuf(char* Buffer, Integer BufSize);
  void SetTextBuf(const char* Buffer);

  Integer GetFormatCount();
  // The formats in the order the clipboard lists them.
  Word GetFormats(Integer Index);

  // From a picture or graphic: its clipboard format (with CF_PALETTE when it has a palette).
  void Assign(TPersistent* Source) override;

protected:
  // To a picture, bitmap or metafile: the first clipboard format it can read.
  void AssignTo(TPersistent* Dest) override;

private:
  // Before data is added: the first addition within one opening empties the clipboard.
  void Adding();

  Integer FOpenRefCount = 0;
  bool FEmptied = false;
  // A hidden window owns the clipboard while it is open.
  UniqueWindow FWindow;
};

// The clipboard object of the process, made when first used.
TClipboard* Clipboard();
// Replaces it (for tests and special owners); returns the previous one, which the caller then owns.
TClipboard* SetClipboard(TClipboard* NewClipboard);

// Keeps the clipboard open for its lifetime.
class ClipboardSession {
public:
  explicit ClipboardSession(TClipboard* AClipboard = Clipboard()) : clipboard_(AClipboard) { clipboard_->Open(); }
  ~ClipboardSession() { clipboard_->Close(); }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;

private:
  TClipboard* clipboard_;
};
