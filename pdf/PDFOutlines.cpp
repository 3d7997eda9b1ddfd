// The outline tree: bookmarks with their titles, colours, styles and actions, written as the
// outline root and one object per item.
#include "pdf/PDF.h"

#include <algorithm>

#include "pdf/pdfResources.h"

TPDFOutlineNode* TPDFOutlineNode::GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
TPDFOutlineNode* TPDFOutlineNode::GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }

void TPDFOutlineNode::SetAction(TPDFAction* Value) {
  FOwner->GetDocument()->RegisterAction(Value);
  FAction = Value;
}

void TPDFOutlineNode::Delete() {
  while (!FChildren.empty()) FChildren.front()->Delete();
  if (FPrev) FPrev->FNext = FNext;
  if (FNext) FNext->FPrev = FPrev;
  if (FParent) {
    auto& siblings = FParent->FChildren;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  FOwner->Remove(this);
  delete this;
}

Integer TPDFOutlineNode::VisibleDescendants() const {
  Integer n = 0;
  for (const TPDFOutlineNode* child : FChildren) n += 1 + (child->Expanded ? child->VisibleDescendants() : 0);
  return n;
}

void TPDFOutlineNode::Save() {
  TPDFDocument* doc = FOwner->GetDocument();
  doc->StartObj(ID);
  doc->SaveToStream("/Title " + doc->TextString(Title, Charset != 0, Charset, ID));
  if (doc->GetVersion() == v14) {
    if (Color != 0) doc->SaveToStream("/C [" + RGBTriple(ColorToRGB(Color)) + " ]");
    const Integer flags = (Style.Contains(fsBold) ? 2 : 0) + (Style.Contains(fsItalic) ? 1 : 0);
    if (flags) doc->SaveToStream("/F " + IStr(flags));
  }
  if (!FChildren.empty()) {
    // Readers take the count as the number of items that show below this one: when it is
    // expanded, its children and what shows below each expanded child; when it is not, the
    // same number negated.
    const Integer visible = VisibleDescendants();
    doc->SaveToStream("/Count " + IStr(Expanded ? visible : -visible));
    doc->SaveToStream("/First " + Reference(GetFirstChild()->ID));
    doc->SaveToStream("/Last " + Reference(GetLastChild()->ID));
  }
  doc->SaveToStream("/Parent " + Reference(FParent ? FParent->ID : FOwner->GetID()));
  if (FNext) doc->SaveToStream("/Next " + Reference(FNext->ID));
  if (FPrev) doc->SaveToStream("/Prev " + Reference(FPrev->ID));
  if (FAction) doc->SaveToStream("/A " + Reference(FAction->ID));
  doc->CloseHObj();
  doc->CloseObj();
}

// ---------------------------------------------------------------------------------------------

TPDFOutlines::~TPDFOutlines() { Clear(); }

TPDFOutlineNode* TPDFOutlines::Add(TPDFOutlineNode* Parent, const AnsiString& Title, TPDFAction* Action,
                                   Integer Charset) {
  if (!FDocument->GetPrinting()) throw TPDFException(SGenerationPDFFileNotActivated);
  std::unique_ptr<TPDFOutlineNode> node(new TPDFOutlineNode);
  node->FOwner = this;
  node->Title = Title;
  node->Charset = Charset;
  if (Action) node->SetAction(Action);
  TPDFOutlineNode* last = nullptr;
  if (Parent) {
    last = Parent->GetLastChild();
  } else {
    for (TPDFOutlineNode* item : FItems)
      if (!item->FParent && !item->FNext) last = item;
  }
  node->FParent = Parent;
  node->FPrev = last;
  FItems.push_back(node.get());
  if (last) last->FNext = node.get();
  if (Parent) Parent->FChildren.push_back(node.get());
  return node.release();
}

void TPDFOutlines::Remove(TPDFOutlineNode* Node) { FItems.erase(std::remove(FItems.begin(), FItems.end(), Node), FItems.end()); }

void TPDFOutlines::Clear() {
  while (!FItems.empty()) FItems.front()->Delete();
}

void TPDFOutlines::Save() {
  TPDFDocument* doc = FDocument;
  FID = doc->GetNextID();
  for (TPDFOutlineNode* item : FItems) item->ID = doc->GetNextID();
  for (TPDFOutlineNode* item : FItems) item->Save();
  doc->StartObj(FID);
  doc->SaveToStream("/Type /Outlines");
  // The items that show when the document opens: the top-level items and what shows below
  // each expanded one.
  Integer visible = 0;
  for (TPDFOutlineNode* item : FItems)
    if (!item->FParent) visible += 1 + (item->Expanded ? item->VisibleDescendants() : 0);
  doc->SaveToStream("/Count " + IStr(visible));
  for (TPDFOutlineNode* item : FItems)
    if (!item->FParent && !item->FPrev) doc->SaveToStream("/First " + Reference(item->ID));
  for (TPDFOutlineNode* item : FItems)
    if (!item->FParent && !item->FNext) doc->SaveToStream("/Last " + Reference(item->ID));
  doc->CloseHObj();
  doc->CloseObj();
}
