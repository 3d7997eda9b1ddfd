// Wave sounds in memory.
#include "controls/VisWave.h"

#include <cstring>
#include <memory>

#include <mmsystem.h>

#include "classlib/Filer.h"
#include "classlib/SysUtils.h"

bool GetWaveInfo(TStream* Stream, TVisWaveInfo& Info) {
  const Int64 start = Stream->GetPosition();
  // "RIFF", size, "WAVE", "fmt ", chunk size, tag, channels, rate, bytes per second, alignment.
  Byte header[34];
  const Integer got = Stream->Read(header, sizeof(header));
  Stream->SetPosition(start);
  if (got < static_cast<Integer>(sizeof(header))) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0 ||
      std::memcmp(header + 12, "fmt ", 4) != 0)
    return false;
  const auto u16 = [&](int at) { return static_cast<Word>(header[at] | (header[at + 1] << 8)); };
  const auto u32 = [&](int at) { return static_cast<LongWord>(u16(at) | (LongWord(u16(at + 2)) << 16)); };
  Info.RiffSize = u32(4);
  Info.PCM = u16(20) == 1;
  const Word channels = u16(22);
  Info.ChannelMode = channels == 1 ? 1 : channels == 2 ? 2 : 0;
  Info.SamplesPerSec = u32(24);
  Info.BlockAlign = u16(32);
  return true;
}

TVisWave* TVisWave::CreateFromFile(const AnsiString& FileName) {
  auto wave = std::make_unique<TVisWave>();
  wave->LoadFromFile(FileName);
  return wave.release();
}

TVisWave::~TVisWave() { Clear(); }

void TVisWave::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty("Data", TStreamProc(this, &TVisWave::ReadData), TStreamProc(this, &TVisWave::WriteData),
                              !Empty());
}

void TVisWave::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  auto* source = dynamic_cast<TVisWave*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  if (source->Empty()) {
    Clear();
    return;
  }
  auto copy = std::make_unique<TMemoryStream>();
  source->FData->SetPosition(0);
  copy->CopyFrom(source->FData, source->FData->GetSize());
  source->FData->SetPosition(0);
  ReplaceData(copy.release());
}

void TVisWave::Clear() {
  if (!FData) return;
  ::sndPlaySoundA(nullptr, SND_MEMORY);
  FreeAndNil(FData);
  Change();
}

void TVisWave::ReplaceData(TMemoryStream* Data) {
  // A sound that is playing from the old bytes stops before they go.
  if (FData) ::sndPlaySoundA(nullptr, SND_MEMORY);
  delete FData;
  FData = Data;
  FData->SetPosition(0);
  Change();
}

void TVisWave::LoadBytes(TStream* Stream, Int64 Count, const AnsiString& FileName) {
  if (Count <= 0) {
    Clear();
    return;
  }
  auto data = std::make_unique<TMemoryStream>();
  data->SetSize(Count);
  Stream->ReadBuffer(data->GetMemory(), static_cast<Integer>(Count));
  TVisWaveInfo info;
  if (!GetWaveInfo(data.get(), info))
    throw EInvalidWave(ClassName() + ": Cannot open file" + (FileName.empty() ? "" : " " + FileName));
  ReplaceData(data.release());
}

void TVisWave::ReadData(TStream* Stream) {
  LongWord count = 0;
  Stream->ReadBuffer(&count, 4);
  // A length beyond what the stream holds is data cut short.
  if (count > Stream->GetSize() - Stream->GetPosition()) throw EReadError("Stream read error");
  LoadBytes(Stream, count, "");
}

void TVisWave::WriteData(TStream* Stream) {
  const auto count = static_cast<LongWord>(Size());
  Stream->WriteBuffer(&count, 4);
  if (count > 0) {
    FData->SetPosition(0);
    Stream->CopyFrom(FData, count);
    FData->SetPosition(0);
  }
}

void TVisWave::LoadFromFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyRead);
  LoadBytes(&file, file.GetSize(), FileName);
}

void TVisWave::LoadFromStream(TStream* Stream) { LoadBytes(Stream, Stream->GetSize() - Stream->GetPosition(), ""); }

void TVisWave::SaveToFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

void TVisWave::SaveToStream(TStream* Stream) {
  if (Empty()) return;
  FData->SetPosition(0);
  Stream->CopyFrom(FData, FData->GetSize());
  FData->SetPosition(0);
}
