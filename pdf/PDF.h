// The PDF document component and what it owns: pages, fonts and images, links and other
// actions, the outline tree and form fields, written as one PDF file with its page tree,
// information dictionary, catalog, cross-reference table and trailer, under the standard
// security handler when protection is on.
//
// Numbers on a page's canvas are device units (the document's Resolution per inch, y downward from
// the top edge); PDF content is in points (72 per inch, y upward from the bottom edge).
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Graphics.h"
#include "classlib/Sets.h"
#include "classlib/StringLists.h"
#include "classlib/TypInfo.h"
#include "pdf/pdfMisc.h"

class TMetafile;
class TMetafileCanvas;
class TPDFAcroForm;
class TPDFActions;
class TPDFAction;
class TPDFCustomAnnotation;
class TPDFDocument;
class TPDFOutlines;
class TPDFPage;
class TPDFRadioButton;
class TPDFRadioGroup;

class TPDFException : public Exception {
  CLASS_INFO(TPDFException, Exception)
public:
  using Exception::Exception;
};

using TFileName = AnsiString;

enum TCompressionType { ctNone, ctFlate };
ENUM_NAMES(TCompressionType, "ctNone", "ctFlate");
enum TPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };
ENUM_NAMES(TPageLayout, "plSinglePage", "plOneColumn", "plTwoColumnLeft", "plTwoColumnRight");
enum TPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
ENUM_NAMES(TPageMode, "pmUseNone", "pmUseOutlines", "pmUseThumbs", "pmFullScreen");
enum TPDFCriptoOption { coPrint, coModifyStructure, coCopyInformation, coModifyAnnotation };
ENUM_NAMES(TPDFCriptoOption, "coPrint", "coModifyStructure", "coCopyInformation", "coModifyAnnotation");
using TPDFCtiptoOptions = TSet<TPDFCriptoOption>;
enum TViewerPreference { vpHideToolBar, vpHideMenuBar, vpHideWindowUI, vpFitWindow, vpCenterWindow };
ENUM_NAMES(TViewerPreference, "vpHideToolBar", "vpHideMenuBar", "vpHideWindowUI", "vpFitWindow", "vpCenterWindow");
using TViewerPreferences = TSet<TViewerPreference>;
enum TPDFVersion { v13, v14 };
ENUM_NAMES(TPDFVersion, "v13", "v14");

// How an image is encoded when it is added.
enum TImageCompressionType {
  itcFlate,     // deflate of 24-bit RGB samples
  itcJpeg,      // JPEG at the document's JPEGQuality
  itcCCITT3,    // CCITT Group 3, one-dimensional
  itcCCITT32d,  // CCITT Group 3, two-dimensional
  itcCCITT4     // CCITT Group 4
};

// ---------------------------------------------------------------------------------------------
// Standard security (revision 2, 40-bit RC4)

struct TPDFSecurityKeys {
  Byte Owner[32];  // the /O value
  Byte User[32];   // the /U value
  Byte Key[5];     // the document key
};
// The keys of a document from its passwords, its permission word P and its file identifier
// (32 hexadecimal characters). An empty owner password takes the user password's place.
TPDFSecurityKeys CalcSecurityKeys(const AnsiString& OwnerPassword, const AnsiString& UserPassword,
                                  Cardinal Permissions, const AnsiString& FileID);

// ---------------------------------------------------------------------------------------------
// Document information

class TPDFDocInfo : public TPersistent {
  CLASS_INFO(TPDFDocInfo, TPersistent)
public:
  TPDFDocInfo() = default;
  // Copies Creator, CreationDate, Author, Title, Subject and Keywords (never the Producer).
  void Assign(TPersistent* Source) override;

  AnsiString GetAuthor() const { return FAuthor; }
  void SetAuthor(const AnsiString& Value) { FAuthor = Value; }
  AnsiString GetCreator() const { return FCreator; }
  void SetCreator(const AnsiString& Value) { FCreator = Value; }
  AnsiString GetKeywords() const { return FKeywords; }
  void SetKeywords(const AnsiString& Value) { FKeywords = Value; }
  AnsiString GetSubject() const { return FSubject; }
  void SetSubject(const AnsiString& Value) { FSubject = Value; }
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  AnsiString GetProducer() const { return FProducer; }
  TDateTime GetCreationDate() const { return FCreationDate; }
  void SetCreationDate(TDateTime Value) { FCreationDate = Value; }

private:
  friend class TPDFDocument;
  AnsiString FAuthor, FCreator, FKeywords, FSubject, FTitle;
  AnsiString FProducer = "PelPDF 2.x";
  TDateTime FCreationDate = 0;
  Integer FID = 0;
};

// ---------------------------------------------------------------------------------------------
// Fonts

enum TPDFFontKind { fkStandard, fkCJK, fkTrueType };

// One PDF font, made for one distinct request of face name, style and character set.
class TPDFFont : public TObject {
  CLASS_INFO(TPDFFont, TObject)
public:
  // Width of a character code in thousandths of an em: 1000 for CJK fonts, the measured width
  // for TrueType fonts, the published width for standard fonts.
  Integer GetWidth(Byte Code) const;

  Integer ObjectNumber = 0;      // the font dictionary
  Integer FontFileNumber = -1;   // the embedded font file (TrueType), -1 when not embedded
  AnsiString BaseFont;           // without "/"
  AnsiString FaceName;           // the Windows face
  TFontStyles Style;             // bold and italic only
  Integer Charset = 0;
  TPDFFontKind Kind = fkStandard;
  AnsiString Alias;              // the resource name in page resources and content
  Integer StandardIndex = 0;     // 0 Helvetica ... 13 ZapfDingbats
  Integer CJKScript = 0;         // the CJK character set: 128, 129, 134 or 136
  Integer Widths[256] = {};      // TrueType widths, thousandths of an em
  bool WidthsMeasured = false;
  bool Used[256] = {};           // codes shown with this font
  bool Written = false;
};

class TPDFFonts : public TObject {
  CLASS_INFO(TPDFFonts, TObject)
public:
  explicit TPDFFonts(TPDFDocument* Owner);
  ~TPDFFonts() override;

