// The style sheet of rich-text documents: text styles (TFontInfo), paragraph styles (TParaInfo)
// with their borders and backgrounds, list styles with their levels, and the TUVStyle component
// that owns the three collections, the drawing colours and the drawing hooks. Documents refer to
// styles by index only: an item's StyleNo indexes TextStyles, its ParaNo ParaStyles.
#pragma once

#include "classlib/Components.h"
#include "classlib/Graphics.h"
#include "classlib/ImgList.h"
#include "classlib/Pictures.h"
#include "classlib/StringLists.h"
#include "richtext/core/DLines.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVTypes.h"

class TUVStyle;
class TControl;

enum TUVAlignment { uvaLeft, uvaRight, uvaCenter, uvaJustify };
ENUM_NAMES(TUVAlignment, "uvaLeft", "uvaRight", "uvaCenter", "uvaJustify");
enum TUVLineSpacingType { uvlsPercent, uvlsSpaceBetween };
ENUM_NAMES(TUVLineSpacingType, "uvlsPercent", "uvlsSpaceBetween");
enum TUVBorderStyle { uvbNone, uvbSingle, uvbDouble, uvbTriple, uvbThickInside, uvbThickOutside };
ENUM_NAMES(TUVBorderStyle, "uvbNone", "uvbSingle", "uvbDouble", "uvbTriple", "uvbThickInside", "uvbThickOutside");
enum TUVParaOption { uvpaoNoWrap, uvpaoReadOnly, uvpaoStyleProtect, uvpaoDoNotWantReturns };
ENUM_NAMES(TUVParaOption, "uvpaoNoWrap", "uvpaoReadOnly", "uvpaoStyleProtect", "uvpaoDoNotWantReturns");
using TUVParaOptions = TSet<TUVParaOption>;
enum TUVProtectOption {
  uvprStyleProtect,
  uvprModifyProtect,
  uvprDeleteProtect,
  uvprConcateProtect,
  uvprUVFInsertProtect,
  uvprDoNotAutoSwitch,
  uvprParaStartProtect,
  uvprSticking
};
ENUM_NAMES(TUVProtectOption, "uvprStyleProtect", "uvprModifyProtect", "uvprDeleteProtect", "uvprConcateProtect",
           "uvprUVFInsertProtect", "uvprDoNotAutoSwitch", "uvprParaStartProtect", "uvprSticking");
using TUVProtectOptions = TSet<TUVProtectOption>;
enum TUVTextOption { uvteoHTMLCode, uvteoRTFCode };
ENUM_NAMES(TUVTextOption, "uvteoHTMLCode", "uvteoRTFCode");
using TUVTextOptions = TSet<TUVTextOption>;
enum TUVFontStyle { uvfsOverline, uvfsAllCaps };
ENUM_NAMES(TUVFontStyle, "uvfsOverline", "uvfsAllCaps");
using TUVFontStyles = TSet<TUVFontStyle>;

enum TUVListType {
  uvlstBullet,
  uvlstPicture,
  uvlstImageList,
  uvlstDecimal,
  uvlstLowerAlpha,
  uvlstUpperAlpha,
  uvlstLowerRoman,
  uvlstUpperRoman,
  uvlstImageListCounter,
  uvlstUnicodeBullet
};
ENUM_NAMES(TUVListType, "uvlstBullet", "uvlstPicture", "uvlstImageList", "uvlstDecimal", "uvlstLowerAlpha",
           "uvlstUpperAlpha", "uvlstLowerRoman", "uvlstUpperRoman", "uvlstImageListCounter", "uvlstUnicodeBullet");
enum TUVMarkerAlignment { uvmaLeft, uvmaRight, uvmaCenter };
ENUM_NAMES(TUVMarkerAlignment, "uvmaLeft", "uvmaRight", "uvmaCenter");
enum TUVListLevelOption { uvloContinuous, uvloLevelReset, uvloLegalStyleNumbering };
ENUM_NAMES(TUVListLevelOption, "uvloContinuous", "uvloLevelReset", "uvloLegalStyleNumbering");
using TUVListLevelOptions = TSet<TUVListLevelOption>;

