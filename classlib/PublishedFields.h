// Published fields: the members of a form (or any component) that hold its components, named as
// the form text names the components. A form publishes them in its PUBLISHED block, beside its
// handlers:
//
//   PUBLISHED(TMyForm) {
//     Field("OKBtn", &TMyForm::OKBtn);                     // TButton* OKBtn
//     Method("OKBtnClick", &TMyForm::OKBtnClick);
//   }
//
// The form reader stores each component in its owner's field of the component's name as it
// creates it, and refuses a component that is not of the field's class (see ReadComponentFromText).
// A field belongs to the class that declares the member; a class's fields include its parents'.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "classlib/System.h"

// A published field: a member pointing to an object of FieldClass or a class derived from it.
class TFieldInfo {
public:
  TFieldInfo(AnsiString name, TClass fieldClass) : Name(std::move(name)), FieldClass(fieldClass) {}
  virtual ~TFieldInfo() = default;
  AnsiString Name;
  TClass FieldClass;
  virtual TObject* Get(TObject* Instance) const = 0;
  // Stores Value, which must be nil or inherit from FieldClass.
  virtual void Set(TObject* Instance, TObject* Value) const = 0;
};

// The published field of that name in the class or its parents (without regard to case), or
// nullptr.
const TFieldInfo* FindPublishedField(TClass Class, const AnsiString& Name);
// The published fields of the class, its parents' first, each class's in publishing order.
std::vector<const TFieldInfo*> GetFieldList(TClass Class);

namespace typinfo_detail {

template <class C, class T>
class PointerField final : public TFieldInfo {
public:
  PointerField(AnsiString name, T* C::*field) : TFieldInfo(std::move(name), T::StaticClass()), field_(field) {}
  TObject* Get(TObject* o) const override { return static_cast<C*>(o)->*field_; }
  void Set(TObject* o, TObject* v) const override { static_cast<C*>(o)->*field_ = static_cast<T*>(v); }

private:
  T* C::*field_;
};

// Adds to the fields that class c publishes itself.
void AddField(TClass c, std::unique_ptr<TFieldInfo> field);

}  // namespace typinfo_detail

// Publishes the member `field` of C under `name`, typed by the class it points to. Call it in
// C's PUBLISHED block.
template <class C, class T>
  requires std::is_base_of_v<TObject, C> && std::is_base_of_v<TObject, T>
void Field(const char* name, T* C::*field) {
  typinfo_detail::AddField(C::StaticClass(), std::make_unique<typinfo_detail::PointerField<C, T>>(name, field));
}
