// The document component: its life cycle (BeginDoc, NewPage, EndDoc, Abort), the object table and
// the output, and the objects it writes itself: information dictionary, page tree, catalog,
// cross-reference table and trailer.
#include "pdf/PDF.h"

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "pdf/pdfResources.h"

namespace {

// Output is gathered in memory and handed to the stream in blocks of this size.
constexpr std::size_t kFlushSize = 256 * 1024;

const char* const kPageLayouts[] = {"/PageLayout /SinglePage", "/PageLayout /OneColumn",
                                    "/PageLayout /TwoColumnLeft", "/PageLayout /TwoColumnRight"};
const char* const kPageModes[] = {"/PageMode /UseNone", "/PageMode /UseOutlines", "/PageMode /UseThumbs",
                                  "/PageMode /FullScreen"};
const char* const kViewerPreferences[] = {"/HideToolbar true", "/HideMenubar true", "/HideWindowUI true",
                                          "/FitWindow true", "/CenterWindow true"};

}  // namespace

// Every published property is written to forms: none has a stored default.
PUBLISHED(TPDFDocInfo) {
  Prop("Author", &TPDFDocInfo::GetAuthor, &TPDFDocInfo::SetAuthor);
  Prop("Creator", &TPDFDocInfo::GetCreator, &TPDFDocInfo::SetCreator);
  Prop("Keywords", &TPDFDocInfo::GetKeywords, &TPDFDocInfo::SetKeywords);
  Prop("Subject", &TPDFDocInfo::GetSubject, &TPDFDocInfo::SetSubject);
  Prop("Title", &TPDFDocInfo::GetTitle, &TPDFDocInfo::SetTitle);
}

PUBLISHED(TPDFDocument) {
  Prop("AutoLaunch", &TPDFDocument::GetAutoLaunch, &TPDFDocument::SetAutoLaunch);
  Prop("FileName", &TPDFDocument::GetFileName, &TPDFDocument::SetFileName);
  Prop("Compression", &TPDFDocument::GetCompression, &TPDFDocument::SetCompression);
  Prop("DocumentInfo", &TPDFDocument::GetDocumentInfo, &TPDFDocument::SetDocumentInfo);
  Prop("PageLayout", &TPDFDocument::GetPageLayout, &TPDFDocument::SetPageLayout);
  Prop("PageMode", &TPDFDocument::GetPageMode, &TPDFDocument::SetPageMode);
  Prop("ProtectionEnabled", &TPDFDocument::GetProtectionEnabled, &TPDFDocument::SetProtectionEnabled);
  Prop("ProtectionOptions", &TPDFDocument::GetProtectionOptions, &TPDFDocument::SetProtectionOptions);
  Prop("OwnerPassword", &TPDFDocument::GetOwnerPassword, &TPDFDocument::SetOwnerPassword);
  Prop("UserPassword", &TPDFDocument::GetUserPassword, &TPDFDocument::SetUserPassword);
  Prop("NonEmbeddedFont", &TPDFDocument::GetNonEmbeddedFont, &TPDFDocument::SetNonEmbeddedFont);
  Prop("JPEGQuality", &TPDFDocument::GetJPEGQuality, &TPDFDocument::SetJPEGQuality);
  Prop("Resolution", &TPDFDocument::GetResolution, &TPDFDocument::SetResolution);
  Prop("ViewerPreferences", &TPDFDocument::GetViewerPreferences, &TPDFDocument::SetViewerPreferences);
  Prop("AutoCreateURL", &TPDFDocument::GetAutoCreateURL, &TPDFDocument::SetAutoCreateURL);
  Prop("OnePass", &TPDFDocument::GetOnePass, &TPDFDocument::SetOnePass);
  Prop("Version", &TPDFDocument::GetVersion, &TPDFDocument::SetVersion);
  Prop("EMFImageAsJpeg", &TPDFDocument::GetEMFImageAsJpeg, &TPDFDocument::SetEMFImageAsJpeg);
  Prop("EMFSimpleText", &TPDFDocument::GetEMFSimpleText, &TPDFDocument::SetEMFSimpleText);
}