// How MergeCollection brings incoming styles in.
enum TUVStyleMergeMode {
  uvsmMerge,    // equal styles are reused, the others appended
  uvsmClosest,  // each maps to the most similar existing style; nothing is appended
  uvsmAdd       // every style is appended
};

// Bits of TFontInfo::IsEqualIgnoring.
enum : Cardinal {
  uvfiFontName = 1u << 0,
  uvfiSize = 1u << 1,
  uvfiCharset = 1u << 2,
  uvfiUnicode = 1u << 3,
  uvfiBold = 1u << 4,
  uvfiItalic = 1u << 5,
  uvfiUnderline = 1u << 6,
  uvfiStrikeout = 1u << 7,
  uvfiOverline = 1u << 8,
  uvfiAllCaps = 1u << 9,
  uvfiVShift = 1u << 10,
  uvfiColor = 1u << 11,
  uvfiBackColor = 1u << 12,
  uvfiJump = 1u << 13,
  uvfiHoverBackColor = 1u << 14,
  uvfiHoverColor = 1u << 15,
  uvfiJumpCursor = 1u << 16,
  uvfiNextStyleNo = 1u << 17,
  uvfiProtection = 1u << 18,
  uvfiCharScale = 1u << 19,
  uvfiBaseStyleNo = 1u << 20,
  uvfiBiDiMode = 1u << 21,
  uvfiCharSpacing = 1u << 22,
  uvfiHTMLCode = 1u << 23,
  uvfiRTFCode = 1u << 24,
};

// Bits of TParaInfo::IsEqualIgnoring.
enum : Cardinal {
  uvpiFirstIndent = 1u << 0,
  uvpiLeftIndent = 1u << 1,
  uvpiRightIndent = 1u << 2,
  uvpiSpaceBefore = 1u << 3,
  uvpiSpaceAfter = 1u << 4,
  uvpiAlignment = 1u << 5,
  uvpiNextParaNo = 1u << 6,
  uvpiLineSpacing = 1u << 7,
  uvpiLineSpacingType = 1u << 8,
  uvpiBackground_Color = 1u << 9,
  uvpiBackground_BOLeft = 1u << 10,
  uvpiBackground_BOTop = 1u << 11,
  uvpiBackground_BORight = 1u << 12,
  uvpiBackground_BOBottom = 1u << 13,
  uvpiBorder_Color = 1u << 14,
  uvpiBorder_Style = 1u << 15,
  uvpiBorder_Width = 1u << 16,
  uvpiBorder_InternalWidth = 1u << 17,
  uvpiBorder_BOLeft = 1u << 18,
  uvpiBorder_BOTop = 1u << 19,
  uvpiBorder_BORight = 1u << 20,
  uvpiBorder_BOBottom = 1u << 21,
  uvpiBorder_Vis_Left = 1u << 22,
  uvpiBorder_Vis_Top = 1u << 23,
  uvpiBorder_Vis_Right = 1u << 24,
  uvpiBorder_Vis_Bottom = 1u << 25,
  uvpiNoWrap = 1u << 26,
  uvpiReadOnly = 1u << 27,
  uvpiStyleProtect = 1u << 28,
  uvpiDoNotWantReturns = 1u << 29,
  uvpiBiDiMode = 1u << 30,
};
inline constexpr Cardinal uvpiFullParaInfo = 0x7FFFFFFF;

// Whether MergeCollection clears Standard of the styles it appends (on unless the host says no).
extern bool UVClearStandardOnMerge;

// ---------------------------------------------------------------------------------------------
// Rectangles of offsets and of flags

