// vxrender: renders form data to a PNG image.
//   vxrender FORM OUT.png [--scale S] [--layout]
// FORM is a file of form data in text or binary form, or res:NAME for an embedded resource.
// A form is rendered at its client size with the object trees of its scene; any other top
// object must be a visual object and is rendered alone at its own size. Pixels nothing covers
// stay fully transparent. Animations do not run; classes that cannot draw are skipped.
// --scale multiplies the image size; --layout prints one line per visual object, depth first:
//   Name ClassName left top right bottom opacity
// with the absolute rectangle in scene units and the absolute opacity ("-" for no name).

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Resources.h"
#include "platform/component/FormData.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/core/AnimationClasses.h"
#include "scene/core/Registration.h"
#include "scene/core/ValueText.h"
#include "scene/core/VisualClasses.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/Effects.h"
#include "scene/graphics/Filter.h"
#include "scene/graphics/GraphicsClasses.h"
#include "scene/graphics/ShapeClasses.h"
#include "scene/graphics/qt/QtBackend.h"

namespace {

// Larger images are refused rather than allocated.
constexpr int kMaxImageSide = 16384;

// A failure reported as "vxrender: SUBJECT: DETAIL", exit code 1.
struct TFailure {
  std::string subject;
  std::string detail;
};

struct TOptions {
  std::string form;
  std::string out;
  float scale = 1;
  bool layout = false;
};

bool ParseArguments(int argc, char** argv, TOptions& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--layout") {
      options.layout = true;
    } else if (arg == "--scale" && i + 1 < argc) {
      if (!TryTextToFloat(argv[++i], options.scale) || !(options.scale > 0)) return false;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return false;
  options.form = positional[0];
  options.out = positional[1];
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

std::vector<uint8_t> ReadFormBytes(const std::string& form) {
  if (!form.starts_with("res:")) return ReadFile(form);
  const std::span<const uint8_t> data = FindEmbeddedResource(form.substr(4));
  if (data.empty()) throw TFailure{form, "no such resource"};
  return {data.begin(), data.end()};
}

TFormObject ParseForm(const std::string& form) {
  const std::vector<uint8_t> bytes = ReadFormBytes(form);
  try {
    if (!HasFormSignature(bytes))
      return ReadFormText({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    size_t pos = 0;
    TFormObject object = ReadFormBinary(bytes, &pos);
    if (pos != bytes.size()) throw EFormError(pos, "data after the form's end");
    return object;
  } catch (const EFormError& error) {
    throw TFailure{form, error.what()};
  }
}

void RegisterEngineClasses() {
  std::vector<const TClassInfo*> classes;
  RegisterVisualClasses(classes);
  RegisterGraphicsClasses(classes);
  RegisterEffectClasses(classes);
  RegisterAnimationClasses(classes);
  RegisterShapeClasses(classes);
  RegisterObjects(classes);
}

bool IsVisualClass(const TClassInfo* info) {
  return info && info->InheritsFrom(TvxVisualObject::StaticClass());
}

// What is rendered: the root objects of a scene of the given size. The objects are owned by
// `owner`.
struct TRenderTree {
  std::unique_ptr<TComponent> owner;
  std::vector<TvxVisualObject*> roots;
  float width = 0;
  float height = 0;
  // A lone object is drawn at the image's origin; scene roots at their positions.
  bool alone = false;
};

// Names are taken as they are; references to components outside the tree stay unresolved.
TvxVisualObject* ReadVisualObject(const TFormObject& form, TComponent* owner) {
  auto* object = dynamic_cast<TvxVisualObject*>(FindClass(form.className)->Create(owner));
  if (!object) return nullptr;
  try {
    object->SetName(form.name);
  } catch (const Exception&) {
    // A name the tree cannot take leaves the object unnamed.
  }
  TObjectReader().ReadInto(*object, form);
  return object;
}

TRenderTree ReadLoneObject(const TFormObject& form) {
  TRenderTree tree;
  TvxVisualObject* object = ReadVisualObject(form, nullptr);
  tree.owner.reset(object);
  tree.roots = {object};
  tree.width = object->Width();
  tree.height = object->Height();
  tree.alone = true;
  return tree;
}

// A form's scene is the component among its children that holds visual objects: those are
// the scene's roots.
TRenderTree ReadForm(const TFormObject& form) {
  TRenderTree tree;
  auto* host = new TForm(nullptr);
  tree.owner.reset(host);
  TObjectReader().ReadInto(*host, form);
  tree.width = float(host->ClientWidth());
  tree.height = float(host->ClientHeight());
  for (const TFormObject& child : form.children) {
    if (IsVisualClass(FindClass(child.className))) continue;
    for (const TFormObject& root : child.children)
      if (IsVisualClass(FindClass(root.className)))
        if (TvxVisualObject* object = ReadVisualObject(root, host)) tree.roots.push_back(object);
  }
  return tree;
}

TRenderTree ReadTree(const std::string& name, const TFormObject& form) {
  const TClassInfo* info = FindClass(form.className);
  if (IsVisualClass(info)) return ReadLoneObject(form);
  // The program's own form classes are not known here: anything unknown is taken as a form.
  if (!info || info->InheritsFrom(TForm::StaticClass())) return ReadForm(form);
  throw TFailure{name, form.className + " is neither a form nor a visual object"};
}

int ImageSide(float extent, float scale, const std::string& name) {
  const double side = std::round(double(extent) * double(scale));
  if (!(side >= 1)) throw TFailure{name, "nothing to render: the size is empty"};
  if (side > kMaxImageSide) throw TFailure{name, "the image would be too large"};
  return int(side);
}

std::unique_ptr<TvxBitmap> Render(const TRenderTree& tree, float scale, const std::string& name) {
  auto bitmap = std::make_unique<TvxBitmap>(ImageSide(tree.width, scale, name),
                                            ImageSide(tree.height, scale, name));
  TvxCanvas* canvas = bitmap->Canvas();
  if (!canvas || !canvas->BeginScene()) throw TFailure{name, "no canvas to render with"};
  canvas->Clear(0);
  for (TvxVisualObject* root : tree.roots) {
    if (!root->Visible()) continue;
    const TvxPoint at = tree.alone ? TvxPoint{} : root->Position()->Point();
    const TvxRect place{at.X * scale, at.Y * scale, (at.X + root->Width()) * scale,
                        (at.Y + root->Height()) * scale};
    root->PaintTo(*canvas, place);
  }
  canvas->EndScene();
  return bitmap;
}

// Writes to a temporary file beside `path` and renames it, so a failure leaves no partial file.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> data) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw TFailure{path, "cannot write"};
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);  // mkstemp makes the file private; give it the usual mode
  size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n <= 0) break;
    written += size_t(n);
  }
  const bool ok = written == data.size() && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    throw TFailure{path, "cannot write"};
  }
}