namespace {
// Forms name the document by its class.
const bool kRegistered = (RegisterClass(TPDFDocument::StaticClass()), true);
}  // namespace

void TPDFDocInfo::Assign(TPersistent* Source) {
  if (auto* info = dynamic_cast<TPDFDocInfo*>(Source)) {
    FCreator = info->FCreator;
    FCreationDate = info->FCreationDate;
    FAuthor = info->FAuthor;
    FTitle = info->FTitle;
    FSubject = info->FSubject;
    FKeywords = info->FKeywords;
    return;
  }
  inherited::Assign(Source);
}

TPDFDocument::TPDFDocument(TComponent* AOwner)
    : inherited(AOwner),
      FDocumentInfo(new TPDFDocInfo),
      FNonEmbeddedFont(new TStringList),
      FPages(new TPDFPages(this, false)),
      FFonts(new TPDFFonts(this)),
      FImages(new TPDFImages(this)),
      FActions(new TPDFActions(this)),
      FOutlines(new TPDFOutlines(this)),
      FAcroForm(new TPDFAcroForm(this)) {
  FDocumentInfo->FAuthor = "Windows 9x/NT/2000/XP User";
  FDocumentInfo->FCreator = "PelPDF program";
  FDocumentInfo->FKeywords = "PelPDF";
  FDocumentInfo->FSubject = "None";
  FDocumentInfo->FTitle = "No Title";
  FDocumentInfo->FCreationDate = Now();
}

TPDFDocument::~TPDFDocument() {
  if (FPrinting) {
    // A document dropped unfinished leaves nothing behind.
    CloseOutput(false);
    FPrinting = false;
  }
  // Pages go first: their form fields leave the form's lists and their radio groups.
  delete FPages;
  delete FAcroForm;
  FRadioGroups.clear();
  delete FOutlines;
  delete FActions;
  delete FFonts;
  delete FImages;
  delete FNonEmbeddedFont;
  delete FDocumentInfo;
}

// ---------------------------------------------------------------------------------------------
// Properties that cannot change while a document is written

void TPDFDocument::CheckPrinting() const {
  if (!FPrinting) throw TPDFException(SGenerationPDFFileNotActivated);
}

void TPDFDocument::CheckNotPrinting() const {
  if (FPrinting) throw TPDFException(SGenerationPDFFileInProgress);
}

void TPDFDocument::SetFileName(const TFileName& Value) {
  CheckNotPrinting();
  FFileName = Value;
}

void TPDFDocument::SetProtectionEnabled(bool Value) {
  CheckNotPrinting();
  FProtectionEnabled = Value;
}

void TPDFDocument::SetProtectionOptions(TPDFCtiptoOptions Value) {
  CheckNotPrinting();
  FProtectionOptions = Value;
}

void TPDFDocument::SetOwnerPassword(const AnsiString& Value) {
  CheckNotPrinting();
  FOwnerPassword = Value;
}

void TPDFDocument::SetUserPassword(const AnsiString& Value) {
  CheckNotPrinting();
  FUserPassword = Value;
}

void TPDFDocument::SetOnePass(bool Value) {
  CheckNotPrinting();
  FOnePass = Value;
}

// ---------------------------------------------------------------------------------------------
// Pages

Integer TPDFDocument::GetPageCount() const { return FPages->GetCount(); }

TPDFPage* TPDFDocument::GetPage(Integer Index) const {
  if (FOnePass) throw TPDFException(SCannotAccessToPageInOnePassMode);
  if (Index < 0 || Index >= FPages->GetCount()) throw TPDFException(SOutOfRange);
  return FPages->GetItems(Index);
}

Integer TPDFDocument::AddImage(TGraphic* Image, TImageCompressionType Compression) {
  CheckPrinting();
  FImages->Add(Image, Compression);
  return FImages->GetCount() - 1;
}

