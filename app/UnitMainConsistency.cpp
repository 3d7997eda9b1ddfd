// The main window's menu commands: the consistency lists.
#include "app/UnitMain.h"

void TMainScreen::FloraFaunaOT1Click(TObject*) {}
void TMainScreen::FloraFaunaNT1Click(TObject*) {}
void TMainScreen::BorrowedWordsNT1Click(TObject*) {}
void TMainScreen::KeywordsOT1Click(TObject*) {}
void TMainScreen::KeywordsNT1Click(TObject*) {}
void TMainScreen::NamesOT1Click(TObject*) {}
void TMainScreen::NamesNT1Click(TObject*) {}