void SavePng(const TvxBitmap& bitmap, const std::string& path) {
  std::unique_ptr<TvxFilter> codec = CreateDefaultFilter();
  TMemoryStream stream;
  if (!codec || !codec->SaveToStream(stream, bitmap, "png", {}))
    throw TFailure{path, "cannot encode the image"};
  WriteFileAtomically(path, stream.Bytes());
}

void PrintLayout(TvxVisualObject& object) {
  const TvxRect r = object.GetAbsoluteRect();
  std::cout << (object.Name().empty() ? "-" : object.Name()) << ' ' << object.ClassName() << ' '
            << FloatToText(r.Left) << ' ' << FloatToText(r.Top) << ' ' << FloatToText(r.Right)
            << ' ' << FloatToText(r.Bottom) << ' ' << FloatToText(object.GetAbsoluteOpacity())
            << '\n';
  for (int i = 0; i < object.ChildrenCount(); ++i) {
    TvxObject* child = object.Children(i);
    if (child->IsVisual()) PrintLayout(static_cast<TvxVisualObject&>(*child));
  }
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseArguments(argc, argv, options)) {
    std::cerr << "usage: vxrender FORM OUT.png [--scale S] [--layout]\n";
    return 2;
  }
  // Forms need a platform; the headless one opens no window.
  THeadlessPlatform platform;
  UseQtRasterBackend();
  RegisterEngineClasses();
  try {
    const TFormObject form = ParseForm(options.form);
    const TRenderTree tree = ReadTree(options.form, form);
    const std::unique_ptr<TvxBitmap> image = Render(tree, options.scale, options.form);
    SavePng(*image, options.out);
    if (options.layout)
      for (TvxVisualObject* root : tree.roots) PrintLayout(*root);
  } catch (const TFailure& failure) {
    std::cerr << "vxrender: " << failure.subject << ": " << failure.detail << '\n';
    return 1;
  }
  return 0;
}