  // Makes the PDF font for a Windows font request current, creating it when needed, and returns
  // it. Raises TPDFException "Cannot receive data for font <name>" when no TrueType face serves.
  TPDFFont* SelectFont(const AnsiString& FaceName, TFontStyles Style, Integer Charset);
  // Creates a font, appends it and gives it its object number at once.
  TPDFFont* Add();
  // Index of the font with this upper-cased face name, style and character set, or -1.
  Integer FindFont(const AnsiString& FaceName, TFontStyles Style, Integer Charset) const;

  Integer GetCount() const { return static_cast<Integer>(FFonts.size()); }
  TPDFFont* GetItems(Integer Index) const { return FFonts[Index].get(); }
  TPDFFont* operator[](Integer Index) const { return GetItems(Index); }
  TPDFFont* GetCurrentFont() const { return FCurrentIndex >= 0 ? GetItems(FCurrentIndex) : nullptr; }
  Integer GetCurrentIndex() const { return FCurrentIndex; }
  AnsiString GetCurrentAlias() const { return FCurrentIndex >= 0 ? GetItems(FCurrentIndex)->Alias : AnsiString(); }
  void Clear();

  // Writing at the end of the document: the embedded TrueType font files first, then every font.
  void EmbedFontFiles();
  void WriteFonts();

private:
  TPDFFont* SelectUncached(const AnsiString& FaceName, TFontStyles Style, Integer Charset);
  TPDFFont* SelectStandard(Integer Index);
  TPDFFont* SelectCJK(TFontStyles Style, Integer Charset);
  TPDFFont* SelectTrueType(const AnsiString& FaceName, TFontStyles Style, Integer Charset);
  void WriteStandard(TPDFFont* Font);
  void WriteCJK(TPDFFont* Font);
  void WriteTrueType(TPDFFont* Font);

  TPDFDocument* FOwner;
  std::vector<std::unique_ptr<TPDFFont>> FFonts;
  Integer FCurrentIndex = -1;
  // The font each request (upper-cased face name, style, character set) has led to, so that a
  // repeated request asks the system's font services nothing.
  std::unordered_map<std::string, Integer> FRequests;
};

// ---------------------------------------------------------------------------------------------
// Images

class TPDFImage : public TObject {
  CLASS_INFO(TPDFImage, TObject)
public:
  // Encodes the picture at once. Raises TPDFException "Not valid image." for anything but a
  // bitmap or a JPEG picture, "CCITT compression work only for bitmap" for CCITT of a JPEG.
  TPDFImage(TGraphic* Image, TImageCompressionType Compression, TPDFDocument* Owner);
  ~TPDFImage() override;

  // Writes the image XObject once.
  void Save(TPDFDocument* Doc);

  TImageCompressionType Compression;
  AnsiString Name;           // the resource name, "Im" and the position in the list
  Integer ObjectNumber = -1;
  Integer Width = 0, Height = 0;
  Integer BitPerPixel = 8;   // bits per component
  bool GrayScale = false;
  bool Saved = false;
  TMemoryStream* Data;       // the encoded samples
};

class TPDFImages : public TObject {
  CLASS_INFO(TPDFImages, TObject)
public:
  explicit TPDFImages(TPDFDocument* Owner) : FOwner(Owner) {}
  ~TPDFImages() override;
  // Encodes and appends an image; an image that fails is not added.
  TPDFImage* Add(TGraphic* Image, TImageCompressionType Compression);
  Integer GetCount() const { return static_cast<Integer>(FImages.size()); }
  TPDFImage* GetItems(Integer Index) const { return FImages[Index].get(); }
  TPDFImage* operator[](Integer Index) const { return GetItems(Index); }
  void Clear();

private:
  TPDFDocument* FOwner;
  std::vector<std::unique_ptr<TPDFImage>> FImages;
};

// ---------------------------------------------------------------------------------------------
// Pages

// One page of the document, or a form XObject. Its content stream is kept as text, one operator
// line after another, each ended by CR LF.
//
// Callers draw a page on its canvas, a metafile canvas whose units are the page's device units;
// closing the page translates the recording into content operators. The operators can also be
// called directly: device forms take canvas units (y downward from the top edge) and convert
// them, point forms (...Pt) take PDF points (y upward from the bottom edge). Operators that build
// paths raise TPDFException "Text object inited" inside a text object; text operators raise "Text
// object not inited" outside one and "Active font not setting" without a font.
class TPDFPage : public TObject {
  CLASS_INFO(TPDFPage, TObject)
public:
  explicit TPDFPage(TPDFDocument* Owner);
  ~TPDFPage() override;

  TPDFDocument* GetDocument() const { return FOwner; }

  // Standard sizes 1 to 19 (1 US Letter, 2 ISO A4, ...); 0 is a custom size. Size, orientation,
  // width and height raise TPDFException "Page in progress" once drawing has begun.
  Byte GetSize() const { return FSize; }
  void SetSize(Byte Value);
  Byte GetOrientation() const { return FOrientation; }  // 0 portrait, 1 landscape
  void SetOrientation(Byte Value);
  Byte GetRotation() const { return FRotation; }        // 1, 2, 3: /Rotate 90, 180, 270
  void SetRotation(Byte Value) { FRotation = Value; }
  // Height and width in device units.
  Integer GetHeight() const;
  void SetHeight(Integer Value);
  Integer GetWidth() const;
  void SetWidth(Integer Value);
  Integer GetResolution() const { return FResolution; }
  Extended GetScale() const { return FScale; }
  Integer GetPageNumber() const { return FPageNumber; }
  bool GetIsForm() const { return FIsForm; }
  void SetIsForm(bool Value) { FIsForm = Value; }
  // The form's /Matrix.
  const TPDFMatrix& GetFormMatrix() const { return FFormMatrix; }
  void SetFormMatrix(const TPDFMatrix& Value) { FFormMatrix = Value; }

