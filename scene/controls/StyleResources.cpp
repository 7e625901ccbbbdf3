#include "scene/controls/StyleResources.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ProgramFile.h"
#include "platform/component/FormData.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/ObjectText.h"
#include "scene/core/VisualObject.h"

namespace {

void ClearDesignHide(TvxObject& object) {
  if (object.IsVisual()) static_cast<TvxVisualObject&>(object).SetDesignHide(false);
  for (int i = 0; i < object.ChildrenCount(); ++i) ClearDesignHide(*object.Children(i));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// The file a name stands for: beside the running program first, then as given.
std::filesystem::path FindStyleFile(const std::string& name) {
  std::error_code error;
  const std::filesystem::path program = ProgramFile();
  if (!program.empty()) {
    const std::filesystem::path beside = program.parent_path() / name;
    if (std::filesystem::is_regular_file(beside, error)) return beside;
  }
  if (std::filesystem::is_regular_file(name, error)) return name;
  return {};
}

}  // namespace

LC_PUBLISH(TvxResources) {
  p.String("Resource", &TvxResources::Text, &TvxResources::SetText).NoStore();
  p.String("FileName", &TvxResources::FileName, &TvxResources::SetFileName);
}

TvxResources::TvxResources(TComponent* owner) : TComponent(owner) {}

TvxResources::~TvxResources() {
  root_.reset();
  while (!scenes_.empty()) {
    IvxScene* scene = scenes_.back();
    scenes_.pop_back();
    if (scene->GetStyle() == this) scene->SetStyle(nullptr);
  }
}

void TvxResources::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  const std::string text = Text();
  TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
  SetRoot(CreateObjectFromStream(nullptr, stream));
}

std::string TvxResources::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\n";
  return text;
}

void TvxResources::SetText(const std::string& text) {
  SetLines(SplitLines(text));
}

void TvxResources::SetFileName(const std::string& value) {
  if (value == fileName_) return;
  fileName_ = value;
  if (!HasState(csLoading)) LoadFile();
}

void TvxResources::Loaded() {
  TComponent::Loaded();
  LoadFile();
}

void TvxResources::LoadFile() {
  if (fileName_.empty()) return;
  const std::filesystem::path path = FindStyleFile(fileName_);
  if (path.empty()) return;
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (file) SetText(text.str());
}

void TvxResources::SetRoot(TvxObject* root) {
  root_.reset(root);
  if (root_) ClearDesignHide(*root_);
  const std::vector<IvxScene*> scenes = scenes_;
  for (IvxScene* scene : scenes) scene->UpdateStyle();
}

void TvxResources::AddScene(IvxScene* scene) {
  if (scene && std::find(scenes_.begin(), scenes_.end(), scene) == scenes_.end())
    scenes_.push_back(scene);
}

void TvxResources::RemoveScene(IvxScene* scene) {
  std::erase(scenes_, scene);
}

void TvxResources::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "ResourcesBin",
      [this](const TFormValue& value) {
        if (value.type != TValueType::Binary) return;
        TMemoryStream stream(std::vector<uint8_t>(value.text.begin(), value.text.end()));
        SetRoot(CreateObjectFromBinStream(nullptr, stream));
      },
      [this] {
        const std::vector<uint8_t> bytes = WriteFormBinary(TObjectWriter(*root_).Write(*root_));
        return TFormValue::Bytes(std::string(bytes.begin(), bytes.end()));
      },
      root_ != nullptr);
}
