#pragma once

// The roots of the component model: every streamable class derives from TPersistent and
// describes itself through a TClassInfo (published properties, published methods, creation
// by name).

#include <functional>
#include <string>

struct TClassInfo;
struct TFormValue;
class TComponent;

// Extra stored properties that are not published properties, such as a position's "Point".
class TFiler {
 public:
  using Reader = std::function<void(const TFormValue&)>;
  using Writer = std::function<TFormValue()>;
  virtual ~TFiler() = default;
  // `read` receives the stored value when reading; `write` gives it when writing, and is
  // asked only when `hasData` is true.
  virtual void DefineProperty(const char* name, const Reader& read, const Writer& write,
                              bool hasData) = 0;
};

class TObject {
 public:
  virtual ~TObject() = default;
  // The class this instance presents to streaming and lookups by name; a placeholder class
  // read from form data answers its own name while running its base class's code.
  const TClassInfo& ClassType() const;
  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& info) const;
  static const TClassInfo& StaticClass();
  // Declares stored properties beyond the published ones (see TFiler).
  virtual void DefineProperties(TFiler&) {}

 protected:
  virtual const TClassInfo& StaticClassType() const { return StaticClass(); }
  void SetPlaceholderClass(const TClassInfo* info) { placeholder_ = info; }

 private:
  friend struct TClassInfo;
  const TClassInfo* placeholder_ = nullptr;
};

class TPersistent : public TObject {
 public:
  static const TClassInfo& StaticClass();
  // Copies the state of `source`; throws EConvertError when the classes do not fit.
  virtual void Assign(const TPersistent& source);
  // The component that streams this object as a sub-object, if any.
  virtual TComponent* StreamOwner() const { return nullptr; }

 protected:
  const TClassInfo& StaticClassType() const override { return StaticClass(); }
  // Called when `Assign` cannot copy from `source` itself: lets this object copy into
  // `dest`. The base reports the mismatch.
  virtual void AssignTo(TPersistent& dest) const;
};
