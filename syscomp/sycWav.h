// The wave player: plays a wave sound from a file, a resource of the program, its own stored
// bytes or a system sound event.
#pragma once

#include "classlib/TypInfo.h"
#include "syscomp/sycFileStorage.h"

enum TsycWavPlayFrom { pfFile, pfResource, pfDFM, pfSystemEvent };
ENUM_NAMES(TsycWavPlayFrom, "pfFile", "pfResource", "pfDFM", "pfSystemEvent");

// With pfDFM the sound is the stored bytes (kept with the form): choosing pfDFM loads FileName
// into them, choosing another source forgets them.
//
// A sound counts as playing from the start of Play until a synchronous sound has ended, and a
// looped asynchronous sound until Stop: while one plays, changing how or what it plays starts it
// again as changed.
class TsycWav : public TsycCustomFileStorage {
  CLASS_INFO(TsycWav, TsycCustomFileStorage)
public:
  explicit TsycWav(TComponent* AOwner);
  ~TsycWav() override;

  // Plays the sound; the system's answer (false when it could not be played).
  bool Play();
  void Stop();
  bool GetPlaying() const { return FPlaying; }
  // The flags Play passes to the system for the present properties.
  DWORD SoundFlags() const;

  void Clear() override;
  void SetFileName(const AnsiString& Value) override;

  bool GetAsyncPlay() const { return FAsyncPlay; }
  void SetAsyncPlay(bool Value);
  const AnsiString& GetEventAlias() const { return FEventAlias; }
  void SetEventAlias(const AnsiString& Value);
  bool GetLooped() const { return FLooped; }
  void SetLooped(bool Value);
  bool GetNoWaitIfBusy() const { return FNoWaitIfBusy; }
  void SetNoWaitIfBusy(bool Value);
  TsycWavPlayFrom GetPlayFrom() const { return FPlayFrom; }
  void SetPlayFrom(TsycWavPlayFrom Value);
  const AnsiString& GetResourceName() const { return FResourceName; }
  void SetResourceName(const AnsiString& Value);

  // Each source's name is written to forms only when it is the source.
  bool IsEventAliasStored() const { return FPlayFrom == pfSystemEvent; }
  bool IsFileNameStored() const { return FPlayFrom == pfFile; }
  bool IsResourceNameStored() const { return FPlayFrom == pfResource; }

  bool NoDefaultSound = true;
  bool NoStopSound = false;
  TNotifyEvent OnPlayAfter;
  TNotifyEvent OnPlayBefore;

  // The system call that plays a sound (a null Sound stops every sound of the program): PlaySoundA,
  // or what a test puts here to see the calls where no sound can be heard.
  using TPlaySound = Closure<bool(const char* Sound, HMODULE Module, DWORD Flags)>;
  TPlaySound PlaySystemSound;

private:
  void Restart();

  bool FAsyncPlay = true;
  AnsiString FEventAlias = ".Default";
  bool FLooped = false;
  bool FNoWaitIfBusy = true;
  TsycWavPlayFrom FPlayFrom = pfFile;
  AnsiString FResourceName = "WAVE1";
  bool FPlaying = false;
  // The system may still be reading the stored bytes of an asynchronous sound.
  bool FMemoryInUse = false;
};
