#include "platform/component/ObjectReader.h"

#include <algorithm>
#include <cmath>

#include "platform/component/Collection.h"
#include "platform/component/Cp936.h"
#include "platform/component/Unicode.h"

namespace {

// Hands one named value to the object's extra stored properties.
class DefinedPropertyReader : public TFiler {
 public:
  DefinedPropertyReader(std::string_view name, const TFormValue& value)
      : name_(name), value_(value) {}
  void DefineProperty(const char* name, const Reader& read, const Writer&, bool) override {
    if (handled_ || !SameText(name, name_)) return;
    handled_ = true;
    read(value_);
  }
  bool handled() const { return handled_; }

 private:
  std::string_view name_;
  const TFormValue& value_;
  bool handled_ = false;
};

int64_t Ordinal(const TFormValue& value) {
  if (!value.IsInteger()) throw EReadError("integer expected");
  return value.integer;
}

// A number the property can hold: an 80-bit value beyond its type would arrive as infinity.
double Number(const TFormValue& value, double largest) {
  if (value.type != TValueType::Extended) return double(Ordinal(value));
  const long double v = ExtendedToLongDouble(value.extended);
  if (!std::isfinite(v)) throw EReadError("invalid number");
  if (std::fabs(v) > largest) throw EReadError("number out of range");
  return double(v);
}

int64_t EnumValue(const TEnumInfo& names, const TFormValue& value) {
  if (value.type != TValueType::Ident) {
    // An ordinal beyond the names would leave the property holding no value of its type.
    const int64_t ordinal = Ordinal(value);
    if (ordinal < 0 || ordinal >= int64_t(names.names.size()))
      throw EReadError("value out of range");
    return ordinal;
  }
  const int index = names.Find(value.text);
  if (index < 0) throw EReadError("unknown value " + value.text);
  return index;
}

int64_t SetValue(const TEnumInfo& names, const TFormValue& value) {
  if (value.type != TValueType::Set) throw EReadError("set expected");
  int64_t bits = 0;
  for (const std::string& name : value.SetNames()) {
    const int index = names.Find(name);
    if (index < 0 || index > 31) throw EReadError("unknown set element " + name);
    bits |= int64_t(1) << index;
  }
  return bits;
}

void ReadCollection(TCollection& collection, const TFormValue& value,
                    const std::function<void(TObject&, const TFormProperty&)>& readProp) {
  if (value.type != TValueType::Collection) throw EReadError("collection expected");
  collection.BeginUpdate();
  collection.Clear();
  for (const TFormItem& item : value.CollectionItems()) {
    TCollectionItem* target = collection.Add();
    for (const TFormProperty& prop : item.props) readProp(*target, prop);
  }
  collection.EndUpdate();
}

// The parts of a read and of a built form, for the reading that takes either.
std::string_view ClassNameOf(const TFormNode& form) {
  return form.ClassName();
}
std::string_view ClassNameOf(const TFormObject& form) {
  return form.className;
}
std::string_view NameOf(const TFormNode& form) {
  return form.Name();
}
std::string_view NameOf(const TFormObject& form) {
  return form.name;
}
TFormEntries<TFormProperty> PropertiesOf(const TFormNode& form) {
  return form.Properties();
}
const std::vector<TFormProperty>& PropertiesOf(const TFormObject& form) {
  return form.props;
}
TFormNodes ChildrenOf(const TFormNode& form) {
  return form.Children();
}
const std::vector<TFormObject>& ChildrenOf(const TFormObject& form) {
  return form.children;
}

}  // namespace

bool FormClassesRegistered(TFormNode form) {
  const TClassInfo* info = FindClass(form.ClassName());
  const TFormNodes children = form.Children();
  return info && info->create &&
         std::all_of(children.begin(), children.end(), FormClassesRegistered);
}

std::string FormValueText(const TFormValue& value) {
  switch (value.type) {
    case TValueType::String:
    case TValueType::LString:
      return IsAscii(value.text) ? value.text : Utf16ToUtf8(Cp936ToUtf16(value.text));
    case TValueType::Utf8String:
      return value.text;
    case TValueType::WString:
      return Utf16ToUtf8(value.WideText());
    default:
      throw EReadError("string expected");
  }
}

std::u16string FormValueWide(const TFormValue& value) {
  if (value.type == TValueType::WString) return value.WideText();
  return Utf8ToUtf16(FormValueText(value));
}

void TObjectReader::ReadInto(TComponent& root, const TFormData& form) {
  ReadRoot(root, form.Root());
}

void TObjectReader::ReadInto(TComponent& root, const TFormObject& form) {
  ReadRoot(root, form);
}