void TPDFDocument::RegisterAction(TPDFAction* Action) {
  CheckPrinting();
  if (FActions->IndexOf(Action) < 0) FActions->Add(Action);
  if (Action->ID < 1) Action->ID = GetNextID();
}

void TPDFDocument::SetOpenDocumentAction(TPDFAction* Value) {
  if (Value) RegisterAction(Value);
  FOpenDocumentAction = Value;
}

TPDFRadioGroup* TPDFDocument::FindRadioGroup(const AnsiString& Name) const {
  const AnsiString key = AnsiUpperCase(Name);
  for (const auto& group : FRadioGroups)
    if (AnsiUpperCase(group->Name) == key) return group.get();
  return nullptr;
}

TPDFRadioGroup* TPDFDocument::CreateRadioGroup(const AnsiString& Name) {
  FRadioGroups.push_back(std::make_unique<TPDFRadioGroup>(this, Name));
  TPDFRadioGroup* group = FRadioGroups.back().get();
  group->ID = GetNextID();
  return group;
}

void TPDFDocument::StartPage() {
  FCurrentPage = FPages->Add();
  FCurrentPage->CreateCanvas();
}

TCanvas* TPDFDocument::GetCanvas() const { return FCurrentPage ? FCurrentPage->GetCanvas() : nullptr; }

// ---------------------------------------------------------------------------------------------
// Life cycle

void TPDFDocument::ResetGeneration() {
  CloseOutput(false);
  FCurrentID = 0;
  FOffsets.clear();
  FPagesID = FCatalogID = FEncryptID = 0;
  FXrefPosition = 0;
  FCurrentPage = nullptr;
  FPages->Clear();
  FAcroForm->Clear();
  FRadioGroups.clear();
  FOutlines->Clear();
  FActions->Clear();
  FOpenDocumentAction = nullptr;
  FFonts->Clear();
  FImages->Clear();
  FDocumentInfo->FID = 0;
}

void TPDFDocument::BeginDoc() {
  CheckNotPrinting();
  ResetGeneration();
  CalcFileID();
  FPermissions = 0xFFFFFFC0u;
  if (FProtectionOptions.Contains(coPrint)) FPermissions |= 4;
  if (FProtectionOptions.Contains(coModifyStructure)) FPermissions |= 8;
  if (FProtectionOptions.Contains(coCopyInformation)) FPermissions |= 16;
  if (FProtectionOptions.Contains(coModifyAnnotation)) FPermissions |= 32;
  if (FProtectionEnabled) CalcKey();
  OpenOutput();
  SaveToStream(FVersion == v14 ? "%PDF-1.4" : "%PDF-1.3");
  SaveToStream("%\xD2\xE5\xD1\xF2");
  FPrinting = true;
  FAborted = false;
  FPagesID = GetNextID();
  StartPage();
}

void TPDFDocument::NewPage() {
  CheckPrinting();
  FCurrentPage->ClosePageCanvas();
  if (FOnePass) FCurrentPage->WritePageObject();
  StartPage();
}

