#include "scene/graphics/qt/FontSubstitution.h"

#include <QFontDatabase>
#include <QHash>
#include <array>

namespace {

struct Substitute {
  const char* windowsName;  // as forms spell it; compared without case
  std::array<const char*, 3> faces;
  const char* cjkFace;
  bool bold;
};

constexpr const char* kSansCjk = "Noto Sans CJK SC";
constexpr const char* kSerifCjk = "Noto Serif CJK SC";
constexpr const char* kKaiCjk = "AR PL UKai CN";
constexpr const char* kMonoCjk = "Noto Sans Mono CJK SC";

// The faces come from Debian's font packages that go.sh installs.
const Substitute kSubstitutes[] = {
    {"Tahoma", {"DejaVu Sans", nullptr, nullptr}, kSansCjk, false},
    {"Verdana", {"DejaVu Sans", nullptr, nullptr}, kSansCjk, false},
    {"Segoe UI", {"DejaVu Sans", nullptr, nullptr}, kSansCjk, false},
    {"Arial", {"Liberation Sans", "DejaVu Sans", nullptr}, kSansCjk, false},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif", nullptr}, kSerifCjk, false},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono", nullptr}, kSansCjk, false},
    {"Impact", {"Liberation Sans Narrow", "DejaVu Sans Condensed", nullptr}, kSansCjk, true},
    // A Japanese pixel face would draw only the Han characters it shares with Chinese and
    // leave the simplified ones to another face, so one monospaced face draws everything.
    {"Fixedsys", {kMonoCjk, "WenQuanYi Micro Hei Mono", "DejaVu Sans Mono"}, kSansCjk, false},
    {"黑体", {kSansCjk, "WenQuanYi Micro Hei", nullptr}, kSansCjk, false},
    {"SimHei", {kSansCjk, "WenQuanYi Micro Hei", nullptr}, kSansCjk, false},
    {"微软雅黑", {kSansCjk, "WenQuanYi Micro Hei", nullptr}, kSansCjk, false},
    {"Microsoft YaHei", {kSansCjk, "WenQuanYi Micro Hei", nullptr}, kSansCjk, false},
    {"宋体", {kSerifCjk, nullptr, nullptr}, kSerifCjk, false},
    {"SimSun", {kSerifCjk, nullptr, nullptr}, kSerifCjk, false},
    {"新宋体", {kSerifCjk, nullptr, nullptr}, kSerifCjk, false},
    {"华文行楷", {kKaiCjk, kSerifCjk, nullptr}, kKaiCjk, false},
    {"STXingkai", {kKaiCjk, kSerifCjk, nullptr}, kKaiCjk, false},
    {"楷体", {kKaiCjk, kSerifCjk, nullptr}, kKaiCjk, false},
    {"KaiTi", {kKaiCjk, kSerifCjk, nullptr}, kKaiCjk, false},
};

constexpr const char* kDefaultFace = "DejaVu Sans";

const Substitute* FindSubstitute(const QString& family) {
  for (const Substitute& s : kSubstitutes) {
    if (family.compare(QString::fromUtf8(s.windowsName), Qt::CaseInsensitive) == 0) return &s;
  }
  return nullptr;
}

QStringList ToList(const std::array<const char*, 3>& faces) {
  QStringList list;
  for (const char* face : faces) {
    if (face) list << QString::fromUtf8(face);
  }
  return list;
}

}  // namespace

QString TvxFontSubstitution::InstalledName(const QString& family) {
  for (const QString& installed : QFontDatabase::families()) {
    if (installed.compare(family, Qt::CaseInsensitive) == 0) return installed;
  }
  return {};
}

// Symbol and icon fonts claim no writing system but Symbol.
bool TvxFontSubstitution::DrawsText(const QString& installedFamily) {
  const auto systems = QFontDatabase::writingSystems(installedFamily);
  return systems.contains(QFontDatabase::Latin) ||
         systems.contains(QFontDatabase::SimplifiedChinese);
}

QString TvxFontSubstitution::FirstInstalled(const QStringList& candidates) {
  for (const QString& candidate : candidates) {
    const QString installed = InstalledName(candidate);
    if (!installed.isEmpty() && DrawsText(installed)) return installed;
  }
  return {};
}

QStringList TvxFontSubstitution::Families(const QString& family) {
  static QHash<QString, QStringList> cache;
  const QString key = family.toCaseFolded();
  if (auto found = cache.constFind(key); found != cache.constEnd()) return *found;

  const Substitute* substitute = FindSubstitute(family);
  QStringList candidates = substitute ? ToList(substitute->faces) : QStringList{family};
  candidates << QString::fromUtf8(kDefaultFace);
  const QString cjk = QString::fromUtf8(substitute ? substitute->cjkFace : kSansCjk);
  QStringList result;
  if (QString face = FirstInstalled(candidates); !face.isEmpty()) result << face;
  if (QString face = FirstInstalled({cjk, QString::fromUtf8(kSansCjk)});
      !face.isEmpty() && !result.contains(face)) {
    result << face;
  }
  if (result.isEmpty()) result << QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  cache.insert(key, result);
  return result;
}

bool TvxFontSubstitution::ForcesBold(const QString& family) {
  const Substitute* substitute = FindSubstitute(family);
  return substitute && substitute->bold;
}

QFont TvxFontSubstitution::MakeFont(const QString& family, float pixels, bool bold, bool italic) {
  QFont font;
  font.setFamilies(Families(family));
  // Point size at 96 dpi, so that fractional pixel sizes survive (setPixelSize is integral).
  font.setPointSizeF(pixels > 0 ? pixels * 0.75 : 0.75);
  font.setBold(bold || ForcesBold(family));
  font.setItalic(italic);
  return font;
}