  // The recording canvas. Its units are the page's device units at any Resolution: a drawing
  // from 0 to GetWidth by GetHeight covers the whole sheet, and its font sizes are points.
  // Raises "Canvas for this page already created" for a second canvas.
  void CreateCanvas();
  // nullptr when the page has no canvas.
  TCanvas* GetCanvas() const;
  // Completes the recording and translates it into content, before any content written
  // directly; the canvas is gone afterwards.
  void ClosePageCanvas();
  // Drops the canvas and its recording without translating it.
  void FreeCanvas();

  // Appends one line of page content as it is.
  void AppendLine(const AnsiString& Line);
  const AnsiString& GetContent() const { return FContent; }
  // Takes the content from byte Position to the end out of the page (the translator moves a
  // path it has built behind the "q" of a clip made from it).
  AnsiString CutContent(std::size_t Position);
  // Appends content lines, each already ended by CR LF.
  void AppendContent(const AnsiString& Lines) { FContent += Lines; }

  // Graphics state: "q" and "Q" (never the page's first "q").
  void GStateSave();
  void GStateRestore();
  Integer GetGStateDepth() const { return FGStateDepth; }

  // Paths and painting.
  void MoveTo(Extended X, Extended Y);
  void MoveToPt(Extended X, Extended Y);
  void LineTo(Extended X, Extended Y);
  void LineToPt(Extended X, Extended Y);
  void CurveTo(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3);
  void CurveToPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3);
  // Device form: two corners; point form: lower left corner (or any corner), width and height.
  void Rectangle(Extended X1, Extended Y1, Extended X2, Extended Y2);
  void RectanglePt(Extended X, Extended Y, Extended W, Extended H);
  void ClosePath();
  void NewPath();
  void Fill();
  void Stroke();
  void FillAndStroke();
  void EoFill();
  void EoFillAndStroke();
  void Clip();
  void ConcatPt(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F);
  // Width in device units.
  void SetLineWidth(Extended Width);
  // A dash array and phase such as "[8 8] 0"; written only when it differs from the pattern in
  // force. NoDash is "[] 0".
  void SetDash(const AnsiString& Pattern);
  void NoDash();
  // Colour components 0 to 1.
  void SetRGBFillColor(Extended R, Extended G, Extended B);
  void SetRGBStrokeColor(Extended R, Extended G, Extended B);

  // Curves: circles and ellipses as four Beziers.
  void Circle(Extended X, Extended Y, Extended R);
  void CirclePt(Extended X, Extended Y, Extended R);
  void Ellipse(Extended X1, Extended Y1, Extended X2, Extended Y2);
  void EllipsePt(Extended X1, Extended Y1, Extended X2, Extended Y2);
  // An arc of the ellipse in the box, from angle Begin to End (degrees); returns the point where
  // the drawn arc begins. The device form turns counter-clockwise as seen on the page, like GDI.
  TPDFPoint Arc(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Begin, Extended End);
  TPDFPoint ArcPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Begin, Extended End);
  // An arc between the rays towards two points (GDI's Arc); returns where the drawn arc begins.
  TPDFPoint ArcByPoints(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
                        Extended Y4);
  TPDFPoint ArcByPointsPt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                          Extended X4, Extended Y4);
  // The arc and its two radii.
  void Pie(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4, Extended Y4);
  void PiePt(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
             Extended Y4);
  // A closed rectangle with corners of the ellipse W by H, device units.
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer W, Integer H);

  // Places image Index of the document: the device form takes the top left corner, the point
  // form the lower left one; Angle turns it (degrees).
  void ShowImage(Integer Index, Extended X, Extended Y, Extended W, Extended H, Extended Angle = 0);
  void ShowImagePt(Integer Index, Extended X, Extended Y, Extended W, Extended H, Extended Angle = 0);

  // Text. SetActiveFont chooses the PDF font for a Windows font request and writes its "Tf";
  // the size is in points.
  void BeginText();
  void EndText();
  bool GetTextInited() const { return FTextInited; }
  void SetActiveFont(const AnsiString& FaceName, TFontStyles Style, Extended Size, Integer Charset = 0);
  // Spacing in device units.
  void SetCharacterSpacing(Extended Spacing);
  void SetTextMatrix(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F);
  void SetTextPosition(Extended X, Extended Y);
  void ConcatTextMatrix(Extended A, Extended B, Extended C, Extended D, Extended E, Extended F);
  void RotateText(Extended Angle);
  void SetTextSkew(Extended First, Extended Second);
  // Text with its top left corner at (X, Y), device units, turned by Angle degrees. With the
  // document's AutoCreateURL on, upright text on a page (not a form) gets a link for the first
  // address after "http://", "mailto:" and "ftp://" in it that starts a word.
  void TextOut(Extended X, Extended Y, Extended Angle, const AnsiString& Text);
  // Text starting at (X, Y) on the baseline, points.
  void TextOutPt(Extended X, Extended Y, Extended Angle, const AnsiString& Text);
  void ShowText(const AnsiString& Text);
  // Text in a box (device units): horizontal alignment 0 left, 1 centre, 2 right; vertical 0
  // top, 1 centre, 2 bottom, the text taking the font size in height.
  void TextBox(const TRect& Rect, const AnsiString& Text, Integer VerticalAlign, Integer HorizontalAlign);
  // The width of the text in the active font, in device units.
  Extended TextWidth(const AnsiString& Text);
  // The advance of every code in the active font, thousandths of a device unit.
  void GetCharWidths(Integer (&Widths)[256]);
  TPDFFont* GetActiveFont() const { return FActiveFont; }
  // The fonts selected on the page, first use first.
  const std::vector<TPDFFont*>& GetFonts() const { return FFonts; }
  Extended GetFontSize() const { return FFontSize; }
  Extended GetCharacterSpacing() const { return FCharSpace; }
  const TPDFMatrix& GetTextMatrix() const { return FTextMatrix; }

  // Writes the page's annotations, its resource dictionary, content stream and page (or form)
  // dictionary.
  void WritePageObject();

  // The annotations on the page, in creation order; the page frees them.
  Integer GetAnnotationCount() const { return static_cast<Integer>(FAnnotations.size()); }
  TPDFCustomAnnotation* GetAnnotation(Integer Index) const { return FAnnotations[Index]; }

