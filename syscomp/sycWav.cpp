#include "syscomp/sycWav.h"

TsycWav::TsycWav(TComponent* AOwner)
    : TsycCustomFileStorage(AOwner),
      PlaySystemSound(TPlaySound::FromFunction([](const char* Sound, HMODULE Module, DWORD Flags) {
        return ::PlaySoundA(Sound, Module, Flags) != FALSE;
      })) {}

TsycWav::~TsycWav() {
  if (FPlaying || FMemoryInUse) Stop();
}

DWORD TsycWav::SoundFlags() const {
  DWORD flags = 0;
  if (FAsyncPlay) flags |= SND_ASYNC;
  if (FLooped) flags |= SND_LOOP;
  if (NoDefaultSound) flags |= SND_NODEFAULT;
  if (NoStopSound) flags |= SND_NOSTOP;
  if (FNoWaitIfBusy) flags |= SND_NOWAIT;
  static const DWORD sources[] = {SND_FILENAME, SND_RESOURCE, SND_MEMORY, SND_ALIAS};
  return flags | sources[FPlayFrom];
}

bool TsycWav::Play() {
  const DWORD flags = SoundFlags();
  const char* sound = nullptr;
  HMODULE module = nullptr;
  switch (FPlayFrom) {
    case pfFile:
      sound = GetFileName().c_str();
      break;
    case pfResource:
      sound = FResourceName.c_str();
      module = ::GetModuleHandleA(nullptr);
      break;
    case pfDFM:
      // Nothing stored, nothing to play: the system would read an empty block as a sound.
      if (GetDataSize() == 0) return false;
      sound = static_cast<const char*>(GetData()->GetMemory());
      break;
    case pfSystemEvent:
      sound = FEventAlias.c_str();
      break;
  }
  FPlaying = true;
  if (OnPlayBefore) OnPlayBefore(this);
  const bool played = PlaySystemSound(sound, module, flags);
  FMemoryInUse = played && FPlayFrom == pfDFM && FAsyncPlay;
  if (OnPlayAfter) OnPlayAfter(this);
  // A synchronous sound has ended by now; a short asynchronous one ends by itself, while a looped
  // one plays until it is stopped.
  FPlaying = played && FAsyncPlay && FLooped;
  return played;
}

void TsycWav::Stop() {
  FPlaying = false;
  FMemoryInUse = false;
  PlaySystemSound(nullptr, nullptr, 0);
}

void TsycWav::Restart() {
  Stop();
  Play();
}

void TsycWav::Clear() {
  // The system must let go of the stored bytes before they change.
  if (FMemoryInUse) Stop();
  inherited::Clear();
}

void TsycWav::SetFileName(const AnsiString& Value) {
  if (FMemoryInUse) Stop();
  const bool playing = FPlaying;
  inherited::SetFileName(Value);
  if (FPlayFrom == pfDFM && !IsLoading()) {
    LoadFromFile(Value);
    if (playing) Restart();
  }
}

void TsycWav::SetAsyncPlay(bool Value) {
  if (Value == FAsyncPlay) return;
  FAsyncPlay = Value;
  if (Value && FPlaying) Stop();
}

void TsycWav::SetEventAlias(const AnsiString& Value) {
  if (Value == FEventAlias) return;
  FEventAlias = Value;
  if (FPlaying && FPlayFrom == pfSystemEvent) Restart();
}

void TsycWav::SetLooped(bool Value) {
  if (Value == FLooped) return;
  FLooped = Value;
  if (FPlaying) {
    Stop();
    if (Value) Play();
  }
}

void TsycWav::SetNoWaitIfBusy(bool Value) {
  if (Value == FNoWaitIfBusy) return;
  FNoWaitIfBusy = Value;
  if (Value && FPlaying) Restart();
}

void TsycWav::SetPlayFrom(TsycWavPlayFrom Value) {
  if (Value == FPlayFrom) return;
  FPlayFrom = Value;
  if (IsLoading()) return;  // the stored bytes come with the form
  if (Value == pfDFM)
    LoadFromFile(GetFileName());
  else
    Clear();
}

void TsycWav::SetResourceName(const AnsiString& Value) {
  if (Value == FResourceName) return;
  FResourceName = Value;
  if (FPlaying && FPlayFrom == pfResource) Restart();
}

PUBLISHED(TsycWav) {
  Prop("AsyncPlay", &TsycWav::GetAsyncPlay, &TsycWav::SetAsyncPlay).Default(true);
  Prop("DataSize", &TsycWav::GetDataSize, &TsycWav::SetDataSize).Stored(false);
  Prop("EventAlias", &TsycWav::GetEventAlias, &TsycWav::SetEventAlias).Stored(&TsycWav::IsEventAliasStored);
  Prop("FileName", &TsycWav::GetFileName, &TsycWav::SetFileName).Stored(&TsycWav::IsFileNameStored);
  Prop("Looped", &TsycWav::GetLooped, &TsycWav::SetLooped).Default(false);
  Prop("NoDefaultSound", &TsycWav::NoDefaultSound).Default(true);
  Prop("NoStopSound", &TsycWav::NoStopSound).Default(false);
  Prop("NoWaitIfBusy", &TsycWav::GetNoWaitIfBusy, &TsycWav::SetNoWaitIfBusy).Default(true);
  Prop("PlayFrom", &TsycWav::GetPlayFrom, &TsycWav::SetPlayFrom).Default(pfFile);
  Prop("ResourceName", &TsycWav::GetResourceName, &TsycWav::SetResourceName).Stored(&TsycWav::IsResourceNameStored);
  Prop("OnPlayAfter", &TsycWav::OnPlayAfter);
  Prop("OnPlayBefore", &TsycWav::OnPlayBefore);
}
