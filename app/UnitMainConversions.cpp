// The main window's menu commands: the conversions, the correction lists and the conversion settings.
#include <memory>

#include "app/ConversionVariablesUnit.h"
#include "app/ConvertBibleWorksToParatextUnit.h"
#include "app/OnlineBibleToBibleWorksUnit.h"
#include "app/RemovalSpellingErrorsUnit.h"
#include "app/SFMToBibleWorksUnit.h"
#include "app/TNEConvertUnit.h"
#include "app/TextToSFM.h"
#include "app/UnitMain.h"

namespace {

// Each dialog is made when its item is chosen, shown modally and freed.
template <class Dialog>
void ShowDialog(TComponent* owner) {
  std::unique_ptr<Dialog> dialog(new Dialog(owner));
  dialog->ShowModal();
}

}  // namespace

void TMainScreen::Converttextdocument1Click(TObject*) { ShowDialog<TTextToSFMDialog>(this); }
void TMainScreen::ConvertOnlineBible1Click(TObject*) { ShowDialog<TOnlineBibleToBibleWorksDialog>(this); }
void TMainScreen::ConvertParatextbooks1Click(TObject*) { ShowDialog<TSFMToBibleWorksDlg>(this); }
void TMainScreen::ConvertBibleWorksbooks1Click(TObject*) { ShowDialog<TConvertBibleWorksToParatextDlg>(this); }
void TMainScreen::Correctionofspellingerrors1Click(TObject*) { ShowDialog<TRemovalSpellingErrorsDlg>(this); }
void TMainScreen::ConvertToTNE1Click(TObject*) { ShowDialog<TTNEConvertDialog>(this); }
void TMainScreen::Conversion1Click(TObject*) { ShowDialog<TConversionVariablesDlg>(this); }
