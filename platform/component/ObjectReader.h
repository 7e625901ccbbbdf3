#pragma once

// Applies form data to components: creates the nested objects by class name, sets
// properties by dotted path, resolves component references when reading ends, and binds
// event properties to the methods the root publishes.

#include <string>
#include <vector>

#include "platform/component/Component.h"
#include "platform/component/FormData.h"

class TObjectReader {
 public:
  struct Options {
    bool clearNames = false;  // every object name read is replaced by an empty one
  };

  TObjectReader() = default;
  explicit TObjectReader(Options options) : options_(options) {}

  // Reads the root object's properties and children into `root`. Properties and objects
  // that cannot be applied are skipped and listed in Errors(). A built form is read as it
  // is, without encoding it first (cloning goes that way).
  void ReadInto(TComponent& root, const TFormData& form);
  void ReadInto(TComponent& root, const TFormObject& form);
  const std::vector<std::string>& Errors() const { return errors_; }

 private:
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    std::string name;
  };

  template <class Form>
  void ReadRoot(TComponent& root, const Form& form);
  template <class Form>
  void ReadComponent(const Form& form, TComponent* parent);
  template <class Properties>
  void ReadProperties(TComponent& component, const Properties& props);
  void ReadProperty(TComponent& component, const TFormProperty& prop);
  // Follows the property's dotted path from `start` and applies the value; false when nothing
  // on the path takes it.
  bool ApplyPath(TObject& start, const TFormProperty& prop);
  void Apply(TObject& target, const TPropInfo& info, const TFormValue& value);
  void ResolveFixups();
  void Error(const std::string& message) { errors_.push_back(message); }

  Options options_;
  TComponent* root_ = nullptr;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
  std::vector<std::string> errors_;
};

// A property value could not be applied.
class EReadError : public Exception {
 public:
  using Exception::Exception;
};

// Whether the registry knows the class of the object and of every object nested in it.
bool FormClassesRegistered(TFormNode form);

// The text of a string value as UTF-8, decoding 8-bit text from code page 936.
std::string FormValueText(const TFormValue& value);
std::u16string FormValueWide(const TFormValue& value);