class TUVRect : public TPersistent {
  CLASS_INFO(TUVRect, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  void SetAll(Integer Value);
  // R = (Left, Top, Right, Bottom).
  void AssignToRect(TRect& R) const;
  // Each side of R raised to at least this side.
  void AssignToRectIfGreater(TRect& R) const;
  // R.Left -= Left, R.Top -= Top, R.Right += Right, R.Bottom += Bottom.
  void InflateRect(TRect& R) const;
  // The same with the sides scaled from screen to device.
  void InflateRectScaled(TRect& R, const TUVScreenAndDevice& Sad) const;
  bool IsEqual(const TUVRect* Value) const;
  bool IsEqualIgnoring(const TUVRect* Value, bool IgnoreLeft, bool IgnoreTop, bool IgnoreRight,
                       bool IgnoreBottom) const;
  // The sum of the integer similarities of the four sides (this rectangle is the reference).
  Integer Similarity(const TUVRect* Value, Integer Weight) const;

  Integer Top = 0;
  Integer Left = 0;
  Integer Right = 0;
  Integer Bottom = 0;
};

class TUVBooleanRect : public TPersistent {
  CLASS_INFO(TUVBooleanRect, TPersistent)
public:
  TUVBooleanRect() = default;
  explicit TUVBooleanRect(bool Value) { SetAll(Value); }
  void Assign(TPersistent* Source) override;
  void SetAll(bool Value);
  bool IsEqual(const TUVBooleanRect* Value) const;
  bool IsAllEqual(bool Value) const;
  bool IsEqualIgnoring(const TUVBooleanRect* Value, bool IgnoreLeft, bool IgnoreTop, bool IgnoreRight,
                       bool IgnoreBottom) const;

  bool Top = true;
  bool Left = true;
  bool Right = true;
  bool Bottom = true;
};

// ---------------------------------------------------------------------------------------------
// Paragraph border and background

class TUVBorder : public TPersistent {
  CLASS_INFO(TUVBorder, TPersistent)
public:
  TUVBorder();
  ~TUVBorder() override;
  void Assign(TPersistent* Source) override;

  // The width of all the border's lines and the gaps between them.
  Integer GetTotalWidth() const;
  // Draws around R widened by BorderOffsets.
  void Draw(TRect R, TCanvas* Canvas) const;
  // The same with widths and offsets scaled from screen to device.
  void DrawScaled(TRect R, TCanvas* Canvas, const TUVScreenAndDevice& Sad) const;
  bool IsEqual(const TUVBorder* Value) const;
  // Whether a side is drawn (a style other than uvbNone and the side visible).
  bool SideDrawn(int Side) const;
  // The similarity of two borders (this border is the reference).
  Integer Similarity(const TUVBorder* Value) const;

  TUVBooleanRect* GetVisibleBorders() const { return FVisibleBorders; }
  void SetVisibleBorders(TUVBooleanRect* Value) { FVisibleBorders->Assign(Value); }
  TUVRect* GetBorderOffsets() const { return FBorderOffsets; }
  void SetBorderOffsets(TUVRect* Value) { FBorderOffsets->Assign(Value); }

  TColor Color = clWindowText;
  TUVBorderStyle Style = uvbNone;
  Integer Width = 1;
  Integer InternalWidth = 1;

private:
  void DoDraw(TRect R, TCanvas* Canvas, Integer Width1, Integer InternalWidth1, Integer Unit) const;
  TUVBooleanRect* FVisibleBorders;
  TUVRect* FBorderOffsets;
};

class TUVBackgroundRect : public TPersistent {
  CLASS_INFO(TUVBackgroundRect, TPersistent)
public:
  TUVBackgroundRect();
  ~TUVBackgroundRect() override;
  void Assign(TPersistent* Source) override;
  // Fills R widened by BorderOffsets and one pixel right and below; nothing for clNone.
  void Draw(TRect R, TCanvas* Canvas) const;
  // Fills R, already widened, and one pixel right and below; nothing for clNone.
  void Fill(TRect R, TCanvas* Canvas) const;
  bool IsEqual(const TUVBackgroundRect* Value) const;

  TUVRect* GetBorderOffsets() const { return FBorderOffsets; }
  void SetBorderOffsets(TUVRect* Value) { FBorderOffsets->Assign(Value); }