void TPDFDocument::EndDoc() {
  CheckPrinting();
  try {
    FCurrentPage->ClosePageCanvas();
    if (FOnePass) FCurrentPage->WritePageObject();
    WriteInfo();
    // Preparing an action registers the next one of its chain, which joins the list and is
    // prepared in the same pass.
    for (Integer i = 0; i < FActions->GetCount(); ++i) FActions->GetItems(i)->Prepare();
    WritePageTree();
    if (!FOnePass)
      for (Integer i = 0; i < FPages->GetCount(); ++i) FPages->GetItems(i)->WritePageObject();
    for (Integer i = 0; i < FActions->GetCount(); ++i) FActions->GetItems(i)->Save();
    if (FOutlines->GetCount() > 0) FOutlines->Save();
    for (const auto& group : FRadioGroups) group->Save();
    if (!FAcroForm->IsEmpty()) FAcroForm->Save();
    WriteCatalog();
    if (FProtectionEnabled) WriteEncrypt();
    FFonts->EmbedFontFiles();
    FFonts->WriteFonts();
    if (!FOnePass)
      for (Integer i = 0; i < FImages->GetCount(); ++i) FImages->GetItems(i)->Save(this);
    WriteXref();
    Flush();
    if (OutputStream) {
      FStream->SetPosition(0);
      OutputStream->CopyFrom(FStream, FStream->GetSize());
    }
    CloseOutput(true);
  } catch (...) {
    Abort();
    throw;
  }
  ResetGeneration();
  FPrinting = false;
  FAborted = false;
  if (!OutputStream && FAutoLaunch) {
    ::ShellExecuteA(::GetActiveWindow(), "open", FFileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void TPDFDocument::Abort() {
  CheckPrinting();
  ResetGeneration();
  FAborted = true;
  FPrinting = false;
}

// ---------------------------------------------------------------------------------------------
// Output

void TPDFDocument::OpenOutput() {
  FBuffer.clear();
  FFlushed = 0;
  if (OutputStream) {
    FStream = new TMemoryStream;
    return;
  }
  // The file is built under a temporary name in the target folder; EndDoc moves it over
  // FileName, so an existing file survives a document that is never finished.
  const AnsiString folder = ExtractFilePath(ExpandFileName(FFileName));
  char temp[MAX_PATH];
  if (!::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "pdf", 0, temp))
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {FFileName, SysErrorMessage(::GetLastError())}));
  FTempFileName = temp;
  try {
    FStream = new TFileStream(FTempFileName, fmCreate);
  } catch (...) {
    ::DeleteFileA(FTempFileName.c_str());
    FTempFileName.clear();
    throw;
  }
}

void TPDFDocument::CloseOutput(bool keep) {
  FBuffer.clear();
  FFlushed = 0;
  delete FStream;
  FStream = nullptr;
  if (FTempFileName.empty()) return;
  const AnsiString temp = FTempFileName;
  FTempFileName.clear();
  if (!keep) {
    ::DeleteFileA(temp.c_str());
    return;
  }
  if (!::MoveFileExA(temp.c_str(), FFileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileA(temp.c_str());
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {FFileName, SysErrorMessage(error)}));
  }
}

void TPDFDocument::Flush() {
  if (FBuffer.empty()) return;
  FStream->WriteBuffer(FBuffer.data(), static_cast<Integer>(FBuffer.size()));
  FFlushed += static_cast<Int64>(FBuffer.size());
  FBuffer.clear();
}

void TPDFDocument::WriteBytes(const void* Data, std::size_t Count) {
  if (FBuffer.size() + Count > kFlushSize) {
    Flush();
    if (Count > kFlushSize) {
      FStream->WriteBuffer(Data, static_cast<Integer>(Count));
      FFlushed += static_cast<Int64>(Count);
      return;
    }
  }
  FBuffer.append(static_cast<const char*>(Data), Count);
}

void TPDFDocument::WriteStreamData(const void* Data, std::size_t Count, Integer ID) {
  if (!FProtectionEnabled) {
    WriteBytes(Data, Count);
    return;
  }
  AnsiString copy(static_cast<const char*>(Data), Count);
  CryptBuffer(copy.data(), copy.size(), ID);
  WriteBytes(copy.data(), copy.size());
}

void TPDFDocument::SaveToStream(const AnsiString& Text, bool CR) {
  WriteBytes(Text.data(), Text.size());
  if (CR) WriteBytes("\r\n", 2);
}

Integer TPDFDocument::GetNextID() {
  ++FCurrentID;
  FOffsets.resize(FCurrentID, 0);
  return FCurrentID;
}

void TPDFDocument::StartObj(Integer& ID) {
  if (ID < 1) ID = GetNextID();
  if (ID > FCurrentID) throw TPDFException(SOutOfRange);
  FOffsets[ID - 1] = GetOutputPosition();
  AnsiString line;
  AppendInt(line, ID);
  line += " 0 obj\r\n<<";
  WriteBytes(line.data(), line.size());
}