template <class Form>
void TObjectReader::ReadRoot(TComponent& root, const Form& form) {
  root_ = &root;
  root.SetState(csLoading | csReading, true);
  loaded_.push_back(&root);
  ReadProperties(root, PropertiesOf(form));
  for (const auto& child : ChildrenOf(form)) ReadComponent(child, &root);
  ResolveFixups();
  for (TComponent* component : loaded_) {
    component->SetState(csReading, false);
    component->Loaded();
  }
  loaded_.clear();
}

template <class Form>
void TObjectReader::ReadComponent(const Form& form, TComponent* parent) {
  const std::string_view className = ClassNameOf(form);
  const TClassInfo* info = FindClass(className);
  TComponent* component = info ? info->Create(root_) : nullptr;
  if (!component) return Error("class " + std::string(className) + " not found");
  component->SetState(csLoading | csReading, true);
  const std::string_view name = NameOf(form);
  if (!options_.clearNames && !name.empty()) {
    try {
      component->SetName(std::string(name));
    } catch (const Exception& e) {
      Error(e.what());
    }
  }
  component->SetParentComponent(parent);
  loaded_.push_back(component);
  ReadProperties(*component, PropertiesOf(form));
  for (const auto& child : ChildrenOf(form)) ReadComponent(child, component);
}

template <class Properties>
void TObjectReader::ReadProperties(TComponent& component, const Properties& props) {
  for (const TFormProperty& prop : props) {
    try {
      ReadProperty(component, prop);
    } catch (const Exception& e) {
      Error(component.ClassName() + "." + prop.name + ": " + e.what());
    }
  }
}

void TObjectReader::ReadProperty(TComponent& component, const TFormProperty& prop) {
  if (!ApplyPath(component, prop) && !component.KeepUnknownProperty(prop))
    throw EReadError("unknown property");
}

bool TObjectReader::ApplyPath(TObject& start, const TFormProperty& prop) {
  TObject* target = &start;
  std::string_view path = prop.name;
  for (size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
    const TPropInfo* info = target->ClassType().FindProp(path.substr(0, dot));
    target = info && info->kind == TPropKind::Object ? info->getObject(*target) : nullptr;
    if (!target) return false;
    path.remove_prefix(dot + 1);
  }
  DefinedPropertyReader filer(path, prop.value);
  target->DefineProperties(filer);
  if (filer.handled()) return true;
  const TPropInfo* info = target->ClassType().FindProp(path);
  if (!info) return false;
  Apply(*target, *info, prop.value);
  return true;
}

void TObjectReader::Apply(TObject& target, const TPropInfo& info, const TFormValue& value) {
  switch (info.kind) {
    case TPropKind::Integer:
      return info.setOrdinal(target, Ordinal(value));
    case TPropKind::Bool:
      if (value.type != TValueType::True && value.type != TValueType::False)
        throw EReadError("boolean expected");
      return info.setOrdinal(target, value.type == TValueType::True);
    case TPropKind::Enum:
      return info.setOrdinal(target, EnumValue(*info.names, value));
    case TPropKind::Set:
      return info.setOrdinal(target, SetValue(*info.names, value));
    case TPropKind::Float:
      return info.setFloat(target, Number(value, info.largestFloat));
    case TPropKind::String:
      return info.setString(target, FormValueText(value));
    case TPropKind::WString:
      return info.setWide(target, FormValueWide(value));
    case TPropKind::Object: {
      auto* collection = dynamic_cast<TCollection*>(info.getObject(target));
      if (!collection) throw EReadError("value for an object property");
      // Items take the same dotted paths and extra stored properties the writer gives them.
      return ReadCollection(*collection, value, [this](TObject& item, const TFormProperty& prop) {
        try {
          if (!ApplyPath(item, prop)) Error("unknown item property " + prop.name);
        } catch (const Exception& e) {
          Error(prop.name + ": " + e.what());
        }
      });
    }
    case TPropKind::Component:
      if (value.type != TValueType::Ident) throw EReadError("component name expected");
      fixups_.push_back({&target, &info, value.text});
      return;
    case TPropKind::Method: {
      if (value.type != TValueType::Ident) throw EReadError("method name expected");
      const TMethodInfo* method = root_->ClassType().FindMethod(value.text);
      if (!method || method->eventType != info.eventType)
        throw EReadError("method " + value.text + " not found");
      return info.setMethod(target, TMethod{root_, method});
    }
  }
}

void TObjectReader::ResolveFixups() {
  for (const Fixup& fixup : fixups_) {
    TComponent* found = root_->FindComponent(fixup.name);
    if (!found && root_->Owner()) found = root_->Owner()->FindComponent(fixup.name);
    if (!found || !found->InheritsFrom(fixup.prop->objectClass())) {
      Error("component " + fixup.name + " not found");
      continue;
    }
    fixup.prop->setObject(*fixup.instance, found);
  }
  fixups_.clear();
}
