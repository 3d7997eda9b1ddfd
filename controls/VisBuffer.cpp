// Buffers of memory blocks and their stream format.
#include "controls/VisBuffer.h"

#include <cstring>
#include <memory>
#include <vector>

void TVisBuffer::FreeBlock(void* Block) {
  if (OnFreeBlock)
    OnFreeBlock(this, Block);
  else
    delete[] static_cast<Byte*>(Block);
}

void TVisBuffer::SaveToStream(TStream* Stream) {
  const Integer length = Integer(std::strlen(StreamSignature)) + 1;
  Stream->WriteBuffer(&length, sizeof(length));
  Stream->WriteBuffer(StreamSignature, length);
  TVisBufferPosition position = nullptr;
  for (First(position); !IsEnd(position); Next(position)) {
    void* block = GetItem(position);
    const Integer size = OnBlockSize ? OnBlockSize(this, block) : 0;
    Stream->WriteBuffer(&size, sizeof(size));
    Stream->WriteBuffer(block, size);
  }
}

void TVisBuffer::LoadFromStream(TStream* Stream) {
  // The remaining bytes bound every size read, so damaged sizes raise before they allocate.
  const auto remaining = [Stream] { return Stream->GetSize() - Stream->GetPosition(); };
  const auto readSize = [&] {
    Integer size = 0;
    Stream->ReadBuffer(&size, sizeof(size));
    if (size < 0 || size > remaining()) throw EReadError("Stream read error");
    return size;
  };
  const Integer length = readSize();
  AnsiString signature(static_cast<std::size_t>(length), '\0');
  Stream->ReadBuffer(signature.data(), length);
  signature.resize(std::strlen(signature.c_str()));
  if (signature != StreamSignature) return;
  // Every block is read before the buffer changes, so a damaged stream leaves it as it was.
  std::vector<std::unique_ptr<Byte[]>> blocks;
  while (Stream->GetPosition() < Stream->GetSize()) {
    const Integer size = readSize();
    blocks.emplace_back(new Byte[static_cast<std::size_t>(size)]);
    Stream->ReadBuffer(blocks.back().get(), size);
  }
  Clear();
  for (auto& block : blocks)
    if (Push(block.get())) block.release();
}
