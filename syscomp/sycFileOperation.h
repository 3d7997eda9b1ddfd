// The shell file operation: copies, moves, renames or deletes a list of files in one call of the
// shell, which shows its own progress and confirmation windows as the options allow.
#pragma once

#include "classlib/TypInfo.h"
#include "syscomp/sycComponentBase.h"

class TStrings;

enum TsycFileOperationType { fotCopy, fotDelete, fotMove, fotRename };
ENUM_NAMES(TsycFileOperationType, "fotCopy", "fotDelete", "fotMove", "fotRename");

enum TsycFileOperationFlag {
  fofAllowUndo,
  fofFilesOnly,
  fofNoConfirmation,
  fofNoConfirmMkDir,
  fofNoErrorUI,
  fofRenameCollision,
  fofSilent,
  fofSimpleProgress
};
ENUM_NAMES(TsycFileOperationFlag, "fofAllowUndo", "fofFilesOnly", "fofNoConfirmation", "fofNoConfirmMkDir",
           "fofNoErrorUI", "fofRenameCollision", "fofSilent", "fofSimpleProgress");
using TsycFileOperationFlags = TSet<TsycFileOperationFlag>;

using TsycFileOperationEvent = Closure<void(TObject* Sender, const AnsiString& S, bool& Handled)>;

// FileList holds one file (or wildcard pattern) per line, all going to DestFolder. When any line
// holds "=", every line is a pair "source=destination": a destination with a drive is used as
// it is, any other goes below DestFolder, and a name or extension left empty or written with
// wildcards is the source's. A line without "=" then goes to DestFolder under its own name; a
// pair with an empty source or destination is left out.
//
// A source that does not exist is reported through OnError and left out, so that the other
// files are still copied; the operation then answers false.
class TsycFileOperation : public TsycComponent {
  CLASS_INFO(TsycFileOperation, TsycComponent)
public:
  explicit TsycFileOperation(TComponent* AOwner);
  ~TsycFileOperation() override;

  // Runs Operation on the list; true when every file was done. An empty list does nothing and
  // answers true.
  virtual bool Execute(TsycFileOperationType Operation);
  // The system's message text for an error code; empty for 0.
  virtual AnsiString GetErrorText(Cardinal Code);
  // Raises OnError with Text; whether the handler set Handled.
  virtual bool DoError(const AnsiString& Text);
  // Execute with the Operation property.
  virtual bool Execute();
  // Execute(fotCopy), whatever Operation says.
  bool Copy();

  TStrings* GetFileList() const { return FFileList; }
  // Copies the lines of Value.
  void SetFileList(TStrings* Value);

  AnsiString DestFolder;
  // The title of the shell's simple progress window.
  AnsiString ProgressTitle;
  TsycFileOperationType Operation = fotCopy;
  TsycFileOperationFlags Options{fofAllowUndo, fofFilesOnly, fofRenameCollision};
  TsycFileOperationEvent OnError;

private:
  TStrings* FFileList;
};
