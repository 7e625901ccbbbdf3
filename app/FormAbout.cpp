#include "app/FormAbout.h"

#include "scene/graphics/Text.h"

LC_PUBLISH(TfAbout) {
  p.Method("FormCreate", &TfAbout::FormCreate);
  p.Method("SpeedButton1Click", &TfAbout::SpeedButton1Click);
}

namespace {

constexpr char16_t kFeatures[] =
    u"功能：\r\n"
    u"     1.常规关机(安全退出)；\r\n"
    u"     2.暴力关机(直接关闭电源)；\r\n"
    u"     3.重新启动；\r\n"
    u"     4.系统注销；\r\n"
    u"     5.关机倒计时显示；\r\n"
    u"     6.关机前10秒提示。";

}  // namespace

TfAbout::TfAbout(TComponent* owner) : TForm(owner) {}

void TfAbout::FormCreate(TObject*) {
  if (auto* text = dynamic_cast<TvxText*>(FindComponent("Text5"))) text->SetText(kFeatures);
}

void TfAbout::SpeedButton1Click(TObject*) {
  Close();
}

void TfAbout::CenterOn(TForm& form) {
  const TBoundsI on = form.Window().Bounds();
  SetBounds({on.left + (on.width - ClientWidth()) / 2, on.top + (on.height - ClientHeight()) / 2,
             ClientWidth(), ClientHeight()});
}