  TColor Color = clNone;

private:
  TUVRect* FBorderOffsets;
};

// ---------------------------------------------------------------------------------------------
// Styles

// What the styles of the three collections share.
class TCustomUVInfo : public TCollectionItem {
  CLASS_INFO(TCustomUVInfo, TCollectionItem)
public:
  explicit TCustomUVInfo(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override { return StyleName; }

  // Merge mode: whether an existing style (this) counts as equal to an incoming one, given the
  // mapping of incoming to existing indices built so far. Never changes either style.
  virtual bool IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping);
  // Closest mode: the similarity of this (incoming) style to an existing one.
  virtual Integer SimilarityTo(TCustomUVInfo* Existing);
  // Closest mode searches in passes (text styles first among those of their kind); whether an
  // existing style takes part in Pass (0-based) of PassCount.
  virtual Integer ClosestPassCount() { return 1; }
  virtual bool InClosestPass(TCustomUVInfo* Existing, Integer Pass);
  // An appended style refers to other styles by their new indices.
  virtual void TranslateReferences(TUVIntegerList* Mapping);

  Integer BaseStyleNo = -1;
  AnsiString StyleName;
  bool Standard = true;
};

class TFontInfo : public TCustomUVInfo {
  CLASS_INFO(TFontInfo, TCustomUVInfo)
public:
  explicit TFontInfo(TCollection* Collection);
  // From a text style: every field; from a font: name, size, colour, style and charset.
  void Assign(TPersistent* Source) override;
  // A font takes the style's name, size, colour, style and charset (so that text drawn outside a
  // document, such as a page header, looks like the style).
  void AssignTo(TPersistent* Dest) override;
  void DefineProperties(TFiler* Filer) override;

  // The collection's PixelsPerInch, 0 when it uses the canvas font's own.
  Integer GetPixelsPerInch() const;
  // A LOGFONT for this style on the canvas.
  void FillLogFont(LOGFONTA& LogFont, TCanvas* Canvas) const;
  // Font, character spacing and text alignment on the canvas.
  void Apply(TCanvas* Canvas, TUVBiDiMode DefBiDiMode) const;
  // Text and background colours for a drawing state.
  void ApplyColor(TCanvas* Canvas, TUVStyle* Style, TUVTextDrawStates DrawState) const;
  // Draws a text piece (raw UTF-16 for a Unicode style): its background over (Left, Top, Width,
  // Height), its text SpaceBefore pixels right of Left.
  void Draw(const AnsiString& Text, TCanvas* Canvas, Integer SpaceBefore, Integer Left, Integer Top, Integer Width,
            Integer Height, bool Printing) const;

  bool IsEqual(const TFontInfo* Value, bool IgnoreNext) const;
  bool IsEqualIgnoring(const TFontInfo* Value, Cardinal IgnoreList) const;
  // The similarity of this style to Candidate, an existing style (its values are the reference).
  Integer Similarity(const TFontInfo* Candidate) const;

  bool IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping) override;
  Integer SimilarityTo(TCustomUVInfo* Existing) override;
  Integer ClosestPassCount() override { return 4; }
  bool InClosestPass(TCustomUVInfo* Existing, Integer Pass) override;
  void TranslateReferences(TUVIntegerList* Mapping) override;

  TUVBiDiMode BiDiMode = uvbdUnspecified;
  bool Jump = false;
  SmallInt JumpCursor = 101;
  AnsiString FontName = "Arial";
  Integer Size = 10;
  TColor Color = clWindowText;
  TColor BackColor = clNone;
  TColor HoverColor = clNone;
  TColor HoverBackColor = clNone;
  TFontStyles Style;
  TUVFontStyles StyleEx;
  Integer VShift = 0;
  Integer NextStyleNo = -1;
  TFontCharset Charset = DEFAULT_CHARSET;
  bool Unicode = false;
  TUVProtectOptions Protection;
  TUVTextOptions Options;
  Integer CharScale = 100;
  Integer CharSpacing = 0;

private:
  void ReadSingleSymbols(TReader* Reader);
};

class TParaInfo : public TCustomUVInfo {
  CLASS_INFO(TParaInfo, TCustomUVInfo)
public:
  explicit TParaInfo(TCollection* Collection);
  ~TParaInfo() override;
  void Assign(TPersistent* Source) override;

