// The main window's menu commands: the names list, name comparison, unwanted words and the advanced search.
#include "app/UnitMain.h"

void TMainScreen::Nameslist1Click(TObject*) {}
void TMainScreen::Comparenames1Click(TObject*) {}
void TMainScreen::Unwantedwords1Click(TObject*) {}
void TMainScreen::Advancedsearch1Click(TObject*) {}
