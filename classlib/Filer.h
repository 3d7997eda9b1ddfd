// The binary form stream: components, their published properties, collections and raw named
// properties written to and read from a stream.
//
// Layout: the signature "TPF0", then one component: an optional prefix byte (0xF0 or'ed with
// the filer flags, followed by the child position when ffChildPos is set), the class name and
// the component name as short strings (a length byte and the characters), the properties, a
// zero byte, the child components, a zero byte. A property is its name as a short string
// (nested objects as a dotted path such as "Font.Name") followed by one value: a value-type
// byte (TValueType) and its data, little-endian.
#pragma once

#include <vector>

#include "classlib/Components.h"
#include "classlib/Sets.h"
#include "classlib/Streams.h"
#include "classlib/System.h"

class TPropInfo;

enum TValueType : Byte {
  vaNull,        // the end of a list
  vaList,        // values up to vaNull
  vaInt8,        // 1 byte, signed
  vaInt16,       // 2 bytes, signed
  vaInt32,       // 4 bytes, signed
  vaExtended,    // 10 bytes, 80-bit float
  vaString,      // a length byte and up to 255 characters
  vaIdent,       // a length byte and the identifier
  vaFalse,
  vaTrue,
  vaBinary,      // a 4-byte length and the bytes
  vaSet,         // member names as short strings up to an empty one
  vaLString,     // a 4-byte length and the characters
  vaNil,
  vaCollection,  // items, each a list of properties (optionally preceded by an integer), up to vaNull
  vaSingle,      // 4-byte float
  vaCurrency,    // 8-byte integer: the value times 10000
  vaDate,        // 8-byte float: a TDateTime
  vaWString,     // a 4-byte count of UTF-16 units and the units
  vaInt64        // 8 bytes, signed
};

enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

using TReaderProc = Closure<void(TReader* Reader)>;
using TWriterProc = Closure<void(TWriter* Writer)>;
using TStreamProc = Closure<void(TStream* Stream)>;

// What TReader and TWriter share: the stream, the root component of the tree being read or
// written, and the calls through which objects define raw properties (DefineProperties).
class TFiler : public TObject {
  CLASS_INFO(TFiler, TObject)
public:
  explicit TFiler(TStream* Stream) : FStream(Stream) {}

  // A property that the object reads and writes itself through the reader and writer. It is
  // written when HasData is true.
  virtual void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;
  // A property whose value is a block of bytes that the object reads from and writes to a
  // stream (a vaBinary value). It is written when HasData is true.
  virtual void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
  // Makes the stream's position agree with what was read or written.
  virtual void FlushBuffer() = 0;

  TStream* GetStream() const { return FStream; }
  TComponent* GetRoot() const { return FRoot; }
  virtual void SetRoot(TComponent* Value) { FRoot = Value; }
  // The component whose components property values name (usually the root).
  TComponent* GetLookupRoot() const { return FLookupRoot; }

  // When set, the writer leaves child components out.
  bool IgnoreChildren = false;

protected:
  TStream* FStream;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
};

// Reads the form stream from the stream's position. It reads ahead in blocks; when it is freed
// (or FlushBuffer is called) the stream is set back to just after what was consumed.
class TReader : public TFiler {
  CLASS_INFO(TReader, TFiler)
public:
  explicit TReader(TStream* Stream, Integer BufSize = 4096);
  ~TReader() override;

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  void FlushBuffer() override;

  // Reads a whole stream: the signature and the root component. With Root nil the root is
  // created from its class (which must be registered); otherwise Root itself is read. Every
  // component read gets Loaded once the whole tree and its references are in: the root first,
  // then each component after its own children. A reference to a component that is not
  // found leaves the property empty.
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads one component: into Component, or, when nil, into a new component of the stored
  // class (which must be registered) owned by Owner. A component read on its own, outside
  // ReadRootComponent, gets Loaded with its children when it is complete.
  TComponent* ReadComponent(TComponent* Component);
  // Reads the properties and the children of Instance (TComponent::ReadState calls this).
  void ReadData(TComponent* Instance);
  // Reads one property (its name and value) into Instance.
  void ReadProperty(TPersistent* Instance);
  // Reads the items of a collection; the vaCollection byte has been read already. Existing
  // items are cleared first unless the stream holds no items.
  void ReadCollection(TCollection* Collection);

  // Values.
  TValueType NextValue();
  TValueType ReadValue();
  // Reads a value type and raises "Invalid property value" unless it is Value.
  void CheckValue(TValueType Value);
  // Reads past one value of any kind.
  void SkipValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  void ReadSignature();
  void ReadPrefix(TFilerFlags& Flags, Integer& AChildPos);
  // A short string: a length byte and the characters, without a value type.
  AnsiString ReadStr();