private:
  friend class TPDFDocument;
  friend class TPDFPages;
  friend class TPDFCustomAnnotation;
  friend class TPDFGoToPageAction;
  // Makes links of the web addresses in text shown at (X, Y), device units.
  void CreateLinks(Extended X, Extended Y, const AnsiString& Text);
  // Device units to points; each conversion marks the page drawn.
  Extended PtX(Extended X);
  Extended PtY(Extended Y);
  Extended PtLength(Extended Length) const { return Length / FScale; }
  // Points back to device units.
  TPDFPoint DevicePoint(const TPDFPoint& P);
  void WriteOperator(std::initializer_list<Extended> Operands, const char* Operator);
  void ArcSegment(Extended CX, Extended CY, Extended RX, Extended RY, Extended Start, Extended Sweep,
                  bool MoveFirst);
  void ConcatTextMatrix(const TPDFMatrix& M);
  void WriteTextMatrix();
  void RequireNoText() const;
  void RequireText() const;
  void RequireFont() const;
  void CheckNotDrawn() const;
  void SizeMetafile();

  TPDFDocument* FOwner;
  bool FIsForm = false;
  TPDFMatrix FFormMatrix;
  Integer FResolution;
  Extended FScale;
  AnsiString FContent;
  bool FUsesText = false, FUsesGrayImage = false, FUsesColorImage = false;
  Integer FHeightPt = 842, FWidthPt = 595;
  Byte FSize = 2, FOrientation = 0, FRotation = 0;
  std::vector<TPDFFont*> FFonts;
  std::vector<TPDFImage*> FImages;
  Integer FPageNumber = 0, FResourceNumber = 0, FContentNumber = 0;
  bool FDrawn = false;
  TMetafile* FMetafile = nullptr;
  TMetafileCanvas* FCanvas = nullptr;
  // Text and graphics state.
  bool FTextInited = false;
  TPDFFont* FActiveFont = nullptr;
  Extended FFontSize = 10;
  Extended FCharSpace = 0;
  TPDFMatrix FTextMatrix;
  bool FSimulateBold = false, FSimulateItalic = false, FSimulateUnderline = false, FSimulateStrikeOut = false;
  Integer FGStateDepth = 0;
  Extended FLastTextAngle = 0, FRotationAngle = 0;
  // The dash pattern in force, and the ones "q" saved, so that a "Q" brings the right one back.
  AnsiString FDash = "[] 0";
  std::vector<AnsiString> FSavedDashes;
  std::vector<TPDFCustomAnnotation*> FAnnotations;
};

class TPDFPages : public TObject {
  CLASS_INFO(TPDFPages, TObject)
public:
  TPDFPages(TPDFDocument* Owner, bool Forms) : FOwner(Owner), FForms(Forms) {}
  ~TPDFPages() override;
  TPDFPage* Add();
  Integer GetCount() const { return static_cast<Integer>(FPages.size()); }
  TPDFPage* GetItems(Integer Index) const { return FPages[Index].get(); }
  TPDFPage* operator[](Integer Index) const { return GetItems(Index); }
  Integer IndexOf(const TPDFPage* Page) const;
  void Clear();

private:
  TPDFDocument* FOwner;
  bool FForms;
  std::vector<std::unique_ptr<TPDFPage>> FPages;
};

// ---------------------------------------------------------------------------------------------
// Actions

// An action a viewer performs: following a link, opening the document, a form event. Actions
// are created free-standing and belong to their creator until they are registered with the
// document (by SetAction of an annotation or outline item, the event setters of form fields,
// SetOpenDocumentAction, or as the Next of a registered action); from then on the document's
// action list owns them. Next chains actions: the viewer performs Next after this one.
class TPDFAction : public TObject {
  CLASS_INFO(TPDFAction, TObject)
public:
  TPDFAction() = default;
  TPDFDocument* GetDocument() const { return FDocument; }
  // Gives the action its object number when it has none, and registers Next.
  void Prepare();
  // Writes the action object.
  virtual void Save() = 0;

  Integer ID = 0;               // object number, 0 until registered
  TPDFAction* Next = nullptr;   // the next action of the chain

protected:
  // The "/Next" line when the chain goes on.
  void SaveNext();

private:
  friend class TPDFActions;
  TPDFDocument* FDocument = nullptr;
};

// Opens a web address (or any URI: "mailto:", "ftp://").
class TPDFURLAction : public TPDFAction {
  CLASS_INFO(TPDFURLAction, TPDFAction)
public:
  TPDFURLAction() = default;
  AnsiString GetURL() const { return FURL; }
  // Raises TPDFException "URL cannot be empty" for empty text and keeps the address it had.
  void SetURL(const AnsiString& Value);
  void Save() override;

private:
  AnsiString FURL;
};

// Shows a page of the document with the point Top (device units from the page's top edge) at
// the top of the window.
class TPDFGoToPageAction : public TPDFAction {
  CLASS_INFO(TPDFGoToPageAction, TPDFAction)
public:
  explicit TPDFGoToPageAction(TPDFPage& Page, Integer Top = 0) : Page(&Page), Top(Top) {}
  void Save() override;

  TPDFPage* Page;  // a page of the same document
  Integer Top;
};

// The document's actions, in registration order; the list owns them.
class TPDFActions : public TObject {
  CLASS_INFO(TPDFActions, TObject)
public:
  explicit TPDFActions(TPDFDocument* Document) : FDocument(Document) {}
  ~TPDFActions() override;
  // Appends the action, makes this list's document its document and returns its index.
  Integer Add(TPDFAction* Action);
  // Frees every action in index order.
  void Clear();
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TPDFAction* GetItems(Integer Index) const { return FItems[Index]; }
  TPDFAction* operator[](Integer Index) const { return GetItems(Index); }
  Integer IndexOf(const TPDFAction* Action) const;
  TPDFDocument* GetDocument() const { return FDocument; }

private:
  TPDFDocument* FDocument;
  std::vector<TPDFAction*> FItems;
};

