#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool TQtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

std::u16string TQtClipboard::Text() const {
  return QGuiApplication::clipboard()->text().toStdU16String();
}

void TQtClipboard::SetText(const std::u16string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
}
