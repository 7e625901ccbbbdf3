#include "platform/component/ObjectWriter.h"

#include "platform/component/Collection.h"
#include "platform/component/Unicode.h"

namespace {

class DefinedPropertyWriter : public TFiler {
 public:
  DefinedPropertyWriter(const std::string& prefix, std::vector<TFormProperty>& out)
      : prefix_(prefix), out_(out) {}
  void DefineProperty(const char* name, const Reader&, const Writer& write, bool hasData) override {
    if (hasData) out_.push_back({prefix_ + name, write()});
  }

 private:
  const std::string& prefix_;
  std::vector<TFormProperty>& out_;
};

TFormValue SetFormValue(const TEnumInfo& names, int64_t bits) {
  TFormValue value = TFormValue::Compound(TValueType::Set);
  for (size_t i = 0; i < names.names.size() && i < 32; ++i)
    if (bits & (int64_t(1) << i)) value.AppendSetName(names.names[i]);
  return value;
}

}  // namespace

TFormValue TextFormValue(const std::string& text) {
  return IsAscii(text) ? TFormValue::String(text) : TFormValue::Wide(Utf8ToUtf16(text));
}

TFormValue WideFormValue(const std::u16string& text) {
  for (char16_t c : text)
    if (c > 127) return TFormValue::Wide(text);
  return TFormValue::String(std::string(text.begin(), text.end()));
}

TFormObject TObjectWriter::Write(TComponent& component) {
  TFormObject form;
  form.className = component.ClassName();
  form.name = component.Name();
  WriteProperties(component, {}, form.props);
  if (const auto* kept = component.KeptProperties())
    form.props.insert(form.props.end(), kept->begin(), kept->end());
  component.GetChildren([&](TComponent* child) { form.children.push_back(Write(*child)); }, &root_);
  return form;
}

void TObjectWriter::WriteProperties(TObject& object, const std::string& prefix,
                                    std::vector<TFormProperty>& out) {
  for (const TPropInfo* info : object.ClassType().AllProps()) {
    if (info->store == TPropInfo::Store::Never) continue;
    if (info->store == TPropInfo::Store::Custom && !info->isStored(object)) continue;
    TFormValue value;
    if (info->kind == TPropKind::Object) {
      TObject* sub = info->getObject(object);
      auto* collection = sub && sub->InheritsFrom(TCollection::StaticClass())
                             ? static_cast<TCollection*>(sub)
                             : nullptr;
      if (collection && collection->Count() > 0) {
        value.type = TValueType::Collection;
        for (int i = 0; i < collection->Count(); ++i) {
          TFormItem item;
          WriteProperties(*collection->Item(i), {}, item.props);
          value.AppendCollectionItem(item);
        }
        out.push_back({prefix + info->name, std::move(value)});
      } else if (sub && !collection) {
        WriteProperties(*sub, prefix + info->name + ".", out);
      }
    } else if (info->IsStored(object) && ValueOf(object, *info, value)) {
      out.push_back({prefix + info->name, std::move(value)});
    }
  }
  DefinedPropertyWriter filer(prefix, out);
  object.DefineProperties(filer);
}

bool TObjectWriter::ValueOf(TObject& object, const TPropInfo& info, TFormValue& value) {
  switch (info.kind) {
    case TPropKind::Integer:
      value = TFormValue::Integer(info.getOrdinal(object));
      return true;
    case TPropKind::Bool:
      value = TFormValue::Bool(info.getOrdinal(object) != 0);
      return true;
    case TPropKind::Enum:
      value = TFormValue::Ident(info.names->Name(info.getOrdinal(object)));
      return !value.text.empty();
    case TPropKind::Set:
      value = SetFormValue(*info.names, info.getOrdinal(object));
      return true;
    case TPropKind::Float:
      value = TFormValue::Float(info.getFloat(object));
      return true;
    case TPropKind::String:
      value = TextFormValue(info.getString(object));
      return true;
    case TPropKind::WString:
      value = WideFormValue(info.getWide(object));
      return true;
    case TPropKind::Component: {
      auto* component = dynamic_cast<TComponent*>(info.getObject(object));
      if (!component || component->Name().empty()) return false;
      std::string name = component->Name();
      if (component->Owner() != &root_) {
        if (!component->Owner() || component->Owner()->Name().empty()) return false;
        name = component->Owner()->Name() + "." + name;
      }
      value = TFormValue::Ident(name);
      return true;
    }
    case TPropKind::Method: {
      const TMethod method = info.getMethod(object);
      if (method.data != &root_ || !method.code) return false;
      value = TFormValue::Ident(method.code->name);
      return true;
    }
    case TPropKind::Object:
      return false;
  }
  return false;
}