// ---------------------------------------------------------------------------------------------
// Annotations

enum TPDFAnnotationFlag { afInvisible, afHidden, afPrint, afNoZoom, afNoRotate, afNoView, afReadOnly };
ENUM_NAMES(TPDFAnnotationFlag, "afInvisible", "afHidden", "afPrint", "afNoZoom", "afNoRotate", "afNoView",
           "afReadOnly");
using TPDFAnnotationFlags = TSet<TPDFAnnotationFlag>;

// Something a viewer shows above a page's content. The constructor puts the annotation on its
// page, which writes it with the page and frees it; it takes its object number at once.
class TPDFCustomAnnotation : public TObject {
  CLASS_INFO(TPDFCustomAnnotation, TObject)
public:
  // Raises TPDFException "Annotation must have TPDFPage as owner" without a page.
  explicit TPDFCustomAnnotation(TPDFPage* Page);
  ~TPDFCustomAnnotation() override;

  TPDFPage* GetPage() const { return FPage; }
  // The rectangle in the page's device units, corners in any order; stored in points.
  void SetRect(const TRect& Rect);
  // The /F value: bit i for flag number i.
  Integer GetFlagsValue() const;
  // Writes the annotation object.
  virtual void Save() = 0;

  Integer ID = 0;
  // The rectangle in points from the page's lower left corner; Top is the upper edge.
  Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
  TPDFAnnotationFlags Flags;
  AnsiString Border = "[0 0 1]";  // written as it is after "/Border "
  TColor Color = 65535;

protected:
  TPDFDocument* GetDocument() const;
  // "/Rect [Left Bottom Right Top]".
  AnsiString RectText() const;

private:
  TPDFPage* FPage;
};

// A link: an annotation that performs an action when clicked.
class TPDFActionAnnotation : public TPDFCustomAnnotation {
  CLASS_INFO(TPDFActionAnnotation, TPDFCustomAnnotation)
public:
  using TPDFCustomAnnotation::TPDFCustomAnnotation;
  TPDFAction* GetAction() const { return FAction; }
  // Registers the action with the document (raises "Generation PDF file not activated" outside a
  // document and keeps the action it had) and makes it the link's action.
  void SetAction(TPDFAction* Value);
  void Save() override;

private:
  TPDFAction* FAction = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Outlines

class TPDFOutlines;

// One bookmark. Items are made by TPDFOutlines::Add; the outline list owns them all.
class TPDFOutlineNode : public TObject {
  CLASS_INFO(TPDFOutlineNode, TObject)
public:
  TPDFOutlines* GetOwner() const { return FOwner; }
  TPDFOutlineNode* GetParent() const { return FParent; }
  TPDFOutlineNode* GetPrev() const { return FPrev; }
  TPDFOutlineNode* GetNext() const { return FNext; }
  TPDFOutlineNode* GetFirstChild() const;
  TPDFOutlineNode* GetLastChild() const;
  Integer GetChildCount() const { return static_cast<Integer>(FChildren.size()); }
  TPDFOutlineNode* GetChild(Integer Index) const { return FChildren[Index]; }
  TPDFAction* GetAction() const { return FAction; }
  // Registers the action with the document, as SetAction of a link does.
  void SetAction(TPDFAction* Value);
  // Deletes the item with all its descendants and links its siblings to each other.
  void Delete();

  AnsiString Title;
  Integer Charset = 0;    // the Windows character set of Title; 0 is single-byte Western text
  bool Expanded = false;  // the children show when the document opens
  TColor Color = 0;       // 0: the viewer's colour (written only with Version v14)
  TFontStyles Style;      // bold and italic (written only with Version v14)
  Integer ID = 0;

private:
  friend class TPDFOutlines;
  TPDFOutlineNode() = default;
  // Visible descendants: the children, and the visible descendants of each expanded child.
  Integer VisibleDescendants() const;
  void Save();

  TPDFOutlines* FOwner = nullptr;
  TPDFOutlineNode* FParent = nullptr;
  TPDFOutlineNode* FPrev = nullptr;
  TPDFOutlineNode* FNext = nullptr;
  std::vector<TPDFOutlineNode*> FChildren;  // in order; the outline list owns them
  TPDFAction* FAction = nullptr;
};

// The document's outline tree, written at EndDoc when it holds any item.
class TPDFOutlines : public TObject {
  CLASS_INFO(TPDFOutlines, TObject)
public:
  explicit TPDFOutlines(TPDFDocument* Document) : FDocument(Document) {}
  ~TPDFOutlines() override;
  // Appends an item after the last child of Parent (nullptr: after the last top-level item).
  // Raises "Generation PDF file not activated" outside a document, whose start would drop it.
  TPDFOutlineNode* Add(TPDFOutlineNode* Parent, const AnsiString& Title, TPDFAction* Action = nullptr,
                       Integer Charset = 0);
  // Every item, top-level items and descendants alike, in order of creation.
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TPDFOutlineNode* GetItems(Integer Index) const { return FItems[Index]; }
  TPDFOutlineNode* operator[](Integer Index) const { return GetItems(Index); }
  void Clear();
  TPDFDocument* GetDocument() const { return FDocument; }
  Integer GetID() const { return FID; }
  // Writes every item and the outline root.
  void Save();

private:
  friend class TPDFOutlineNode;
  void Remove(TPDFOutlineNode* Node);

  TPDFDocument* FDocument;
  std::vector<TPDFOutlineNode*> FItems;
  Integer FID = 0;
};

// ---------------------------------------------------------------------------------------------
// Form fields

class TPDFControlFont : public TObject {
  CLASS_INFO(TPDFControlFont, TObject)
public:
  Integer Size = 8;  // points
  AnsiString Name = "Arial";
  TColor Color = 0;
  Byte Charset = 0;
  TFontStyles Style;
};

// The tooltip of a field.
class TPDFControlHint : public TObject {
  CLASS_INFO(TPDFControlHint, TObject)
public:
  AnsiString Caption;
  Byte Charset = 0;
};

// A widget on a page together with the field it stands for. The page writes it with its
// appearances and frees it. Event actions are registered with the document when they are set
// (outside a document that raises "Generation PDF file not activated").
class TPDFControl : public TPDFCustomAnnotation {
  CLASS_INFO(TPDFControl, TPDFCustomAnnotation)
public:
  TPDFControl(TPDFPage* Page, const AnsiString& Name);
  ~TPDFControl() override;

