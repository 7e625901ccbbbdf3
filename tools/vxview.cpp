// vxview: shows form data live in a window, for form authors and tests.
//   vxview FORM [--trace]
// FORM is a file of form data in text or binary form, or res:NAME for an embedded resource. A
// form is read as the program reads it and shown with its scene; any other top object must be
// a visual object and is shown as the root of a scene of its own size. Controls take input and
// animations run; closing the window ends the viewer with exit code 0. Failures are one line
// "vxview: FORM: DETAIL" with exit code 1, bad usage exits with 2.
// --trace prints, flushed, one line per firing of a control's OnClick, OnChange,
// OnChangeTracking, OnTyping, OnEnterFocus, OnKillFocus, OnDayChange or OnClosePopup:
//   EVENT NAME VALUE
// NAME is the sender's name ("-" for none), VALUE what it offers to data binding, as text
// (empty when it offers nothing; line breaks and backslashes escaped as \n, \r and \\).
// Objects that appear later, such as the contents of popups, are traced from then on.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <new>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/DryRunPowerActions.h"
#include "platform/Form.h"
#include "platform/NativeProgram.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/EngineStart.h"
#include "scene/core/Variant.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

// Larger windows are refused rather than allocated.
constexpr int kMaxWindowSide = 16384;
// How often objects that appeared since are looked for.
constexpr uint32_t kWatchIntervalMs = 100;
constexpr const char* kTooLarge = "too large to hold in memory";

constexpr std::string_view kTracedEvents[] = {"OnClick",     "OnChange",     "OnChangeTracking",
                                              "OnTyping",    "OnEnterFocus", "OnKillFocus",
                                              "OnDayChange", "OnClosePopup"};

// A failure reported as "vxview: SUBJECT: DETAIL", exit code 1.
struct TFailure {
  std::string subject;
  std::string detail;
};

struct TOptions {
  std::string form;
  bool trace = false;
};

bool ParseArguments(int argc, char** argv, TOptions& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--trace") {
      options.trace = true;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1) return false;
  options.form = positional[0];
  return true;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw TFailure{path, "cannot read"};
  std::vector<uint8_t> data;
  uint8_t buffer[65536];
  while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
    data.insert(data.end(), buffer, buffer + n);
  const bool failed = std::ferror(file);
  std::fclose(file);
  if (failed) throw TFailure{path, "cannot read"};
  return data;
}

TFormObject ParseForm(const std::string& form) {
  std::vector<uint8_t> file;
  std::span<const uint8_t> bytes;
  if (form.starts_with("res:")) {
    bytes = FindEmbeddedResource(form.substr(4));
    if (bytes.empty()) throw TFailure{form, "no such resource"};
  } else {
    file = ReadFile(form);
    bytes = file;
  }
  try {
    return ReadFormData(bytes);
  } catch (const EFormError& error) {
    throw TFailure{form, error.what()};
  }
}

int WindowSide(float extent, const std::string& name) {
  const double side = std::round(double(extent));
  if (!(side >= 1)) throw TFailure{name, "nothing to show: the size is empty"};
  if (side > kMaxWindowSide) throw TFailure{name, "the window would be too large"};
  return int(side);
}

// A scene that fills the form's client area.
TvxCustomScene* FillForm(TForm& form) {
  auto* scene = new TvxScene(&form);
  scene->SetAlign(alClient);
  scene->SetForm(&form);
  return scene;
}

// A form is read as the program reads it, scene and all; a form without a scene gets an
// empty one.
std::unique_ptr<TForm> ReadForm(const TFormObject& data, const std::string& name) {
  auto form = std::make_unique<TForm>(nullptr);
  TObjectReader().ReadInto(*form, data);
  bool hasScene = false;
  for (int i = 0; i < form->ComponentCount(); ++i)
    hasScene = hasScene || dynamic_cast<TvxCustomScene*>(form->Components(i));
  if (!hasScene) FillForm(*form);
  WindowSide(float(form->ClientWidth()), name);
  WindowSide(float(form->ClientHeight()), name);
  return form;
}

// A lone object becomes the root of a scene of its own size, in a form titled by its file.
// References to components outside the tree stay unresolved.
std::unique_ptr<TForm> ReadLoneObject(const TFormObject& data, const std::string& name) {
  auto* object = static_cast<TvxVisualObject*>(FindClass(data.className)->Create(nullptr));
  std::unique_ptr<TvxVisualObject> guard(object);
  try {
    object->SetName(data.name);
  } catch (const Exception&) {
    // A name the tree cannot take leaves the object unnamed.
  }
  TObjectReader().ReadInto(*object, data);
  const int width = WindowSide(object->Width(), name);
  const int height = WindowSide(object->Height(), name);
  auto form = std::make_unique<TForm>(nullptr);
  form->SetCaption(name);
  form->SetBounds({0, 0, width, height});
  FillForm(*form)->AddObject(guard.release());
  return form;
}

