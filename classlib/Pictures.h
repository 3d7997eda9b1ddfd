// Pictures: TGraphic, the base of every kind of image (bitmap, icon, metafile, JPEG), and
// TPicture, which holds one image of any kind and knows which kind reads which file extension
// and clipboard format.
#pragma once

#include <vector>

#include "classlib/Components.h"
#include "classlib/Graphics.h"
#include "classlib/WinApi.h"

class TBitmap;
class TIcon;
class TMetafile;

// A class reference to a descendant of TGraphic.
using TGraphicClass = TClass;

class TGraphic : public TPersistent {
  CLASS_INFO(TGraphic, TPersistent)
public:
  TGraphic() = default;

  virtual bool GetEmpty() = 0;
  virtual Integer GetWidth() = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual Integer GetHeight() = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual HPALETTE GetPalette() { return nullptr; }
  virtual void SetPalette(HPALETTE Value) { (void)Value; }
  // Whether drawing leaves parts of the background visible.
  virtual bool GetTransparent() { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetModified() const { return FModified; }
  // Setting true reports a change (OnChange); false just clears the flag.
  void SetModified(bool Value);

  // Reads the image from the stream's position; the stream is left after it.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  virtual void LoadFromFile(const AnsiString& FileName);
  virtual void SaveToFile(const AnsiString& FileName);
  // Clipboard data of a format the class supports; others raise EInvalidGraphic
  // "Unsupported clipboard format".
  virtual void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);
  // Makes clipboard data that the caller hands to the clipboard (which then owns it).
  virtual void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);
  // Same class and the same saved bytes.
  virtual bool Equals(TGraphic* Graphic);

  // The form stream's "Data" property (ReadData and WriteData), written unless empty.
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;
  // Set when the palette changed and a window showing the picture should realize it again.
  bool PaletteModified = false;

protected:
  friend class TCanvas;
  friend class TPicture;
  // Draws the image into the rectangle (stretched to it) on the canvas's context.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  virtual void Changed(TObject* Sender);
  // The form stream's "Data" property: by default the image's own file format.
  virtual void ReadData(TStream* Stream);
  virtual void WriteData(TStream* Stream);
  // Any picture can be copied into a bitmap by drawing it on a white bitmap of its size.
  void AssignTo(TPersistent* Dest) override;

  bool FModified = false;
  bool FTransparent = false;
};

// Holds one picture of any kind; the kind is chosen by the file extension or clipboard format
// it is loaded from, or by the accessor used (GetBitmap makes it a bitmap).
class TPicture : public TPersistent {
  CLASS_INFO(TPicture, TPersistent)
public:
  TPicture() = default;
  ~TPicture() override;

  // From a picture or a graphic: a copy of its image; nil empties the picture.
  void Assign(TPersistent* Source) override;

  TGraphic* GetGraphic() const { return FGraphic; }
  // Holds a copy of Value (nil empties the picture).
  void SetGraphic(TGraphic* Value);
  // The picture as that kind; another kind of image is replaced by an empty one of this kind.
  TBitmap* GetBitmap();
  TIcon* GetIcon();
  TMetafile* GetMetafile();
  void SetBitmap(TBitmap* Value);
  void SetIcon(TIcon* Value);
  void SetMetafile(TMetafile* Value);
  Integer GetWidth() { return FGraphic ? FGraphic->GetWidth() : 0; }
  Integer GetHeight() { return FGraphic ? FGraphic->GetHeight() : 0; }

  // By the file's extension; raises EInvalidGraphic "Unknown picture file extension (.xyz)".
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName);
  // By the registered clipboard format; raises EInvalidGraphic "Unsupported clipboard format".
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);

  static bool SupportsClipboardFormat(Word AFormat);
  // Registers the class that reads files with the extension (without the dot). A later
  // registration of an extension wins over an earlier one.
  static void RegisterFileFormat(const AnsiString& Extension, const AnsiString& Description,
                                 TGraphicClass GraphicClass);
  static void RegisterClipboardFormat(Word AFormat, TGraphicClass GraphicClass);
  static void UnregisterGraphicClass(TGraphicClass AClass);
  // The class registered for the extension (with or without the dot), or nil.
  static TGraphicClass FileFormatClass(const AnsiString& Extension);

  // The form stream's "Data" property: the graphic's class name, then its data.
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;

protected:
  void AssignTo(TPersistent* Dest) override;
  virtual void Changed(TObject* Sender);

private:
  template <class T>
  T* ForceType();
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void Replace(TGraphic* NewGraphic);

  TGraphic* FGraphic = nullptr;
};
