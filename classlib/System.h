// The root of the class library: basic types, the root class TObject with class references
// and virtual constructors, method pointers for events, the base exception and geometry records.
//
// Conventions that every unit follows:
// - AnsiString is std::string holding 8-bit text in the system code page. Positions in the
//   Delphi-style routines (Pos, Copy, Delete, Insert, ...) are 1-based; see classlib/Strings.h.
//   std::string compares characters as unsigned bytes, as the ported algorithms expect.
// - WideString is std::wstring, UTF-16 on Windows.
// - Objects live on the heap and are freed by their owner or with delete, as the class model
//   of the ported code expects. A property with side effects is a GetX()/SetX() pair; plain data
//   and events are public fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using LongWord = std::uint32_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using LongInt = std::int32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Single = float;
using Double = double;
using Extended = long double;  // 80-bit on x86-64 mingw, like the original Extended
using TDateTime = double;      // days since 1899-12-30, time as the fraction of a day

using AnsiChar = char;
using WideChar = wchar_t;
using AnsiString = std::string;
using WideString = std::wstring;

static_assert(sizeof(WideChar) == 2, "WideString must be UTF-16");
static_assert(sizeof(Extended) >= 10, "Extended must hold the 80-bit format");

class TObject;
class TComponent;
class TClassInfo;

// A class reference ("class of TObject"): what the streaming system and the class registry
// pass around to create objects by class.
using TClass = const TClassInfo*;

class TClassInfo {
public:
  // A virtual constructor. The argument is the owner for components, the collection for
  // collection items, and ignored for other classes; nullptr result means the class is abstract.
  using Factory = TObject* (*)(void* arg);

  TClassInfo(const char* name, TClass parent, Factory create) : Name(name), Parent(parent), Create(create) {}
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const char* Name;
  TClass Parent;
  Factory Create;
  // Published properties of this class, kept by the streaming unit (classlib/TypInfo.h).
  mutable void* TypeData = nullptr;

  bool InheritsFrom(TClass c) const noexcept {
    for (TClass p = this; p; p = p->Parent)
      if (p == c) return true;
    return false;
  }
};

class TCollection;

namespace classlib_detail {
template <class T>
TObject* CreateInstance(void* arg) {
  if constexpr (std::is_abstract_v<T>) {
    (void)arg;
    return nullptr;
  } else if constexpr (std::is_constructible_v<T, TComponent*>) {
    return new T(static_cast<TComponent*>(arg));
  } else if constexpr (std::is_constructible_v<T, TCollection*>) {
    return new T(static_cast<TCollection*>(arg));
  } else if constexpr (std::is_default_constructible_v<T>) {
    (void)arg;
    return new T();
  } else {
    (void)arg;
    return nullptr;
  }
}
}  // namespace classlib_detail

// Declares a class's class reference. Put it first in the class body:
//   class TFoo : public TBar { CLASS_INFO(TFoo, TBar) public: ... };
// It gives `inherited` (the parent class), StaticClass() and the virtual ClassType().
#define CLASS_INFO(Self, Parent)                                                                           \
 public:                                                                                                   \
  using inherited = Parent;                                                                                \
  static TClass StaticClass() {                                                                            \
    static const TClassInfo info(#Self, Parent::StaticClass(), &::classlib_detail::CreateInstance<Self>); \
    return &info;                                                                                          \
  }                                                                                                        \
  TClass ClassType() const override { return StaticClass(); }                                              \
                                                                                                           \
 private:

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass() {
    static const TClassInfo info("TObject", nullptr, &::classlib_detail::CreateInstance<TObject>);
    return &info;
  }
  virtual TClass ClassType() const { return StaticClass(); }
  AnsiString ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
};

// Frees an object and clears the pointer to it.
template <class T>
void FreeAndNil(T*& p) {
  T* q = p;
  p = nullptr;
  delete q;
}