  TPDFAction* GetOnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TPDFAction* Value) { SetEvent(FOnMouseDown, Value); }
  TPDFAction* GetOnMouseExit() const { return FOnMouseExit; }
  void SetOnMouseExit(TPDFAction* Value) { SetEvent(FOnMouseExit, Value); }
  TPDFAction* GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TPDFAction* Value) { SetEvent(FOnMouseEnter, Value); }
  // Performed when the field is clicked (the widget's /A).
  TPDFAction* GetOnActivate() const { return FOnActivate; }
  void SetOnActivate(TPDFAction* Value) { SetEvent(FOnActivate, Value); }
  TPDFAction* GetOnLostFocus() const { return FOnLostFocus; }
  void SetOnLostFocus(TPDFAction* Value) { SetEvent(FOnLostFocus, Value); }
  TPDFAction* GetOnSetFocus() const { return FOnSetFocus; }
  void SetOnSetFocus(TPDFAction* Value) { SetEvent(FOnSetFocus, Value); }

  // "/A" when the field has an activation action, then "/AA <<" and the event actions; the
  // caller closes the dictionary.
  virtual AnsiString GetActionsText() const;

  bool Required = false;
  bool ReadOnly = false;
  AnsiString Name;            // the field name; a radio button's is its group's
  TColor BackgroundColor = 0;
  TPDFControlFont* Font;
  TPDFControlHint* Hint;
  AnsiString FontAlias;       // the resource name of the font last chosen while painting

protected:
  // Radio buttons pass false: their group is the form's field, they are its kids.
  TPDFControl(TPDFPage* Page, const AnsiString& Name, bool FormField);
  void SetEvent(TPDFAction*& Field, TPDFAction* Value);
  // The default appearance: the font by its resource name, the size, and the font's colour.
  AnsiString DefaultAppearance(const AnsiString& Size) const;
  // "/MK <<" entries for the border and background colours.
  AnsiString BorderAndBackground() const;
  // Sizes an appearance page to the widget and returns its device width and height.
  TSize SizeAppearance(TPDFPage* Appearance) const;
  // Writes the two appearances (painted), adds the first one's fonts to the form's font
  // resources and starts the widget object with its type, rectangle and page.
  void StartWidget(TPDFPage* First, TPDFPage* Second);

private:
  TPDFAction* FOnMouseDown = nullptr;
  TPDFAction* FOnMouseExit = nullptr;
  TPDFAction* FOnMouseEnter = nullptr;
  TPDFAction* FOnActivate = nullptr;
  TPDFAction* FOnLostFocus = nullptr;
  TPDFAction* FOnSetFocus = nullptr;
};

// A field whose value the user sets: it has keystroke, format, validate and calculate actions.
class TPDFInputControl : public TPDFControl {
  CLASS_INFO(TPDFInputControl, TPDFControl)
public:
  TPDFInputControl(TPDFPage* Page, const AnsiString& Name) : TPDFControl(Page, Name) {}

  TPDFAction* GetOnCalculate() const { return FOnCalculate; }
  void SetOnCalculate(TPDFAction* Value) { SetEvent(FOnCalculate, Value); }
  TPDFAction* GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TPDFAction* Value) { SetEvent(FOnKeyPress, Value); }
  TPDFAction* GetOnFormat() const { return FOnFormat; }
  void SetOnFormat(TPDFAction* Value) { SetEvent(FOnFormat, Value); }
  TPDFAction* GetOnValidate() const { return FOnValidate; }
  void SetOnValidate(TPDFAction* Value) { SetEvent(FOnValidate, Value); }
  AnsiString GetActionsText() const override;

protected:
  TPDFInputControl(TPDFPage* Page, const AnsiString& Name, bool FormField) : TPDFControl(Page, Name, FormField) {}

private:
  TPDFAction* FOnCalculate = nullptr;
  TPDFAction* FOnKeyPress = nullptr;
  TPDFAction* FOnFormat = nullptr;
  TPDFAction* FOnValidate = nullptr;
};

// A push button with a raised face, shown pressed while it is held down.
class TPDFButton : public TPDFControl {
  CLASS_INFO(TPDFButton, TPDFControl)
public:
  TPDFButton(TPDFPage* Page, const AnsiString& Name);
  void Save() override;
  // Draws the up and the down appearance.
  virtual void Paint();

  AnsiString Caption;
  // The appearances, only while Save runs.
  TPDFPage* UpAppearance = nullptr;
  TPDFPage* DownAppearance = nullptr;
};

// One button of a radio group; the buttons of one group name form the group.
class TPDFRadioButton : public TPDFInputControl {
  CLASS_INFO(TPDFRadioButton, TPDFInputControl)
public:
  // Joins the group of that name (compared without regard to case), made when there is none,
  // and takes the export value of its number in the group ("Choice1", "Choice2", ...).
  TPDFRadioButton(TPDFPage* Page, const AnsiString& GroupName);
  ~TPDFRadioButton() override;
  TPDFRadioGroup* GetRadioGroup() const { return FRadioGroup; }
  AnsiString GetExportValue() const { return FExportValue; }
  // Blanks become "_". Raises TPDFException "Cannot set empty export value for radiobutton"
  // for an empty value and "In this radiogroup such exportvalue present" for a value a button
  // of the group has (case ignored); the value stays as it was.
  void SetExportValue(const AnsiString& Value);
  void Save() override;
  // Draws the on and the off appearance.
  virtual void Paint();

  bool Selected = false;
  // The appearances, only while Save runs.
  TPDFPage* OnAppearance = nullptr;
  TPDFPage* OffAppearance = nullptr;

private:
  TPDFRadioGroup* FRadioGroup = nullptr;
  AnsiString FExportValue;
};

