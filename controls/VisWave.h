// A RIFF wave sound held in memory as an option object, streamed in forms as the property "Data".
#pragma once

#include "classlib/Streams.h"
#include "controls/VisObject.h"

// Data that is not a RIFF wave: "<class name>: Cannot open file <file name>" (without a name when
// the data came from a stream or a form).
class EInvalidWave : public Exception {
  CLASS_INFO(EInvalidWave, Exception)
public:
  using Exception::Exception;
};

// What the header of a wave says.
struct TVisWaveInfo {
  LongWord RiffSize = 0;
  LongWord SamplesPerSec = 0;
  // 1 mono, 2 stereo, 0 any other number of channels.
  Byte ChannelMode = 0;
  // The format tag is 1.
  bool PCM = false;
  Word BlockAlign = 0;
};

// Reads a wave header from the stream's position: "RIFF", its size, "WAVE", "fmt ", the chunk
// size and the 14 bytes of format up to the block alignment. False when the data ends first or
// a signature differs. The stream goes back to where it was.
bool GetWaveInfo(TStream* Stream, TVisWaveInfo& Info);

class TVisWave : public TVisObject {
  CLASS_INFO(TVisWave, TVisObject)
public:
  TVisWave() = default;
  // A wave loaded from the file.
  static TVisWave* CreateFromFile(const AnsiString& FileName);
  ~TVisWave() override;

  // "Data": the length and the bytes of the RIFF file, written when there is a sound.
  void DefineProperties(TFiler* Filer) override;
  // From a wave: a copy of its bytes; nil clears the sound.
  void Assign(TPersistent* Source) override;

  // A 4-byte length N, then N bytes of RIFF file. A length of 0 clears the sound.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  // Loading keeps the old sound when the new data is no wave (EInvalidWave) or ends early
  // (EReadError).
  void LoadFromFile(const AnsiString& FileName);
  // The bytes from the stream's position to its end.
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const AnsiString& FileName);
  // The bytes of the RIFF file, without a length.
  void SaveToStream(TStream* Stream);

  bool Empty() const { return !FData || FData->GetSize() == 0; }
  Int64 Size() const { return FData ? FData->GetSize() : 0; }
  void Clear();
  // The sound's bytes (at position 0), or nil.
  TMemoryStream* GetData() const { return FData; }

private:
  // Reads Count bytes, tests them and takes them as the sound.
  void LoadBytes(TStream* Stream, Int64 Count, const AnsiString& FileName);
  void ReplaceData(TMemoryStream* Data);

  TMemoryStream* FData = nullptr;
};