  bool ReadBoolean();
  AnsiChar ReadChar();
  WideChar ReadWideChar();
  // Any of vaInt8, vaInt16, vaInt32.
  Integer ReadInteger();
  // vaInt64 or a smaller integer.
  Int64 ReadInt64();
  // Any float value or integer.
  Extended ReadFloat();
  Single ReadSingle();
  TDateTime ReadDate();
  // vaString, vaLString, or vaWString converted to the system code page.
  AnsiString ReadString();
  // vaWString, or an 8-bit string converted from the system code page.
  WideString ReadWideString();
  // vaIdent, or vaFalse, vaTrue, vaNil, vaNull as "False", "True", "nil", "Null".
  AnsiString ReadIdent();

  // Reads exactly Count bytes or raises EReadError "Stream read error".
  void Read(void* Buf, Integer Count);
  Int64 GetPosition() const;
  void SetPosition(Int64 Value);

  // The owner and parent that components read now get.
  TComponent* Owner = nullptr;
  TComponent* Parent = nullptr;

private:
  struct Fixup {
    TPersistent* instance;
    const TPropInfo* prop;
    TComponent* root;
    AnsiString name;
  };

  void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop);
  Int64 ReadSet(const TPropInfo* Prop);
  void SkipSetBody();
  void SkipProperty();
  void ReadDataInner(TComponent* Instance);
  void BeginFixups();
  void EndFixups();
  class LoadedList;
  void AddLoaded(TComponent* Component);
  Byte ReadByte();
  // A count of units of UnitSize bytes (4 bytes, little-endian) that a value gives before its
  // data. A negative count is an invalid value; one whose data the stream cannot hold is refused
  // as a stream that ends too soon, before anything is allocated for it.
  Integer ReadCount(Integer UnitSize);
  [[noreturn]] void PropValueError();
  [[noreturn]] void PropertyError(const AnsiString& Name);
  bool Fill();

  std::vector<Byte> FBuf;
  Integer FBufPos = 0;
  Integer FBufEnd = 0;
  AnsiString FPropName;  // the property that DefineProperties is asked about
  std::vector<Fixup> FFixups;
  Integer FFixupDepth = 0;
  LoadedList* FLoaded = nullptr;  // the components that get Loaded when the tree is read
};

// Writes the form stream at the stream's position. Every value goes to the stream at once, so
// that a failing stream raises where the value is written.
class TWriter : public TFiler {
  CLASS_INFO(TWriter, TFiler)
public:
  explicit TWriter(TStream* Stream) : TFiler(Stream) {}

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  void FlushBuffer() override {}

  void SetRoot(TComponent* Value) override;
  // Writes a whole stream: the signature and Root with its children.
  void WriteRootComponent(TComponent* Root);
  // Writes one component with its properties and children.
  void WriteComponent(TComponent* Component);
  // Writes the header, properties and children of Instance (TComponent::WriteState calls this).
  void WriteData(TComponent* Instance);
  // Writes the published properties that are stored and differ from their default, then the
  // properties Instance defines itself.
  void WriteProperties(TPersistent* Instance);
  // Writes a collection value (vaCollection, the items, vaNull).
  void WriteCollection(TCollection* Value);

  // Values, each in the smallest form that holds it.
  void WriteValue(TValueType Value);
  void WriteListBegin();
  void WriteListEnd();
  void WriteSignature();
  void WritePrefix(TFilerFlags Flags, Integer AChildPos);
  // A short string; raises EWriteError for more than 255 characters.
  void WriteStr(const AnsiString& Value);
  void WriteBoolean(bool Value);
  void WriteChar(AnsiChar Value);
  void WriteWideChar(WideChar Value);
  void WriteInteger(Integer Value);
  void WriteInteger(Int64 Value);
  void WriteFloat(Extended Value);
  void WriteSingle(Single Value);
  void WriteDate(TDateTime Value);
  // vaString up to 255 characters, else vaLString.
  void WriteString(const AnsiString& Value);
  void WriteWideString(const WideString& Value);
  // "False", "True", "nil" and "Null" (in any letter case) become vaFalse, vaTrue, vaNil and
  // vaNull; anything else vaIdent.
  void WriteIdent(const AnsiString& Ident);

  void Write(const void* Buf, Integer Count);
  Int64 GetPosition() const;
  void SetPosition(Int64 Value);

private:
  void WriteProperty(TPersistent* Instance, const TPropInfo* Prop);
  void WritePropName(const AnsiString& Name);
  AnsiString ComponentRefName(TComponent* Component) const;
  void WriteSet(const TPropInfo* Prop, Int64 Value);

  AnsiString FPropPath;  // the dotted prefix of nested objects' property names
};

// Writes Instance as a whole form stream at Stream's position (signature, component, children).
void WriteComponentToStream(TStream* Stream, TComponent* Instance);
// Reads a whole form stream from Stream's position: into Instance, or into a new component of
// the stored class when Instance is nil.
TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Instance);
