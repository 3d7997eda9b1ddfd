// TVisBrowseDlg: the shell's folder picker as a component. It sets the tree's root, the picker's
// flags, title and initial selection, places the picker like the other dialogs of the set,
// reports selection changes and returns the folder chosen.
#pragma once

#include "classlib/Sets.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"
#include "controls/VisComponent.h"
#include "controls/VisDialogPlace.h"

// The root of the tree; bfoDesktopExpanded names no special folder and starts at the desktop.
enum TVisSystemFolders {
  bfoDesktop,
  bfoDesktopExpanded,
  bfoPrograms,
  bfoControlPanel,
  bfoPrinters,
  bfoPersonal,
  bfoFavorites,
  bfoStartup,
  bfoRecent,
  bfoSendto,
  bfoRecycleBin,
  bfoStartMenu,
  bfoDesktopDirectory,
  bfoMyComputer,
  bfoNetwork,
  bfoNetworkNeighborhood,
  bfoInternet,
  bfoFonts,
  bfoTemplates,
  bfoCommonStartMenu,
  bfoCommonPrograms,
  bfoCommonStartup,
  bfoCommonDesktopDirectory,
  bfoAppData,
  bfoPrintHood,
  bfoAltStartup,
  bfoCommonAltstartup,
  bfoCommonFavorites,
  bfoInternetChache,
  bfoCookies,
  bfoHistory
};
ENUM_NAMES(TVisSystemFolders, "bfoDesktop", "bfoDesktopExpanded", "bfoPrograms", "bfoControlPanel", "bfoPrinters",
           "bfoPersonal", "bfoFavorites", "bfoStartup", "bfoRecent", "bfoSendto", "bfoRecycleBin", "bfoStartMenu",
           "bfoDesktopDirectory", "bfoMyComputer", "bfoNetwork", "bfoNetworkNeighborhood", "bfoInternet", "bfoFonts",
           "bfoTemplates", "bfoCommonStartMenu", "bfoCommonPrograms", "bfoCommonStartup",
           "bfoCommonDesktopDirectory", "bfoAppData", "bfoPrintHood", "bfoAltStartup", "bfoCommonAltstartup",
           "bfoCommonFavorites", "bfoInternetChache", "bfoCookies", "bfoHistory");

// The shell's special-folder number of a root ($FEFE for bfoDesktopExpanded).
Integer SpecialFolderOf(TVisSystemFolders Folder);

enum TVisBrowseDlgOption {
  doBrowseForComputer,
  doBrowseForPrinter,
  doDontGoBelowDomain,
  doReturnFileSysAncestors,
  doReturnFileSysDirs,
  doStatusText,
  doShowFiles,
  doAllowEdit,   // an edit field for typing the folder, with validation
  doShowPath,    // the status line shows the selected path
  doEnableOK     // OK is enabled when the picker opens
};
ENUM_NAMES(TVisBrowseDlgOption, "doBrowseForComputer", "doBrowseForPrinter", "doDontGoBelowDomain",
           "doReturnFileSysAncestors", "doReturnFileSysDirs", "doStatusText", "doShowFiles", "doAllowEdit",
           "doShowPath", "doEnableOK");
using TVisBrowseDlgOptions = TSet<TVisBrowseDlgOption>;

// The picker's flags (BIF_...) of a set of options.
UINT BrowseFlagsOf(TVisBrowseDlgOptions Options);

using TVisBrowseDlgSelectionChangeEvent =
    Closure<void(TObject* Sender, HWND DialogHandle, const AnsiString& Path, LPCITEMIDLIST Item)>;
using TVisBrowseDlgEditValidateEvent = Closure<void(TObject* Sender, const AnsiString& Path, bool& Cancel)>;

class TVisBrowseDlg : public TVisCustomComponent {
  CLASS_INFO(TVisBrowseDlg, TVisCustomComponent)
public:
  explicit TVisBrowseDlg(TComponent* AOwner) : TVisCustomComponent(AOwner) {}

  // Shows the picker over the owner's window (the application's main form when the component
  // has no owner); true when the user chose an item, whose path is then SelectedFolder. While a
  // dialog responder is installed (classlib/Dialogs.h) it answers instead, as it answers the
  // class library's folder browser: it gets Caption, the root folder's path and SelectedFolder.
  bool Execute();

  const AnsiString& GetSelectedFolder() const { return FSelectedFolder; }
  // Before Execute, the folder the picker starts at; while it is open, selects that folder.
  void SetSelectedFolder(const AnsiString& Value);
  const AnsiString& GetStatusText() const { return FStatusText; }
  // Shown in the picker's status line while it is open.
  void SetStatusText(const AnsiString& Value);
  // The display name of the item chosen by the last Execute.
  const AnsiString& GetDisplayName() const { return FDisplayName; }
  // The picker window while it is open.
  HWND GetDialogHandle() const { return FDialog; }

  // The picker's window title, when not empty.
  AnsiString CaptionTitle;
  // The text above the tree.
  AnsiString Caption;
  TVisSystemFolders StartFolder = bfoDesktopExpanded;
  TVisBrowseDlgOptions Options{doReturnFileSysDirs, doShowPath};
  TVisDlgPosition Position = bpCenter;
  TVisDlgPosRel RelatePos = brActiveWindow;

  // After the picker window is set up.
  TNotifyEvent OnInit;
  TVisBrowseDlgSelectionChangeEvent OnSelectionChanged;
  // A typed folder was not accepted; setting Cancel keeps the picker open.
  TVisBrowseDlgEditValidateEvent OnValidate;

  // The picker's callback; Data is the component.
  static int CALLBACK Callback(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data);

private:
  int Notify(HWND Wnd, UINT Msg, LPARAM LParam);
  // The file-system path of StartFolder; empty for the desktop.
  AnsiString RootPath() const;
  void Initialized(HWND Wnd);

  AnsiString FSelectedFolder;
  AnsiString FStatusText;
  AnsiString FDisplayName;
  HWND FDialog = nullptr;
};

namespace visbrowsedlg_detail {
// Makes the folder picker known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visbrowsedlg_detail
