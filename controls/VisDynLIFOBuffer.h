// A buffer kept as a stack: the newest block on top, an optional limit, and the oldest block
// dropped to make room when the limit is reached (unless DropOldest is off).
#pragma once

#include "controls/VisBuffer.h"

class TVisDynLIFOBuffer : public TVisBuffer {
  CLASS_INFO(TVisDynLIFOBuffer, TVisBuffer)
public:
  TVisDynLIFOBuffer() = default;
  ~TVisDynLIFOBuffer() override;

  void First(TVisBufferPosition& Position) override;
  void Next(TVisBufferPosition& Position) override;
  void* GetItem(TVisBufferPosition Position) override;
  bool IsEmpty() override { return FTop == nullptr; }
  bool IsFull() override { return FLimit != -1 && FCount >= FLimit; }
  // When full: refused (false) without DropOldest; with it a limit of 1 empties the buffer and
  // any other limit releases the oldest block. Then the block goes on top.
  bool Push(void* Block) override;
  void* Pop() override;
  void Clear() override;

  bool GetDropOldest() const { return FDropOldest; }
  void SetDropOldest(bool Value) { FDropOldest = Value; }

private:
  struct Node {
    void* Block;
    Node* Next;  // the next older node
  };
  Node* FTop = nullptr;
  bool FDropOldest = true;
};
