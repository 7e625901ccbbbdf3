#include "scene/controls/WideStrings.h"

#include <utility>

#include "platform/component/FormData.h"
#include "platform/component/ObjectReader.h"

LC_PUBLISH(TvxWideStrings) {}

void TvxWideStrings::SetStrings(std::vector<std::u16string> value) {
  if (value == strings_) return;
  strings_ = std::move(value);
  OnChange(this);
}

void TvxWideStrings::Add(const std::u16string& text) {
  strings_.push_back(text);
  OnChange(this);
}

void TvxWideStrings::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TvxWideStrings*>(&source))
    return SetStrings(other->strings_);
  TPersistent::Assign(source);
}

void TvxWideStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](const TFormValue& value) {
        // Entries that are no text are skipped, not read as empty lines.
        std::vector<std::u16string> strings;
        if (value.type == TValueType::List)
          for (const TFormValue& entry : value.ListValues())
            if (entry.IsString()) strings.push_back(FormValueWide(entry));
        SetStrings(std::move(strings));
      },
      [this] {
        TFormValue list = TFormValue::Compound(TValueType::List);
        for (const std::u16string& text : strings_) list.AppendListValue(TFormValue::Wide(text));
        return list;
      },
      !strings_.empty());
}
