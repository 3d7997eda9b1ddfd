#include "app/ReferenceExchangeRun.h"

#include <memory>

#include "app/IdleWait.h"
#include "app/TickGuard.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"

namespace {

constexpr Cardinal kIdleWaitMs = 2000;

void ClearArchiveAttribute(const AnsiString& fileName) {
  if (fileName.empty()) return;
  const Integer attributes = FileGetAttr(fileName);
  if (attributes != -1 && (attributes & faArchive)) FileSetAttr(fileName, attributes & ~faArchive);
}

}  // namespace

TReferenceExchangeRun::TReferenceExchangeRun(TIdleWaits& idle, TPublish publish)
    : idle_(idle), publish_(std::move(publish)) {}

void TReferenceExchangeRun::Tick() {
  TTickGuard guard(ticking_);
  if (guard.Entered()) Step();
}

void TReferenceExchangeRun::Converted() {
  ClearArchiveAttribute(ParatextReferenceFile());
  ClearArchiveAttribute(BibleWorksReferenceFile());
  paratextFile_ = ReadExchangeFileStamp(ParatextReferenceFile());
  bibleWorksFile_ = ReadExchangeFileStamp(BibleWorksReferenceFile());
}

void TReferenceExchangeRun::Step() {
  switch (State) {
    case 0:
      if (ExchangeFileChanged(ParatextReferenceFile(), paratextFile_)) {
        idle_.StartIdleWait(TIdleWaits::ExchangeChannel, kIdleWaitMs);
        State = 1;
      } else {
        State = 3;
      }
      break;
    case 1:
      if (idle_.IdleWaitDone(TIdleWaits::ExchangeChannel)) State = 2;
      break;
    case 2:
      ConvertReferenceList("paratext", ParatextToBibleWorksMessage);
      Converted();
      State = 3;
      break;
    case 3:
      if (ExchangeFileChanged(BibleWorksReferenceFile(), bibleWorksFile_)) {
        idle_.StartIdleWait(TIdleWaits::ExchangeChannel, kIdleWaitMs);
        State = 4;
      } else {
        State = 0;
      }
      break;
    case 4:
      if (idle_.IdleWaitDone(TIdleWaits::ExchangeChannel)) State = 5;
      break;
    case 5: {
      ConvertReferenceList("bibleworks", BibleWorksToParatextMessage);
      Converted();
      std::unique_ptr<TStringList> lines(new TStringList());
      ReadLinesOrNone(ParatextReferenceFile(), lines.get());
      publish_(lines.get());
      State = 0;
      break;
    }
    default:
      State = 0;
      break;
  }
}
