// The stack buffer.
#include "controls/VisDynLIFOBuffer.h"

TVisDynLIFOBuffer::~TVisDynLIFOBuffer() { Clear(); }

void TVisDynLIFOBuffer::First(TVisBufferPosition& Position) {
  Node* node = FTop;
  while (node && node->Next) node = node->Next;
  Position = node;
}

void TVisDynLIFOBuffer::Next(TVisBufferPosition& Position) {
  // The newer neighbour is the node whose next is Position; the list only links towards the oldest.
  Node* target = static_cast<Node*>(Position);
  Node* node = FTop;
  while (node && node->Next != target) node = node->Next;
  Position = target == FTop ? nullptr : node;
}

void* TVisDynLIFOBuffer::GetItem(TVisBufferPosition Position) {
  return Position ? static_cast<Node*>(Position)->Block : nullptr;
}

bool TVisDynLIFOBuffer::Push(void* Block) {
  if (IsFull() && FTop) {
    if (!FDropOldest) return false;
    if (FLimit == 1) {
      Clear();
    } else {
      Node** link = &FTop;
      while ((*link)->Next) link = &(*link)->Next;
      FreeBlock((*link)->Block);
      delete *link;
      *link = nullptr;
      --FCount;
    }
  }
  FTop = new Node{Block, FTop};
  ++FCount;
  return true;
}

void* TVisDynLIFOBuffer::Pop() {
  if (!FTop) return nullptr;
  Node* node = FTop;
  void* block = node->Block;
  FTop = node->Next;
  delete node;
  --FCount;
  return block;
}

void TVisDynLIFOBuffer::Clear() {
  while (FTop) {
    Node* node = FTop;
    FTop = node->Next;
    FreeBlock(node->Block);
    delete node;
  }
  FCount = 0;
}