  // LineSpacing above 100 percent, or a positive space between lines.
  bool ExtraLineSpacing() const;
  bool IsEqual(const TParaInfo* Value, bool IgnoreNext) const;
  bool IsEqualIgnoring(const TParaInfo* Value, Cardinal IgnoreList) const;
  // The similarity of this (incoming) style to Candidate, an existing style.
  Integer Similarity(const TParaInfo* Candidate) const;
  // The space that the border and background take on each side (Left, Top, Right, Bottom).
  TRect GetBorderSpace() const;

  bool IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping) override;
  Integer SimilarityTo(TCustomUVInfo* Existing) override;
  void TranslateReferences(TUVIntegerList* Mapping) override;

  TUVBorder* GetBorder() const { return FBorder; }
  void SetBorder(TUVBorder* Value) { FBorder->Assign(Value); }
  TUVBackgroundRect* GetBackground() const { return FBackground; }
  void SetBackground(TUVBackgroundRect* Value) { FBackground->Assign(Value); }

  Integer FirstIndent = 0;
  Integer LeftIndent = 0;
  Integer RightIndent = 0;
  Integer SpaceBefore = 0;
  Integer SpaceAfter = 0;
  Integer LineSpacing = 100;
  TUVLineSpacingType LineSpacingType = uvlsPercent;
  TUVAlignment Alignment = uvaLeft;
  Integer NextParaNo = -1;
  TUVParaOptions Options;
  TUVBiDiMode BiDiMode = uvbdUnspecified;

private:
  TUVBorder* FBorder;
  TUVBackgroundRect* FBackground;
};

// A collection of styles with a fallback style for indices out of range.
class TCustomUVInfos : public TOwnedCollection {
  CLASS_INFO(TCustomUVInfos, TOwnedCollection)
public:
  TCustomUVInfos(TPersistent* AOwner, TClass ItemClass);
  ~TCustomUVInfos() override;
  // A collection assigned to a string list fills it with the style names.
  void AssignTo(TPersistent* Dest) override;
  // Brings the styles of Incoming in; Mapping receives, for each incoming index in order, the
  // index it maps to.
  void MergeCollection(TCustomUVInfos* Incoming, TUVStyleMergeMode Mode, TUVIntegerList* Mapping);

protected:
  // Merge mode: whether Existing may be taken for Incoming (list styles take a numbered style
  // only once).
  virtual bool CanTakeForMerge(TCustomUVInfo* Existing, TCustomUVInfo* Incoming, const std::vector<bool>& Taken);
  virtual bool MarksTaken(TCustomUVInfo* Incoming);
  // The fallback style, created on first use.
  TCustomUVInfo* GetInvalidItem();
  virtual void InitInvalidItem(TCustomUVInfo* Item) = 0;

private:
  TCustomUVInfo* FInvalidItem = nullptr;
};

class TFontInfos : public TCustomUVInfos {
  CLASS_INFO(TFontInfos, TCustomUVInfos)
public:
  TFontInfos(TPersistent* AOwner, TClass ItemClass);
  // The style at Index; outside 0..Count-1 the fallback: white text on red.
  TFontInfo* GetItem(Integer Index);
  TFontInfo* operator[](Integer Index) { return GetItem(Index); }
  TFontInfo* Add() { return static_cast<TFontInfo*>(TCollection::Add()); }
  // StyleNo when it has Charset and is not Unicode, else the first other non-Unicode style with
  // that charset that equals it apart from Charset and Unicode; -1 when none.
  Integer FindAnsiStyleWithCharset(Integer StyleNo, TFontCharset Charset);

  // Resolution for font sizes; 0: the canvas font's own.
  Integer PixelsPerInch = 0;

protected:
  void InitInvalidItem(TCustomUVInfo* Item) override;
};

class TParaInfos : public TCustomUVInfos {
  CLASS_INFO(TParaInfos, TCustomUVInfos)
public:
  TParaInfos(TPersistent* AOwner, TClass ItemClass);
  // The style at Index; outside 0..Count-1 the fallback with a red border.
  TParaInfo* GetItem(Integer Index);
  TParaInfo* operator[](Integer Index) { return GetItem(Index); }
  TParaInfo* Add() { return static_cast<TParaInfo*>(TCollection::Add()); }
  // ParaNo first, then every other index in order: the first style that IsEqualIgnoring finds
  // equal to Style when given the complement of IgnoreList (so only the properties named in
  // IgnoreList are compared); -1 when none.
  Integer FindMatchingStyle(Integer ParaNo, TParaInfo* Style, Cardinal IgnoreList);

protected:
  void InitInvalidItem(TCustomUVInfo* Item) override;
};

