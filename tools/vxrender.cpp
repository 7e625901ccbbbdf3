// vxrender: renders form data to a PNG or JPEG image.
//   vxrender FORM OUT.png|OUT.jpg [--scale S] [--layout]
// FORM is a file of form data in text or binary form, or res:NAME for an embedded resource.
// Drawing goes through a window-less scene, as on screen, effects included. A form is read as
// the program reads it and its scene rendered at the form's client size; any other top object
// must be a visual object and becomes the root of a scene of its own size. Pixels nothing
// covers stay fully transparent. Animations do not run; classes that cannot draw are skipped.
// --scale multiplies the image size; --layout prints one line per visual object, depth first:
//   Name ClassName left top right bottom opacity
// with the absolute rectangle in scene units, as the scene placed the objects, and the
// absolute opacity ("-" for no name).

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Resources.h"
#include "platform/component/FileWrite.h"
#include "platform/component/FormData.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/EngineStart.h"
#include "scene/core/ValueText.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Filter.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

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
    return ReadFormData(bytes);
  } catch (const EFormError& error) {
    throw TFailure{form, error.what()};
  }
}

bool IsVisualClass(const TClassInfo* info) {
  return info && info->InheritsFrom(TvxVisualObject::StaticClass());
}

// What is rendered: a window-less scene holding the object trees, owned by `owner`, and the
// size it is rendered at before scaling.
struct TRendering {
  std::unique_ptr<TComponent> owner;
  TvxCustomScene* scene = nullptr;
  float width = 0;
  float height = 0;
};

// A lone object becomes the root of a scene of its own size. Its name is taken as it is;
// references to components outside the tree stay unresolved.
TRendering ReadLoneObject(const TFormObject& form) {
  auto* object = static_cast<TvxVisualObject*>(FindClass(form.className)->Create(nullptr));
  std::unique_ptr<TvxVisualObject> guard(object);
  try {
    object->SetName(form.name);
  } catch (const Exception&) {
    // A name the tree cannot take leaves the object unnamed.
  }
  TObjectReader().ReadInto(*object, form);
  TRendering rendering;
  rendering.scene = new TvxScene(nullptr);
  rendering.owner.reset(rendering.scene);
  rendering.width = object->Width();
  rendering.height = object->Height();
  rendering.scene->AddObject(guard.release());
  return rendering;
}

// A form is read as the program reads it, scene and all; the scene fills its client area.
TRendering ReadForm(const TFormObject& form) {
  auto* host = new TForm(nullptr);
  TRendering rendering;
  rendering.owner.reset(host);
  TObjectReader().ReadInto(*host, form);
  for (int i = 0; i < host->ComponentCount() && !rendering.scene; ++i)
    rendering.scene = dynamic_cast<TvxCustomScene*>(host->Components(i));
  if (!rendering.scene) rendering.scene = new TvxScene(host);
  rendering.width = float(host->ClientWidth());
  rendering.height = float(host->ClientHeight());
  return rendering;
}

