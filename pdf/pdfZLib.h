// A write-only stream that deflates what is written to it into a destination stream, for the
// /FlateDecode filter of PDF streams.
#pragma once

#include <memory>

#include "classlib/Streams.h"

class EZlibError : public Exception {
  CLASS_INFO(EZlibError, Exception)
public:
  using Exception::Exception;
};

class ECompressionError : public EZlibError {
  CLASS_INFO(ECompressionError, EZlibError)
public:
  using EZlibError::EZlibError;
};

// The part the compression stream shares with a decompression stream: the destination or source,
// the position it was last left at, the zlib state and a 64 KiB buffer.
class TCustomZlibStream : public TStream {
  CLASS_INFO(TCustomZlibStream, TStream)
public:
  ~TCustomZlibStream() override;
  // Fired each time a full buffer has gone to the destination.
  TNotifyEvent OnProgress;

protected:
  explicit TCustomZlibStream(TStream* stream);
  void Progress() {
    if (OnProgress) OnProgress(this);
  }

  static constexpr Integer BufferSize = 65536;
  TStream* FStrm;
  Int64 FStrmPos;
  struct ZState;
  std::unique_ptr<ZState> FZRec;
  Byte FBuffer[BufferSize];
};

// Compression levels: clNone, clFastest, clDefault, clMax map to the zlib levels 0, 1, -1, 9.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCompressionStream : public TCustomZlibStream {
  CLASS_INFO(TCompressionStream, TCustomZlibStream)
public:
  // Starts a deflate stream into `dest` at its current position. Destroying the stream (or
  // Finish) completes the compressed data; read the destination's size only afterwards.
  TCompressionStream(TCompressionLevel compressionLevel, TStream* dest);
  ~TCompressionStream() override;

  // Raises ECompressionError "Invalid stream operation".
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  // Seek(0, soCurrent) answers the number of bytes written so far; anything else raises.
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;

  // Completes the compressed data now, so that a failure (a full disk under the destination)
  // raises here; the destructor then has nothing left to do. Writing afterwards raises.
  void Finish();

private:
  bool finished_ = false;
};