// ---------------------------------------------------------------------------------------------
// List styles

// The font of a list level's marker: Arial, 8 points, window text, default charset.
class TUVMarkerFont : public TFont {
  CLASS_INFO(TUVMarkerFont, TFont)
public:
  TUVMarkerFont();
  // All of name, size, colour, charset and style at their defaults.
  bool IsDefault() const;
  bool NameStored() const;
  bool HeightStored() const;
};

class TUVListLevel : public TCollectionItem {
  CLASS_INFO(TUVListLevel, TCollectionItem)
public:
  explicit TUVListLevel(TCollection* Collection);
  ~TUVListLevel() override;
  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;
  void DefineProperties(TFiler* Filer) override;

  // The marker uses the level font (bullets, numbered and Unicode bullets).
  bool UsesFont() const;
  // The level counts (decimal to image-list counter).
  bool HasNumbering() const;
  // The level writes its counter as text (decimal to upper roman).
  bool HasTextNumbering() const;
  bool HasPicture() const { return FPicture && FPicture->GetGraphic(); }
  bool IsSimpleEqual(TUVListLevel* Value);
  Integer SimilarityValue(TUVListLevel* Value);
  // "<OL...>" or "<UL...>" with the type and, with CSS, the indent style.
  AnsiString HTMLOpenTag(bool UseCSS) const;
  AnsiString HTMLCloseTag() const;
  // "text-indent: %dpx; margin-left: %dpx;".
  AnsiString GetIndentCSSText() const;

  TPicture* GetPicture();
  void SetPicture(TPicture* Value);
  TUVMarkerFont* GetFont();
  void SetFont(TFont* Value);
  TCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  bool ImageListStored() const;
  bool PictureStored() const;
  bool FontStored() const;

  TUVListType ListType = uvlstBullet;
  Integer StartFrom = 1;
  Integer ImageIndex = 0;
  AnsiString FormatString = "\xB7";
  WideString FormatStringW;
  Integer LeftIndent = 0;
  Integer FirstIndent = 10;
  Integer MarkerIndent = 0;
  TUVMarkerAlignment MarkerAlignment = uvmaLeft;
  TUVListLevelOptions Options{uvloContinuous, uvloLevelReset};

private:
  void ReadFormatStringCode(TReader* Reader);
  void WriteFormatStringCode(TWriter* Writer);
  void ReadFormatStringWCode(TReader* Reader);
  void WriteFormatStringWCode(TWriter* Writer);
  void ReadImageListTag(TReader* Reader);
  void WriteImageListTag(TWriter* Writer);
  bool FontsEqual(TUVListLevel* Value);
  bool PicturesEqual(TUVListLevel* Value);

  TCustomImageList* FImageList = nullptr;
  TPicture* FPicture = nullptr;
  TUVMarkerFont* FFont = nullptr;
};

class TUVListLevelCollection : public TOwnedCollection {
  CLASS_INFO(TUVListLevelCollection, TOwnedCollection)
public:
  explicit TUVListLevelCollection(TPersistent* AOwner);
  TUVListLevel* GetItem(Integer Index) const { return static_cast<TUVListLevel*>(GetItems(Index)); }
  TUVListLevel* operator[](Integer Index) const { return GetItem(Index); }
  TUVListLevel* Add() { return static_cast<TUVListLevel*>(TCollection::Add()); }
};

class TUVListInfo : public TCustomUVInfo {
  CLASS_INFO(TUVListInfo, TCustomUVInfo)
public:
  explicit TUVListInfo(TCollection* Collection);
  ~TUVListInfo() override;
  void Assign(TPersistent* Source) override;

  bool HasNumbering() const;
  bool HasTextNumbering() const;
  bool IsSimpleEqual(TUVListInfo* Value);
  Integer SimilarityValue(TUVListInfo* Value);

