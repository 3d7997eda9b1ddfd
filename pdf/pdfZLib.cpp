#include "pdf/pdfZLib.h"

#include <zlib.h>

#include "pdf/pdfResources.h"

struct TCustomZlibStream::ZState {
  z_stream Z{};
};

namespace {

int Check(int code) {
  if (code < 0) throw ECompressionError(SCompressionError);
  return code;
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream* stream)
    : FStrm(stream), FStrmPos(stream->GetPosition()), FZRec(std::make_unique<ZState>()) {
  FZRec->Z.next_out = FBuffer;
  FZRec->Z.avail_out = BufferSize;
}

TCustomZlibStream::~TCustomZlibStream() = default;

TCompressionStream::TCompressionStream(TCompressionLevel compressionLevel, TStream* dest) : inherited(dest) {
  static const int levels[] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
  Check(deflateInit(&FZRec->Z, levels[static_cast<int>(compressionLevel)]));
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot pass the failure on; callers that must know call Finish first.
  }
  deflateEnd(&FZRec->Z);
}

void TCompressionStream::Finish() {
  if (finished_) return;
  finished_ = true;
  z_stream& z = FZRec->Z;
  z.next_in = nullptr;
  z.avail_in = 0;
  if (FStrm->GetPosition() != FStrmPos) FStrm->SetPosition(FStrmPos);
  while (Check(deflate(&z, Z_FINISH)) != Z_STREAM_END && z.avail_out == 0) {
    FStrm->WriteBuffer(FBuffer, BufferSize);
    z.next_out = FBuffer;
    z.avail_out = BufferSize;
  }
  if (z.avail_out < static_cast<uInt>(BufferSize))
    FStrm->WriteBuffer(FBuffer, BufferSize - static_cast<Integer>(z.avail_out));
  z.next_out = FBuffer;
  z.avail_out = BufferSize;
  FStrmPos = FStrm->GetPosition();
}

Integer TCompressionStream::Read(void*, Integer) { throw ECompressionError(SInvalidStreamOperation); }

Integer TCompressionStream::Write(const void* Buffer, Integer Count) {
  if (finished_) throw ECompressionError(SInvalidStreamOperation);
  z_stream& z = FZRec->Z;
  z.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
  z.avail_in = static_cast<uInt>(Count);
  if (FStrm->GetPosition() != FStrmPos) FStrm->SetPosition(FStrmPos);
  while (z.avail_in > 0) {
    Check(deflate(&z, Z_NO_FLUSH));
    if (z.avail_out == 0) {
      FStrm->WriteBuffer(FBuffer, BufferSize);
      z.next_out = FBuffer;
      z.avail_out = BufferSize;
      FStrmPos = FStrm->GetPosition();
      Progress();
    }
  }
  return Count;
}

Int64 TCompressionStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  if (Offset == 0 && Origin == soCurrent) return static_cast<Int64>(FZRec->Z.total_in);
  throw ECompressionError(SInvalidStreamOperation);
}
