#include "scene/core/ObjectText.h"

#include "platform/component/FormText.h"
#include "platform/component/ObjectWriter.h"

TvxObject* CreateObjectFromStream(TComponent* owner, TMemoryStream& stream) {
  try {
    const auto rest = stream.Remaining();
    const TFormObject form =
        ReadFormText(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
    TMemoryStream binary(WriteFormBinary(form));
    return CreateObjectFromBinStream(owner, binary);
  } catch (const EFormError&) {
    return nullptr;
  }
}

std::string ObjectToText(TvxObject& object) {
  return WriteFormText(TObjectWriter(object).Write(object));
}