  bool IsMappedEqual(TCustomUVInfo* Incoming, TUVIntegerList* Mapping) override;
  Integer SimilarityTo(TCustomUVInfo* Existing) override;

  TUVListLevelCollection* GetLevels() const { return FLevels; }
  void SetLevels(TUVListLevelCollection* Value) { FLevels->Assign(Value); }

  bool OneLevelPreview = false;

private:
  TUVListLevelCollection* FLevels;
};

class TUVListInfos : public TCustomUVInfos {
  CLASS_INFO(TUVListInfos, TCustomUVInfos)
public:
  TUVListInfos(TPersistent* AOwner, TClass ItemClass);
  TUVListInfo* GetItem(Integer Index) const { return static_cast<TUVListInfo*>(GetItems(Index)); }
  TUVListInfo* operator[](Integer Index) const { return GetItem(Index); }
  TUVListInfo* Add() { return static_cast<TUVListInfo*>(TCollection::Add()); }

  // While a collection is read or written it refers to the document so that list levels can
  // find their image lists by tag.
  TObject* FUVData = nullptr;

protected:
  bool CanTakeForMerge(TCustomUVInfo* Existing, TCustomUVInfo* Incoming, const std::vector<bool>& Taken) override;
  bool MarksTaken(TCustomUVInfo* Incoming) override;
  void InitInvalidItem(TCustomUVInfo*) override {}
};

// Finds an image list by its Tag when a list level is read (the document answers through its
// root); nil when nobody can.
using TUVImageListByTagFunc = TCustomImageList* (*)(TObject* UVData, Integer Tag);
extern TUVImageListByTagFunc UVFindImageListByTag;

// ---------------------------------------------------------------------------------------------
// The style sheet component

using TUVApplyStyleEvent = Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer StyleNo, bool& DoDefault)>;
using TUVApplyStyleColorEvent =
    Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer StyleNo, TUVTextDrawStates DrawState, bool& DoDefault)>;
using TUVDrawStyleTextEvent =
    Closure<void(TUVStyle* Sender, const AnsiString& Text, TCanvas* Canvas, Integer StyleNo, Integer SpaceBefore,
                 Integer Left, Integer Top, Integer Width, Integer Height, TUVTextDrawStates DrawState,
                 bool& DoDefault)>;
using TUVStyleHoverSensitiveEvent = Closure<void(TUVStyle* Sender, Integer StyleNo, bool& Sensitive)>;
using TUVDrawTextBackEvent =
    Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer StyleNo, Integer Left, Integer Top, Integer Width,
                 Integer Height, TUVTextDrawStates DrawState, bool& DoDefault)>;
using TUVDrawCheckpointEvent =
    Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer X, Integer Y, Integer ItemNo, Integer XShift,
                 bool RaiseEvent, Integer WindowWidth, bool& DoDefault)>;
using TUVDrawPageBreakEvent = Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer Y, Integer XShift, bool Hard,
                                           Integer WindowWidth, bool& DoDefault)>;
using TUVDrawParaRectEvent =
    Closure<void(TUVStyle* Sender, TCanvas* Canvas, Integer ParaNo, const TRect& ARect, bool& DoDefault)>;

class TUVStyle : public TComponent {
  CLASS_INFO(TUVStyle, TComponent)
public:
  explicit TUVStyle(TComponent* AOwner);
  ~TUVStyle() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Six default text styles / two default paragraph styles.
  void ResetTextStyles();
  void ResetParaStyles();

  // The collections; the setters copy the contents of another collection.
  TFontInfos* GetTextStyles() const { return FTextStyles; }
  void SetTextStyles(TFontInfos* Value);
  TParaInfos* GetParaStyles() const { return FParaStyles; }
  void SetParaStyles(TParaInfos* Value);
  TUVListInfos* GetListStyles() const { return FListStyles; }
  void SetListStyles(TUVListInfos* Value);

