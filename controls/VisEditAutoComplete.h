// The auto-complete list of the custom edits: it keeps the texts entered into an edit in one
// item of a string-list container, completes the text being typed with the first stored text
// that begins with it (the completed tail selected, so that typing goes on over it), shows the
// stored texts that match in a drop-down list under the edit, and stores the edit's text when
// the user presses Enter or leaves the edit. While its list is shown it holds the edit's window
// procedure: Up and Down move in the list, Enter takes the chosen text, Escape and leaving the
// edit close the list.
#pragma once

#include "classlib/StdCtrls.h"
#include "controls/VisComponent.h"

class TVisCustomEdit;
class TVisStringList;

// The option sets, each element a bit of its byte.
constexpr Byte acsFromContainer = 1 << 1;  // fill the drop-down list from the container
constexpr Byte accInline = 1 << 1;         // complete the text in the edit
constexpr Byte accDropDown = 1 << 2;       // show the matching texts in a drop-down list
constexpr Byte acaOnExit = 1 << 1;         // store the text when the edit loses the focus
constexpr Byte acaOnEnter = 1 << 2;        // store it when Enter is pressed

// Asked before a text is stored: the handler may change Text, refuse it (Accept false) or store
// it itself (Handled true).
using TVisAutoCompleteAddEvent =
    Closure<void(TObject* Sender, TVisCustomEdit* Edit, AnsiString& Text, bool& Accept, bool& Handled)>;

class TVisEditAutoComplete : public TVisCustomComponent {
  CLASS_INFO(TVisEditAutoComplete, TVisCustomComponent)
public:
  explicit TVisEditAutoComplete(TComponent* AOwner);
  ~TVisEditAutoComplete() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TVisStringList* GetContainer() const { return FContainer; }
  void SetContainer(TVisStringList* Value);
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  // Which item of the container holds the texts.
  Integer GetListIndex() const { return FListIndex; }
  void SetListIndex(Integer Value) { FListIndex = Value; }
  Byte GetSourceOptions() const { return FSourceOptions; }
  void SetSourceOptions(Byte Value) { FSourceOptions = Value; }
  Byte GetCompletionOptions() const { return FCompletionOptions; }
  void SetCompletionOptions(Byte Value) { FCompletionOptions = Value; }
  Byte GetAddOptions() const { return FAddOptions; }
  void SetAddOptions(Byte Value) { FAddOptions = Value; }
  const AnsiString& GetLastText() const { return FLastText; }

  // The stored texts: the container's item at ListIndex, or none.
  TStrings* StoredTexts();

  // Called by the edit after every change of its text: completes it in the edit, the completed
  // tail selected. Text is a copy: the edit passes its own text, which the completion replaces.
  void TextChanged(TVisCustomEdit* Edit, AnsiString Text);
  // Text completed with the first stored text that begins with it (with inline completion);
  // shows the matches when the drop-down is on.
  AnsiString Complete(TVisCustomEdit* Edit, const AnsiString& Text);
  // Shows the stored texts that begin with Text, sorted.
  void ShowMatches(TVisCustomEdit* Edit, const AnsiString& Text);
  // Shows Matches under the edit; a single match equal to the edit's text hides the list.
  void ShowList(TVisCustomEdit* Edit, TStrings* Matches);
  // Gives the edit its window procedure back and frees the list.
  void HideList();
  // Stores Text unless it is stored already, after asking OnAdd.
  void AddText(TVisCustomEdit* Edit, const AnsiString& Text);

  // The drop-down list while it is shown, and the edit it is shown for.
  TListBox* GetListBox() const { return FListBox; }
  TVisCustomEdit* GetEdit() const { return FEdit; }

  TVisAutoCompleteAddEvent OnAdd;

private:
  void EditWndProc(TMessage& Message);
  void ListClick(TObject* Sender);
  // Puts the chosen entry into the edit and closes the list.
  void TakeChoice();

  bool FActive = true;
  AnsiString FLastText;
  TVisStringList* FContainer = nullptr;
  Integer FDropDownCount = 8;
  Integer FListIndex = 0;
  Byte FSourceOptions = acsFromContainer;
  Byte FCompletionOptions = accInline | accDropDown;
  Byte FAddOptions = acaOnExit | acaOnEnter;
  TVisCustomEdit* FEdit = nullptr;
  TListBox* FListBox = nullptr;
  WNDPROC FInstance = nullptr;
  WNDPROC FSavedProc = nullptr;
  HWND FSubclassed = nullptr;
  bool FCompleting = false;
  bool FInListClick = false;
  TListBox* FRetiredBox = nullptr;
};

namespace viseditautocomplete_detail {
// Makes the auto-complete list known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace viseditautocomplete_detail
