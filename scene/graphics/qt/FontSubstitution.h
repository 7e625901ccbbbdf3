#pragma once

// Forms name Windows font families. Each one is mapped here, and only here, onto installed
// faces of a similar look, with a CJK face behind it so that Chinese text always has glyphs.

#include <QFont>
#include <QString>
#include <QStringList>

class TvxFontSubstitution {
 public:
  // The face for `family`: the installed stand-in (or the family itself when it is installed
  // and draws text), then the CJK fallback. Never a symbol or icon font.
  static QStringList Families(const QString& family);
  // Faces such as Impact are heavy in every style.
  static bool ForcesBold(const QString& family);
  // A font for `family` whose size is `pixels` at 96 dpi.
  static QFont MakeFont(const QString& family, float pixels, bool bold, bool italic);

 private:
  static QString FirstInstalled(const QStringList& candidates);
  static bool DrawsText(const QString& installedFamily);
  static QString InstalledName(const QString& family);
};