// A method pointer: an object and one of its methods, or any callable. Events are fields of this
// type; they compare equal when they name the same object and method (or the same callable),
// so that a handler can find and detach itself. An empty closure does nothing when called.
template <class Sig>
class Closure;

template <class R, class... A>
class Closure<R(A...)> {
  struct Probe {
    void Method();
  };
  using Thunk = R (*)(const Closure&, A...);
  static constexpr std::size_t kMethodSize = sizeof(void (Probe::*)());

public:
  Closure() noexcept = default;
  Closure(std::nullptr_t) noexcept {}

  template <class C, class M>
    requires std::is_base_of_v<M, C>
  Closure(C* object, R (M::*method)(A...)) : object_(static_cast<M*>(object)) {
    static_assert(sizeof(method) <= kMethodSize);
    std::memcpy(method_, &method, sizeof(method));
    thunk_ = &CallMethod<M, R (M::*)(A...)>;
  }

  template <class C, class M>
    requires std::is_base_of_v<M, C>
  Closure(C* object, R (M::*method)(A...) const) : object_(static_cast<M*>(object)) {
    static_assert(sizeof(method) <= kMethodSize);
    std::memcpy(method_, &method, sizeof(method));
    thunk_ = &CallMethod<M, R (M::*)(A...) const>;
  }

  // Any callable (a lambda in a test, a free function). Copies of the result compare equal.
  template <class F>
  static Closure FromFunction(F f) {
    Closure c;
    auto holder = std::make_shared<std::function<R(A...)>>(std::move(f));
    c.object_ = holder.get();
    c.function_ = std::move(holder);
    c.thunk_ = &CallFunction;
    return c;
  }

  explicit operator bool() const noexcept { return thunk_ != nullptr; }

  R operator()(A... args) const {
    if (!thunk_) {
      if constexpr (std::is_void_v<R>)
        return;
      else
        return R{};
    }
    return thunk_(*this, std::forward<A>(args)...);
  }

  // The object the method belongs to (nullptr for an empty closure).
  void* Object() const noexcept { return function_ ? nullptr : object_; }

  friend bool operator==(const Closure& a, const Closure& b) noexcept {
    return a.thunk_ == b.thunk_ && a.object_ == b.object_ && std::memcmp(a.method_, b.method_, kMethodSize) == 0;
  }
  friend bool operator==(const Closure& a, std::nullptr_t) noexcept { return !a.thunk_; }

private:
  template <class M, class P>
  static R CallMethod(const Closure& c, A... args) {
    P method;
    std::memcpy(&method, c.method_, sizeof(method));
    return (static_cast<M*>(c.object_)->*method)(std::forward<A>(args)...);
  }
  static R CallFunction(const Closure& c, A... args) { return (*c.function_)(std::forward<A>(args)...); }

  void* object_ = nullptr;
  Thunk thunk_ = nullptr;
  alignas(void*) unsigned char method_[kMethodSize] = {};
  std::shared_ptr<std::function<R(A...)>> function_;
};

using TNotifyEvent = Closure<void(TObject* Sender)>;

// The root exception. Message holds the text shown to the user.
class Exception : public TObject, public std::exception {
  CLASS_INFO(Exception, TObject)
public:
  explicit Exception(AnsiString message = AnsiString()) : Message(std::move(message)) {}
  Exception(AnsiString message, int helpContext) : Message(std::move(message)), HelpContext(helpContext) {}
  Exception(const Exception& e) : TObject(), std::exception(e), Message(e.Message), HelpContext(e.HelpContext) {}
  const char* what() const noexcept override { return Message.c_str(); }

  AnsiString Message;
  int HelpContext = 0;
};

// Geometry records, laid out like the Windows POINT, SIZE and RECT records.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const noexcept { return Right - Left; }
  int Height() const noexcept { return Bottom - Top; }
  TPoint TopLeft() const noexcept { return {Left, Top}; }
  TPoint BottomRight() const noexcept { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) noexcept { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) noexcept { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) noexcept {
  return {left, top, left + width, top + height};
}