// A list of controls that does not own them.
class TPDFControls : public TObject {
  CLASS_INFO(TPDFControls, TObject)
public:
  void Add(TPDFControl* Control) { FItems.push_back(Control); }
  void Remove(const TPDFControl* Control);
  void Clear() { FItems.clear(); }
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TPDFControl* GetItems(Integer Index) const { return FItems[Index]; }
  TPDFControl* operator[](Integer Index) const { return GetItems(Index); }

private:
  std::vector<TPDFControl*> FItems;
};

// The field of a radio group: its buttons are the kids. The document owns its groups.
class TPDFRadioGroup : public TObject {
  CLASS_INFO(TPDFRadioGroup, TObject)
public:
  TPDFRadioGroup(TPDFDocument* Document, const AnsiString& Name) : Name(Name), FDocument(Document) {}
  TPDFDocument* GetDocument() const { return FDocument; }
  // The group's value: the first button in order that is selected, or nullptr.
  TPDFRadioButton* GetSelected() const;
  // Writes the field and adds it to the form's radio groups.
  void Save();

  TPDFControls Buttons;  // in creation order
  Integer ID = 0;
  AnsiString Name;

private:
  TPDFDocument* FDocument;
};

// The document's interactive form dictionary.
class TPDFAcroForm : public TObject {
  CLASS_INFO(TPDFAcroForm, TObject)
public:
  explicit TPDFAcroForm(TPDFDocument* Document) : FDocument(Document) {}
  void Clear();
  // True when there is no field to list.
  bool IsEmpty() const { return Fields.GetCount() == 0 && RadioGroups.empty(); }
  // Writes the form's font resources and the form dictionary.
  void Save();

  Integer ID = 0;
  TPDFControls Fields;                      // every field but the radio buttons, whose groups are
  std::vector<TPDFFont*> Fonts;             // the fonts the fields' appearances name
  std::vector<TPDFRadioGroup*> RadioGroups; // filled while the groups are written

private:
  TPDFDocument* FDocument;
};

// ---------------------------------------------------------------------------------------------
// The document

class TPDFDocument : public TComponent {
  CLASS_INFO(TPDFDocument, TComponent)
public:
  explicit TPDFDocument(TComponent* AOwner);
  ~TPDFDocument() override;

  // Starts a document: the first page becomes CurrentPage. The file named by FileName is written
  // only by EndDoc; until then the document goes into a temporary file beside it.
  void BeginDoc();
  // Closes CurrentPage and starts the next one (in OnePass mode the closed page is written now).
  void NewPage();
  // Writes the rest of the document and puts the file in place (or copies it into OutputStream).
  // A failure abandons the document and passes the exception on.
  void EndDoc();
  // Abandons the document; removes only what this document created.
  void Abort();

  Integer GetPageCount() const;
  // The page at a 0-based index; not in OnePass mode.
  TPDFPage* GetPage(Integer Index) const;
  TPDFPage* GetCurrentPage() const { return FCurrentPage; }
  // The canvas of the current page; nullptr outside a document.
  TCanvas* GetCanvas() const;
  bool GetPrinting() const { return FPrinting; }
  bool GetAborted() const { return FAborted; }

  // Encodes an image and adds it to the document's images; returns its index.
  Integer AddImage(TGraphic* Image, TImageCompressionType Compression);
  TPDFFonts* GetFonts() const { return FFonts; }
  TPDFImages* GetImages() const { return FImages; }
  TPDFActions* GetActions() const { return FActions; }
  TPDFOutlines* GetOutlines() const { return FOutlines; }
  TPDFAcroForm* GetAcroForm() const { return FAcroForm; }

  // Makes an action part of the document: appends it to the action list when it is not there
  // yet and gives it an object number when it has none. Raises "Generation PDF file not
  // activated" outside a document.
  void RegisterAction(TPDFAction* Action);
  // The action performed when the document opens (the catalog's /OpenAction), registered when
  // it is set; BeginDoc clears it.
  TPDFAction* GetOpenDocumentAction() const { return FOpenDocumentAction; }
  void SetOpenDocumentAction(TPDFAction* Value);

  // The radio groups, in order of creation.
  Integer GetRadioGroupCount() const { return static_cast<Integer>(FRadioGroups.size()); }
  TPDFRadioGroup* GetRadioGroup(Integer Index) const { return FRadioGroups[Index].get(); }
  // The group of that name, compared without regard to case, or nullptr.
  TPDFRadioGroup* FindRadioGroup(const AnsiString& Name) const;
  // Makes a group with its own object number and appends it.
  TPDFRadioGroup* CreateRadioGroup(const AnsiString& Name);

  // Published properties.
  bool GetAutoLaunch() const { return FAutoLaunch; }
  void SetAutoLaunch(bool Value) { FAutoLaunch = Value; }
  TFileName GetFileName() const { return FFileName; }
  void SetFileName(const TFileName& Value);
  TCompressionType GetCompression() const { return FCompression; }
  void SetCompression(TCompressionType Value) { FCompression = Value; }
  TPDFDocInfo* GetDocumentInfo() const { return FDocumentInfo; }
  void SetDocumentInfo(TPDFDocInfo* Value) { FDocumentInfo->Assign(Value); }
  TPageLayout GetPageLayout() const { return FPageLayout; }
  void SetPageLayout(TPageLayout Value) { FPageLayout = Value; }
  TPageMode GetPageMode() const { return FPageMode; }
  void SetPageMode(TPageMode Value) { FPageMode = Value; }
  bool GetProtectionEnabled() const { return FProtectionEnabled; }
  void SetProtectionEnabled(bool Value);
  TPDFCtiptoOptions GetProtectionOptions() const { return FProtectionOptions; }
  void SetProtectionOptions(TPDFCtiptoOptions Value);
  AnsiString GetOwnerPassword() const { return FOwnerPassword; }
  void SetOwnerPassword(const AnsiString& Value);
  AnsiString GetUserPassword() const { return FUserPassword; }
  void SetUserPassword(const AnsiString& Value);
  TStringList* GetNonEmbeddedFont() const { return FNonEmbeddedFont; }
  void SetNonEmbeddedFont(TStrings* Value) { FNonEmbeddedFont->Assign(Value); }
  Integer GetJPEGQuality() const { return FJPEGQuality; }
  void SetJPEGQuality(Integer Value) { FJPEGQuality = Value; }
  Integer GetResolution() const { return FResolution; }
  void SetResolution(Integer Value) { FResolution = Value; }
  TViewerPreferences GetViewerPreferences() const { return FViewerPreferences; }
  void SetViewerPreferences(TViewerPreferences Value) { FViewerPreferences = Value; }
  bool GetAutoCreateURL() const { return FAutoCreateURL; }
  void SetAutoCreateURL(bool Value) { FAutoCreateURL = Value; }
  bool GetOnePass() const { return FOnePass; }
  void SetOnePass(bool Value);
  TPDFVersion GetVersion() const { return FVersion; }
  void SetVersion(TPDFVersion Value) { FVersion = Value; }
  bool GetEMFImageAsJpeg() const { return FEMFImageAsJpeg; }
  void SetEMFImageAsJpeg(bool Value) { FEMFImageAsJpeg = Value; }
  bool GetEMFSimpleText() const { return FEMFSimpleText; }
  void SetEMFSimpleText(bool Value) { FEMFSimpleText = Value; }