void TPDFDocument::CloseHObj() { SaveToStream(">>"); }
void TPDFDocument::CloseObj() { SaveToStream("endobj"); }
void TPDFDocument::StartStream() { SaveToStream("stream"); }
void TPDFDocument::CloseStream() { SaveToStream("endstream"); }

// ---------------------------------------------------------------------------------------------
// The document's own objects

void TPDFDocument::WriteInfo() {
  TPDFDocInfo* info = FDocumentInfo;
  info->FID = 0;
  StartObj(info->FID);
  const Integer id = info->FID;
  auto entry = [&](const char* key, const AnsiString& value) {
    SaveToStream(AnsiString(key) + " (" + EscapeSpecialChar(CryptString(value, id)) + ")");
  };
  entry("/Creator", info->FCreator);
  entry("/CreationDate", "D:" + FormatDateTime("yyyymmddhhnnss", info->FCreationDate));
  entry("/Producer", info->FProducer);
  entry("/Author", info->FAuthor);
  entry("/Title", info->FTitle);
  entry("/Subject", info->FSubject);
  entry("/Keywords", info->FKeywords);
  CloseHObj();
  CloseObj();
}

void TPDFDocument::WritePageTree() {
  StartObj(FPagesID);
  SaveToStream("/Type /Pages");
  SaveToStream("/Kids [");
  for (Integer i = 0; i < FPages->GetCount(); ++i) SaveToStream(Reference(FPages->GetItems(i)->GetPageNumber()));
  SaveToStream("]");
  SaveToStream("/Count " + IStr(FPages->GetCount()));
  CloseHObj();
  CloseObj();
}

void TPDFDocument::WriteCatalog() {
  FCatalogID = 0;
  StartObj(FCatalogID);
  SaveToStream("/Type /Catalog");
  SaveToStream(" /Pages " + Reference(FPagesID));
  SaveToStream(kPageLayouts[FPageLayout]);
  if (!FViewerPreferences.Empty()) {
    SaveToStream("/ViewerPreferences <<");
    for (int p = vpHideToolBar; p <= vpCenterWindow; ++p)
      if (FViewerPreferences.Contains(static_cast<TViewerPreference>(p))) SaveToStream(kViewerPreferences[p]);
    SaveToStream(">>");
  }
  SaveToStream(kPageModes[FPageMode]);
  if (FOpenDocumentAction) SaveToStream("/OpenAction " + Reference(FOpenDocumentAction->ID));
  if (FOutlines->GetCount() > 0) SaveToStream("/Outlines " + Reference(FOutlines->GetID()));
  if (!FAcroForm->IsEmpty()) SaveToStream("/AcroForm " + Reference(FAcroForm->ID));
  CloseHObj();
  CloseObj();
}

void TPDFDocument::WriteXref() {
  FXrefPosition = GetOutputPosition();
  SaveToStream("xref");
  SaveToStream("0 " + IStr(FCurrentID + 1));
  SaveToStream(IntToStrWithZero(0, 10) + " 65535 f");
  AnsiString entry;
  for (Integer i = 0; i < FCurrentID; ++i) {
    entry.clear();
    const AnsiString offset = std::to_string(FOffsets[i]);
    if (offset.size() < 10) entry.append(10 - offset.size(), '0');
    entry += offset;
    entry += " 00000 n\r\n";
    WriteBytes(entry.data(), entry.size());
  }
  SaveToStream("trailer");
  SaveToStream("<<");
  SaveToStream("/Size " + IStr(FCurrentID + 1));
  SaveToStream("/Root " + Reference(FCatalogID));
  SaveToStream("/Info " + Reference(FDocumentInfo->FID));
  if (FProtectionEnabled) SaveToStream("/Encrypt " + Reference(FEncryptID));
  SaveToStream("/ID [<" + FFileID + "><" + FFileID + ">]");
  SaveToStream(">>");
  SaveToStream("startxref");
  SaveToStream(std::to_string(FXrefPosition));
  SaveToStream("%%EOF");
}