  // Classes of the styles the collections hold; a descendant style sheet may use its own.
  virtual TClass GetTextStyleClass() { return TFontInfo::StaticClass(); }
  virtual TClass GetParaStyleClass() { return TParaInfo::StaticClass(); }
  virtual TClass GetListStyleClass() { return TUVListInfo::StaticClass(); }

  // Drawing operations; each first calls its event, and the default runs unless the handler
  // clears DoDefault.
  void ApplyTextStyle(TCanvas* Canvas, Integer StyleNo, TUVBiDiMode DefBiDiMode);
  void ApplyTextStyleColor(TCanvas* Canvas, Integer StyleNo, TUVTextDrawStates DrawState);
  void DrawStyleText(const AnsiString& Text, TCanvas* Canvas, Integer StyleNo, Integer SpaceBefore, Integer Left,
                     Integer Top, Integer Width, Integer Height, TUVTextDrawStates DrawState, bool Printing);
  bool StyleHoverSensitive(Integer StyleNo);
  void DrawTextBack(TCanvas* Canvas, Integer StyleNo, Integer Left, Integer Top, Integer Width, Integer Height,
                    TUVTextDrawStates DrawState);
  void DrawCheckpoint(TCanvas* Canvas, Integer X, Integer Y, Integer ItemNo, Integer XShift, bool RaiseEvent,
                      Integer WindowWidth);
  void DrawPageBreak(TCanvas* Canvas, Integer Y, Integer XShift, bool Hard, Integer WindowWidth);
  // The background of a paragraph around ARect. With Sad (printing), the rectangle is widened by
  // the background's offsets scaled to the device before the event sees it, and the default
  // fills it as it is; without, the default widens it by the offsets itself.
  void DrawParaBack(TCanvas* Canvas, Integer ParaNo, const TRect& ARect, const TUVScreenAndDevice* Sad = nullptr);

  // Color, or the style sheet's HoverColor when Color is clNone.
  TColor GetHoverColor(TColor Color) const;
  TColor GetHoverColorByStyle(Integer StyleNo);

  // All styles as a CSS style sheet; Options: 1 relative to the base style, 2 leave out a
  // left alignment that is not compared with a base.
  void SaveCSSToStream(TStream* Stream, Byte Options);

  // The picture shown for pictures that cannot be loaded, made on first use.
  TGraphic* GetInvalidPicture();
  void SetInvalidPicture(TGraphic* Value);

  // The style number noted for OnDrawTextBack handlers.
  Integer ItemNo = -1;
  Integer SpacesInTab = 8;
  SmallInt JumpCursor = 101;
  bool FullRedraw = false;
  bool UseSound = true;
  TColor Color = clWindow;
  TColor HoverColor = clNone;
  TColor SelColor = clHighlight;
  TColor SelTextColor = clHighlightText;
  TColor InactiveSelColor = clHighlight;
  TColor InactiveSelTextColor = clHighlightText;
  TColor CheckpointColor = clGreen;
  TColor CheckpointEvColor = clLime;
  TColor PageBreakColor = clBtnShadow;
  TColor SoftPageBreakColor = clBtnFace;
  Integer DefUnicodeStyle = -1;
  Integer DefCodePage = 0;

  TUVApplyStyleEvent OnApplyStyle;
  TUVApplyStyleColorEvent OnApplyStyleColor;
  TUVDrawStyleTextEvent OnDrawStyleText;
  TUVStyleHoverSensitiveEvent OnStyleHoverSensitive;
  TUVDrawTextBackEvent OnDrawTextBack;
  TUVDrawCheckpointEvent OnDrawCheckpoint;
  TUVDrawPageBreakEvent OnDrawPageBreak;
  TUVDrawParaRectEvent OnDrawParaBack;

private:
  void SaveTextStylesCSS(TStream* Stream, Byte Options);
  void SaveParaStylesCSS(TStream* Stream, Byte Options);

  TFontInfos* FTextStyles;
  TParaInfos* FParaStyles;
  TUVListInfos* FListStyles;
  TGraphic* FInvalidPicture = nullptr;
};

// A copy of the system's hand cursor for hyperlinks, or of the program's cursor resource
// "UV_JUMP_CURSOR"; the caller owns it.
HCURSOR UVJumpCursorHandle();
