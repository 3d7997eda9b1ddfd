// The stack buffer of memory blocks and its stream format.
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/VisDynLIFOBuffer.h"

namespace {

// A block holding a text, made as the buffer frees plain blocks (bytes of new[]).
void* Block(const std::string& Text) {
  auto* block = new Byte[Text.size()];
  std::memcpy(block, Text.data(), Text.size());
  return block;
}

std::string SignatureBytes() {
  const std::string signature = "@VisBufferStream-V0.1@";
  return std::string("\x17\0\0\0", 4) + signature + std::string(1, '\0');
}

std::string SizeBytes(std::uint32_t Size) { return std::string(reinterpret_cast<const char*>(&Size), 4); }

// A buffer whose blocks are texts, so that their sizes and contents can be told.
class TextBuffer {
public:
  TextBuffer() {
    buffer.OnBlockSize = TVisBufferSizeEvent::FromFunction([this](TObject*, void* block) { return sizes[block]; });
    buffer.OnFreeBlock = TVisBufferBlockEvent::FromFunction([this](TObject*, void* block) {
      freed.push_back(Text(block));
      sizes.erase(block);
      delete[] static_cast<Byte*>(block);
    });
  }
  bool Push(const std::string& Text) {
    void* block = Block(Text);
    sizes[block] = Integer(Text.size());
    if (buffer.Push(block)) return true;
    sizes.erase(block);
    delete[] static_cast<Byte*>(block);
    return false;
  }
  std::string Text(void* Block) { return std::string(static_cast<const char*>(Block), std::size_t(sizes[Block])); }
  // The blocks from the oldest to the newest.
  std::vector<std::string> Contents() {
    std::vector<std::string> texts;
    TVisBufferPosition position = nullptr;
    for (buffer.First(position); !buffer.IsEnd(position); buffer.Next(position)) texts.push_back(Text(buffer.GetItem(position)));
    return texts;
  }

  std::map<void*, Integer> sizes;
  std::vector<std::string> freed;
  // Last, so that its blocks are freed while the records above still exist.
  TVisDynLIFOBuffer buffer;
};

TEST(Buffers, AStackGivesBackItsNewestBlockFirst) {
  TextBuffer b;
  EXPECT_TRUE(b.buffer.IsEmpty());
  EXPECT_EQ(b.buffer.Pop(), nullptr);
  EXPECT_EQ(b.buffer.GetCount(), 0);
  b.Push("Genesis");
  b.Push("Exodus");
  EXPECT_EQ(b.Contents(), (std::vector<std::string>{"Genesis", "Exodus"}));
  std::unique_ptr<Byte[]> top(static_cast<Byte*>(b.buffer.Pop()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(top.get()), 6), "Exodus");
  EXPECT_EQ(b.buffer.GetCount(), 1);
  EXPECT_TRUE(b.freed.empty()) << "a popped block belongs to the caller";
}

TEST(Buffers, AFullBufferDropsItsOldestOrRefusesThePush) {
  struct Case {
    Integer limit;
    bool dropOldest;
    std::vector<std::string> kept;
    std::vector<std::string> freed;
    bool lastPushed;
  };
  const Case cases[] = {
      {-1, true, {"1", "2", "3"}, {}, true},
      {2, true, {"2", "3"}, {"1"}, true},
      {1, true, {"3"}, {"1", "2"}, true},
      {2, false, {"1", "2"}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "limit " << c.limit << (c.dropOldest ? " dropping" : " refusing"));
    TextBuffer b;
    b.buffer.SetLimit(c.limit);
    b.buffer.SetDropOldest(c.dropOldest);
    b.Push("1");
    b.Push("2");
    EXPECT_EQ(b.Push("3"), c.lastPushed);
    EXPECT_EQ(b.Contents(), c.kept);
    EXPECT_EQ(b.freed, c.freed);
    EXPECT_EQ(b.buffer.GetCount(), Integer(c.kept.size()));
  }
}

TEST(Buffers, AnEmptyBufferSavesAsItsSignatureAlone) {
  TextBuffer b;
  TMemoryStream stream;
  b.buffer.SaveToStream(&stream);
  EXPECT_EQ(stream.GetSize(), 27);
  EXPECT_EQ(std::string(static_cast<const char*>(stream.GetMemory()), 27), SignatureBytes());
}

TEST(Buffers, LoadingAndSavingAgainGivesTheSameBytes) {
  const std::string saved = SignatureBytes() + SizeBytes(5) + "older" + SizeBytes(0) + SizeBytes(5) + "newer";
  TextBuffer b;
  b.Push("replaced");
  // The loaded blocks get their sizes from the stream.
  b.buffer.OnBlockSize = TVisBufferSizeEvent::FromFunction([](TObject*, void* block) {
    const char* text = static_cast<const char*>(block);
    return std::strncmp(text, "older", 5) == 0 || std::strncmp(text, "newer", 5) == 0 ? 5 : 0;
  });
  TMemoryStream source;
  source.WriteBuffer(saved.data(), Integer(saved.size()));
  source.SetPosition(0);
  b.buffer.LoadFromStream(&source);
  EXPECT_EQ(b.freed, std::vector<std::string>{"replaced"});
  EXPECT_EQ(b.buffer.GetCount(), 3);
  TMemoryStream copy;
  b.buffer.SaveToStream(&copy);
  EXPECT_EQ(std::string(static_cast<const char*>(copy.GetMemory()), std::size_t(copy.GetSize())), saved);
}

TEST(Buffers, DamagedStreamsAreRefusedWithoutTouchingTheBuffer) {
  struct Case {
    const char* what;
    std::string bytes;
    bool raises;
  };
  const std::string other = std::string("\x05\0\0\0", 4) + "@Vis" + std::string(1, '\0');
  const Case cases[] = {
      {"another signature", other + SizeBytes(1) + "x", false},
      {"a signature longer than the stream", SizeBytes(1000) + "@Vis", true},
      {"a negative signature length", SizeBytes(0xFFFFFFFF), true},
      {"a block longer than the stream", SignatureBytes() + SizeBytes(100) + "short", true},
      {"a huge block size", SignatureBytes() + SizeBytes(0x7FFFFFFF), true},
      {"a size cut short", SignatureBytes() + std::string("\x02\0", 2), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TextBuffer b;
    b.Push("kept");
    TMemoryStream stream;
    stream.WriteBuffer(c.bytes.data(), Integer(c.bytes.size()));
    stream.SetPosition(0);
    if (c.raises) {
      EXPECT_THROW(b.buffer.LoadFromStream(&stream), EReadError);
    } else {
      b.buffer.LoadFromStream(&stream);
      EXPECT_EQ(b.Contents(), std::vector<std::string>{"kept"});
    }
  }
}

}  // namespace