TRendering ReadRendering(const std::string& name, const TFormObject& form) {
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

// The side of the scene before scaling, at least one unit so that small things can be enlarged.
int SceneSide(float extent, const std::string& name) {
  const double side = std::max(1.0, std::round(double(extent)));
  if (side > kMaxImageSide) throw TFailure{name, "the scene is too large"};
  return int(side);
}

// The scene's visual roots, in order.
std::vector<TvxVisualObject*> Roots(TvxCustomScene& scene) {
  std::vector<TvxVisualObject*> roots;
  scene.GetChildren(
      [&roots](TComponent* child) {
        if (auto* root = dynamic_cast<TvxVisualObject*>(child)) roots.push_back(root);
      },
      nullptr);
  return roots;
}

void PrintLayout(TvxVisualObject& object, std::ostream& out) {
  const TvxRect r = object.GetAbsoluteRect();
  out << (object.Name().empty() ? "-" : object.Name()) << ' ' << object.ClassName() << ' '
      << FloatToText(r.Left) << ' ' << FloatToText(r.Top) << ' ' << FloatToText(r.Right) << ' '
      << FloatToText(r.Bottom) << ' ' << FloatToText(object.GetAbsoluteOpacity()) << '\n';
  for (int i = 0; i < object.ChildrenCount(); ++i) {
    TvxObject* child = object.Children(i);
    if (child->IsVisual()) PrintLayout(static_cast<TvxVisualObject&>(*child), out);
  }
}

// Enlarges the roots by `scale`: the scene realigns the first root to its scaled size; the
// others are moved out with the enlargement.
void ScaleRoots(TvxCustomScene& scene, float scale) {
  TvxVisualObject* first = scene.GetRoot();
  for (TvxVisualObject* root : Roots(scene)) {
    const TvxPoint s = root->Scale()->Point();
    root->Scale()->SetPoint({s.X * scale, s.Y * scale});
    if (root == first) continue;
    const TvxPoint at = root->Position()->Point();
    root->Position()->SetPoint({at.X * scale, at.Y * scale});
  }
}

std::unique_ptr<TvxBitmap> Snapshot(const TvxCustomScene& scene, const std::string& name) {
  const TPixelFrame frame = scene.Pixels();
  if (!frame.pixels) throw TFailure{name, "no canvas to render with"};
  auto bitmap = std::make_unique<TvxBitmap>(frame.width, frame.height);
  const auto* bytes = reinterpret_cast<const uint8_t*>(frame.pixels);
  for (int y = 0; y < frame.height; ++y)
    std::memcpy(bitmap->Scanline(y), bytes + size_t(y) * size_t(frame.stride),
                size_t(frame.width) * sizeof(TvxColor));
  bitmap->SetNeedUpdate(true);
  return bitmap;
}

bool IsJpegName(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return extension == "jpg" || extension == "jpeg";
}

void SaveImage(const TvxBitmap& bitmap, const std::string& path) {
  std::unique_ptr<TvxFilter> codec = CreateDefaultFilter();
  TMemoryStream stream;
  const bool jpeg = IsJpegName(path);
  if (!codec ||
      !codec->SaveToStream(stream, bitmap, jpeg ? "jpeg" : "png", jpeg ? "quality=100" : ""))
    throw TFailure{path, "cannot encode the image"};
  const std::span<const uint8_t> bytes = stream.Bytes();
  if (!WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
    throw TFailure{path, "cannot write"};
}

int Fail(const TFailure& failure) {
  std::cerr << "vxrender: " << failure.subject << ": " << failure.detail << '\n';
  return 1;
}

constexpr const char* kTooLarge = "too large to hold in memory";

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseArguments(argc, argv, options)) {
    std::cerr << "usage: vxrender FORM OUT.png|OUT.jpg [--scale S] [--layout]\n";
    return 2;
  }
  // Forms need a platform; the headless one opens no window.
  THeadlessPlatform platform;
  UseRasterBackend();
  StartEngine();
  try {
    const TFormObject form = ParseForm(options.form);
    const TRendering rendering = ReadRendering(options.form, form);
    TvxCustomScene& scene = *rendering.scene;
    const int width = ImageSide(rendering.width, options.scale, options.form);
    const int height = ImageSide(rendering.height, options.scale, options.form);
    // Pixels nothing covers stay clear, whatever the form chose for its window.
    scene.SetTransparency(true);
    scene.SetBounds(0, 0, SceneSide(rendering.width, options.form),
                    SceneSide(rendering.height, options.form));
    // The layout is taken in scene units, before scaling.
    std::ostringstream layout;
    for (TvxVisualObject* root : Roots(scene)) PrintLayout(*root, layout);
    ScaleRoots(scene, options.scale);
    scene.SetBounds(0, 0, width, height);
    scene.DrawAll();
    SaveImage(*Snapshot(scene, options.form), options.out);
    if (options.layout) std::cout << layout.str();
  } catch (const TFailure& failure) {
    return Fail(failure);
  } catch (const std::bad_alloc&) {
    return Fail({options.form, kTooLarge});
  } catch (const std::length_error&) {
    return Fail({options.form, kTooLarge});
  }
  return 0;
}