std::unique_ptr<TForm> ReadShown(const TFormObject& data, const std::string& name) {
  const TClassInfo* info = FindClass(data.className);
  if (info && info->InheritsFrom(TvxVisualObject::StaticClass())) return ReadLoneObject(data, name);
  // The program's own form classes are not known here: anything unknown is taken as a form.
  if (!info || info->InheritsFrom(TForm::StaticClass())) return ReadForm(data, name);
  throw TFailure{name, data.className + " is neither a form nor a visual object"};
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

// Prints one line per firing of the traced events of every component it watches.
class TEventTracer final : public IEventWatcher {
 public:
  explicit TEventTracer(std::ostream& out) : out_(out) {}

  // Watches the components `form` owns, at any depth, and every scene's object trees; what
  // is watched already stays watched.
  void WatchAll(TComponent& form) {
    std::unordered_set<TComponent*> seen;
    Watch(form, seen);
    for (IvxScene* scene : Scenes()) {
      if (TComponent* component = scene->GetComponent()) Watch(*component, seen);
      if (TvxVisualObject* root = scene->GetRoot()) Watch(*root, seen);
    }
  }

  void EventFired(TObject& sender, const TPropInfo& event) override {
    auto* component = dynamic_cast<TComponent*>(&sender);
    const std::string name = component && !component->Name().empty() ? component->Name() : "-";
    auto* object = dynamic_cast<TvxObject*>(&sender);
    const std::string value = object ? Escaped(VariantToText(object->GetData())) : std::string();
    out_ << event.name << ' ' << name << ' ' << value << std::endl;
  }

 private:
  void Watch(TComponent& component, std::unordered_set<TComponent*>& seen) {
    if (!seen.insert(&component).second) return;
    for (const TPropInfo* event : TracedEvents(component.ClassType()))
      event->watch(component, this);
    for (int i = 0; i < component.ComponentCount(); ++i) Watch(*component.Components(i), seen);
    component.GetChildren([this, &seen](TComponent* child) { Watch(*child, seen); }, nullptr);
    if (auto* object = dynamic_cast<TvxObject*>(&component))
      for (int i = 0; i < object->ChildrenCount(); ++i) Watch(*object->Children(i), seen);
  }

  const std::vector<const TPropInfo*>& TracedEvents(const TClassInfo& info) {
    auto [entry, added] = events_.try_emplace(&info);
    if (!added) return entry->second;
    for (const TPropInfo* prop : info.AllProps()) {
      const bool traced = std::find(std::begin(kTracedEvents), std::end(kTracedEvents),
                                    prop->name) != std::end(kTracedEvents);
      if (traced && prop->kind == TPropKind::Method && prop->watch) entry->second.push_back(prop);
    }
    return entry->second;
  }

  std::ostream& out_;
  std::unordered_map<const TClassInfo*, std::vector<const TPropInfo*>> events_;
};

// Shows the form until its window is closed; with a tracer, objects that appear meanwhile are
// watched too.
void Show(TForm& form, TEventTracer* tracer) {
  std::unique_ptr<ITimer> watcher;
  if (tracer) {
    tracer->WatchAll(form);
    watcher = Platform().loop->CreateTimer();
    watcher->SetInterval(kWatchIntervalMs);
    watcher->SetOnTimer([tracer, &form] { tracer->WatchAll(form); });
    watcher->SetEnabled(true);
  }
  form.Show();
  Platform().loop->RunUntil([&form] { return form.Closed(); });
}

int Fail(const TFailure& failure) {
  std::cerr << "vxview: " << failure.subject << ": " << failure.detail << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseArguments(argc, argv, options)) {
    std::cerr << "usage: vxview FORM [--trace]\n";
    return 2;
  }
  // Nothing shown here can issue a power action; should anything try, it is only printed.
  TNativeProgram program(argc, argv, TDryRunPowerActions::ForThisSystem(std::cerr));
  UseRasterBackend();
  StartEngine();
  // Declared before the form, so that it outlives every event it watches.
  TEventTracer tracer(std::cout);
  try {
    const std::unique_ptr<TForm> form = ReadShown(ParseForm(options.form), options.form);
    Show(*form, options.trace ? &tracer : nullptr);
  } catch (const TFailure& failure) {
    return Fail(failure);
  } catch (const std::bad_alloc&) {
    return Fail({options.form, kTooLarge});
  } catch (const std::length_error&) {
    return Fail({options.form, kTooLarge});
  }
  return 0;
}
