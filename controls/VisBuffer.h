// Buffers of untyped memory blocks: TVisBuffer is the abstract container with a stream format of
// its own, TVisDynLIFOBuffer (controls/VisDynLIFOBuffer.h) its one implementation. The edits keep
// their undo and redo records in such buffers.
//
// A block is any memory the caller made with operator new[] of bytes (or the caller's own
// objects, when OnFreeBlock releases them). The buffer owns the blocks it holds: they are released
// through OnFreeBlock, or freed as bytes when that is unassigned.
#pragma once

#include "classlib/Streams.h"
#include "controls/VisObject.h"

using TVisBufferBlockEvent = Closure<void(TObject* Sender, void* Block)>;
using TVisBufferSizeEvent = Closure<Integer(TObject* Sender, void* Block)>;

// A place in a buffer while walking it: a node of the implementation, or nullptr past the end.
using TVisBufferPosition = void*;

class TVisBuffer : public TVisObject {
  CLASS_INFO(TVisBuffer, TVisObject)
public:
  // The signature a saved buffer starts with (written with its terminating zero).
  static constexpr const char* StreamSignature = "@VisBufferStream-V0.1@";

  TVisBuffer() = default;

  // The oldest block, and the one a step newer than Position; nullptr past the newest.
  virtual void First(TVisBufferPosition& Position) = 0;
  virtual void Next(TVisBufferPosition& Position) = 0;
  virtual void* GetItem(TVisBufferPosition Position) = 0;
  virtual bool IsEnd(TVisBufferPosition Position) { return Position == nullptr; }
  virtual bool IsEmpty() = 0;
  // The limit is not -1 and the buffer holds that many blocks.
  virtual bool IsFull() = 0;
  // Adds a block on top. False when the buffer refused it (full and not dropping its oldest):
  // the caller then keeps the block.
  virtual bool Push(void* Block) = 0;
  // The top block, which the caller then owns; nullptr when empty.
  virtual void* Pop() = 0;
  // Releases every block.
  virtual void Clear() = 0;
  // Reads a saved buffer: when the stream starts with the signature, the buffer is cleared and
  // the blocks are pushed oldest first. A size that reaches past the stream's end raises
  // EReadError, and the buffer stays as it was. Another signature changes nothing.
  virtual void LoadFromStream(TStream* Stream);
  // Writes the signature, then each block's size (OnBlockSize, 0 when unassigned) and bytes,
  // oldest first.
  virtual void SaveToStream(TStream* Stream);

  // Most blocks held; -1 without limit.
  Integer GetLimit() const { return FLimit; }
  void SetLimit(Integer Value) { FLimit = Value; }
  Integer GetCount() const { return FCount; }

  TVisBufferBlockEvent OnFreeBlock;
  TVisBufferSizeEvent OnBlockSize;

protected:
  // Releases one block through OnFreeBlock, or frees its bytes.
  void FreeBlock(void* Block);

  Integer FLimit = -1;
  Integer FCount = 0;
};
