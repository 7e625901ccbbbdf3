// Keyboard routing: dialog keys, Esc on modal forms, Tab, characters and composed text.

#include <gtest/gtest.h>

#include "SceneFixture_support.h"

namespace {

using Strings = std::vector<std::string>;

class SceneKeyboard : public SceneTest {
 protected:
  SceneKeyboard() {
    a = AddProbe(root, "a", 10, 10, 20, 20);
    b = AddProbe(root, "b", 40, 10, 20, 20);
    c = AddProbe(root, "c", 70, 10, 20, 20);
    for (TProbe* probe : {a, b, c}) probe->MakeFocusable();
    log.clear();
  }
  // Runs `inside` from the loop of the form shown modally, then ends the run.
  TModalResult RunModal(const std::function<void()>& inside) {
    platform.Clock().Post([&] {
      inside();
      if (form->ModalResult() == mrNone) form->SetModalResult(mrOk);
    });
    return form->ShowModal();
  }
  TProbe* a;
  TProbe* b;
  TProbe* c;
};

TEST_F(SceneKeyboard, EscCancelsTheModalForm) {
  scene->SetFocused(a);
  TModalResult during = mrNone;
  EXPECT_EQ(RunModal([&] {
              Window().KeyDown(vkEscape);
              during = form->ModalResult();
            }),
            mrCancel);
  EXPECT_EQ(during, mrCancel);
  EXPECT_EQ(log, Strings{});  // consumed: the focused object never sees it
}

TEST_F(SceneKeyboard, RootConsumingEscKeepsTheModalFormOpen) {
  root->consumes = vkEscape;
  TModalResult during = mrNone;
  EXPECT_EQ(RunModal([&] {
              Window().KeyDown(vkEscape);
              during = form->ModalResult();
            }),
            mrOk);
  EXPECT_EQ(during, mrNone);
  EXPECT_EQ(log, (Strings{"root dialog 27"}));
}

TEST_F(SceneKeyboard, EscOnAModelessFormReachesTheFocusedObject) {
  scene->SetFocused(a);
  Window().KeyDown(vkEscape);
  EXPECT_EQ(log, (Strings{"a key 27 0 0"}));
}

TEST_F(SceneKeyboard, OnlyDialogKeysAreOfferedToTheRootFirst) {
  root->consumes = vkReturn;
  scene->SetFocused(b);
  Window().KeyDown(vkReturn);
  Window().KeyDown('A', ssShift);
  Window().KeyUp('A');
  EXPECT_EQ(log, (Strings{"root dialog 13", "b key 65 0 1", "b keyup 65 0"}));
}

TEST_F(SceneKeyboard, TabWalksTheCandidatesBothWays) {
  Window().KeyDown(vkTab);
  EXPECT_EQ(scene->GetFocused(), a);
  EXPECT_TRUE(a->IsFocused());
  Window().KeyDown(vkTab);
  EXPECT_EQ(scene->GetFocused(), b);
  EXPECT_FALSE(a->IsFocused());
  Window().KeyDown(vkTab, ssShift);
  Window().KeyDown(vkTab, ssShift);
  EXPECT_EQ(scene->GetFocused(), c);  // wrapped to the last
  scene->SetFocused(nullptr);
  Window().KeyDown(vkTab, ssShift);
  EXPECT_EQ(scene->GetFocused(), c);
  EXPECT_EQ(log, Strings{});  // Tab is consumed
}

TEST_F(SceneKeyboard, ControlCharactersArriveAsTheirLetters) {
  scene->SetFocused(a);
  Window().Char(3, ssCtrl);
  Window().Char(u'\r');
  Window().Char(u'x');
  Window().Char(26, ssCtrl);
  EXPECT_EQ(log, (Strings{"a key 0 99 4", "a keyup 0 99", "a key 0 120 0", "a key 0 122 4",
                          "a keyup 0 122"}));
}

TEST_F(SceneKeyboard, ComposedTextArrivesCharacterByCharacter) {
  scene->SetFocused(b);
  TWindowMessage commit;
  commit.kind = TWindowMessage::Kind::ImeCommit;
  commit.text = u"关机";
  Window().Send(commit);
  EXPECT_EQ(log, (Strings{"b key 0 20851 0", "b key 0 26426 0"}));
}

TEST_F(SceneKeyboard, FocusMovesFromTheOldObjectToTheNewOne) {
  Strings focus;
  a->OnKillFocus = [&](TObject*) { focus.push_back("a kill"); };
  b->OnEnterFocus = [&](TObject*) { focus.push_back("b enter"); };
  scene->SetFocused(a);
  scene->SetFocused(b);
  scene->SetFocused(b);
  EXPECT_EQ(focus, (Strings{"a kill", "b enter"}));
  delete b;
  EXPECT_EQ(scene->GetFocused(), nullptr);
  Window().KeyDown('A');
  EXPECT_EQ(log, Strings{});
}

}  // namespace
