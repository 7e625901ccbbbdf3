#include "platform/qt/QtClipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>

#include "QtTestApp_support.h"

namespace {

TEST(QtClipboard, RoundTripsUnicodeText) {
  QtTestApp();
  TQtClipboard clipboard;
  clipboard.SetText(u"定时关机 ok");
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"定时关机 ok");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("定时关机 ok"));
}

TEST(QtClipboard, DataWithoutTextIsNoText) {
  QtTestApp();
  auto* data = new QMimeData;
  data->setData("application/octet-stream", QByteArray("\x01\x02", 2));
  QGuiApplication::clipboard()->setMimeData(data);
  TQtClipboard clipboard;
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.Text(), u"");
}

}  // namespace