  // A caller-owned stream that receives the whole file at EndDoc instead of FileName.
  TStream* OutputStream = nullptr;

  // Services to the writers of pages, fonts and images. Every line ends with CR LF.
  Integer GetNextID();
  // Issues a number when ID is below 1, records the object's offset and writes "ID 0 obj" and
  // "<<" (without line end). Raises "Out of range" for a number never issued.
  void StartObj(Integer& ID);
  void CloseHObj();  // ">>"
  void CloseObj();   // "endobj"
  void StartStream();
  void CloseStream();
  void SaveToStream(const AnsiString& Text, bool CR = true);
  void WriteBytes(const void* Data, std::size_t Count);
  // Writes a stream's bytes, encrypted for object ID when protection is on.
  void WriteStreamData(const void* Data, std::size_t Count, Integer ID);
  Int64 GetOutputPosition() const { return FFlushed + static_cast<Int64>(FBuffer.size()); }

  // Standard security: encryption for the object with number ID; values pass unchanged when
  // protection is off.
  AnsiString CryptString(const AnsiString& Text, Integer ID) const;
  AnsiString CryptHexString(const AnsiString& HexText, Integer ID) const;
  // A text string for a viewer to show, with its delimiters and encrypted for object ID: the
  // 8-bit text as a literal string, or UTF-16 read in the code page of Charset as a hexadecimal
  // string, when Unicode is set or when the 8-bit text holds a byte that PDF's own 8-bit text
  // encoding reads as another character than the Western code page.
  AnsiString TextString(const AnsiString& Text, bool Unicode, Integer Charset, Integer ID) const;
  void CryptBuffer(void* Data, std::size_t Count, Integer ID) const;
  // The state of the document's security, for inspection.
  Cardinal GetPermissions() const { return FPermissions; }
  const AnsiString& GetFileID() const { return FFileID; }
  AnsiString GetOwnerKey() const { return AnsiString(reinterpret_cast<const char*>(FOwnerKey), 32); }
  AnsiString GetUserKey() const { return AnsiString(reinterpret_cast<const char*>(FUserKey), 32); }
  AnsiString GetEncryptionKey() const { return AnsiString(reinterpret_cast<const char*>(FKey), 5); }
  Integer GetPagesID() const { return FPagesID; }

private:
  friend class TPDFPage;
  void ResetGeneration();
  void CheckPrinting() const;
  void CheckNotPrinting() const;
  void CalcFileID();
  void CalcKey();
  void StartPage();
  void WriteInfo();
  void WritePageTree();
  void WriteCatalog();
  void WriteEncrypt();
  void WriteXref();
  void Flush();
  void OpenOutput();
  void CloseOutput(bool keep);

  bool FAutoLaunch = false;
  TFileName FFileName;
  TCompressionType FCompression = ctNone;
  TPDFDocInfo* FDocumentInfo;
  TPageLayout FPageLayout = plSinglePage;
  TPageMode FPageMode = pmUseNone;
  bool FProtectionEnabled = false;
  TPDFCtiptoOptions FProtectionOptions;
  AnsiString FOwnerPassword, FUserPassword;
  TStringList* FNonEmbeddedFont;
  Integer FJPEGQuality = 80;
  Integer FResolution = 72;
  TViewerPreferences FViewerPreferences;
  bool FAutoCreateURL = false;
  bool FOnePass = false;
  TPDFVersion FVersion = v13;
  bool FEMFImageAsJpeg = false;
  bool FEMFSimpleText = false;

  TPDFPages* FPages;
  TPDFFonts* FFonts;
  TPDFImages* FImages;
  TPDFActions* FActions;
  TPDFOutlines* FOutlines;
  TPDFAcroForm* FAcroForm;
  std::vector<std::unique_ptr<TPDFRadioGroup>> FRadioGroups;
  TPDFAction* FOpenDocumentAction = nullptr;
  TPDFPage* FCurrentPage = nullptr;

  // Generation state.
  bool FPrinting = false;
  bool FAborted = false;
  TStream* FStream = nullptr;      // the file or memory stream being written
  AnsiString FTempFileName;        // where the file is built until EndDoc puts it in place
  AnsiString FBuffer;              // output not yet handed to FStream
  Int64 FFlushed = 0;              // bytes already handed to FStream
  Integer FCurrentID = 0;
  std::vector<Int64> FOffsets;     // offset of object n at index n - 1
  Integer FPagesID = 0, FCatalogID = 0, FEncryptID = 0;
  Int64 FXrefPosition = 0;
  Cardinal FPermissions = 0;
  Byte FKey[5] = {};
  Byte FOwnerKey[32] = {};
  Byte FUserKey[32] = {};
  AnsiString FFileID;
};
