#include <gtest/gtest.h>

#include "TextBoxFixture.h"
#include "platform/Menus.h"

namespace {

using TextBoxEditing = TextBoxTest;

TEST_F(TextBoxEditing, TypingInsertsAtTheCaretAndReportsEveryEdit) {
  TvxTextBox* box = Add<TvxTextBox>();
  ResetCounts();
  Type(box, u"ab");
  Key(box, vkLeft);
  Type(box, u"x");
  EXPECT_EQ(box->Text(), u"axb");
  EXPECT_EQ(box->CaretPosition(), 2);
  EXPECT_EQ(typings, 3);
  EXPECT_EQ(trackings, 3);
  EXPECT_TRUE(box->Changed());
}

TEST_F(TextBoxEditing, TextChangesByCodeAreTrackedOnlyWhenTheTextDiffers) {
  TvxTextBox* box = Add<TvxTextBox>(u"one");
  ResetCounts();
  box->SetText(u"two");
  box->SetText(u"two");
  EXPECT_EQ(trackings, 1);
  EXPECT_EQ(typings, 0);
}

TEST_F(TextBoxEditing, ShorterTextPullsCaretAndSelectionInside) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SelectAll();
  box->SetText(u"ab");
  EXPECT_EQ(box->CaretPosition(), 2);
  EXPECT_EQ(box->SelStart(), 0);
  EXPECT_EQ(box->SelLength(), 2);
  EXPECT_EQ(box->SelText(), u"ab");
}

TEST_F(TextBoxEditing, MaxLengthRefusesTheCharacterBeyondIt) {
  TvxTextBox* box = Add<TvxTextBox>(u"ab");
  box->SetMaxLength(3);
  box->SetCaretPosition(2);
  Type(box, u"c");
  EXPECT_EQ(box->Text(), u"abc");
  Type(box, u"d");
  EXPECT_EQ(box->Text(), u"abc");
}

TEST_F(TextBoxEditing, MaxLengthCountsTheReplacedSelectionAndClearsItOnRefusal) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  box->SetMaxLength(3);
  box->SelectAll();
  Clipboard().SetText(u"wxyz");
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"abc");
  EXPECT_EQ(box->SelLength(), 0);
  box->SelectAll();
  Clipboard().SetText(u"xyz");
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"xyz");
}

TEST_F(TextBoxEditing, ZeroMaxLengthIsUnlimited) {
  TvxTextBox* box = Add<TvxTextBox>(std::u16string(300, u'a'));
  box->SetCaretPosition(300);
  Type(box, u"b");
  EXPECT_EQ(box->Text().size(), 301u);
}

TEST_F(TextBoxEditing, FilterCharDropsTypedCharactersButNotPastedOnes) {
  TvxTextBox* box = Add<TvxTextBox>();
  box->SetFilterChar(u"0123456789");
  Type(box, u"a5b");
  EXPECT_EQ(box->Text(), u"5");
  Clipboard().SetText(u"12ab");
  box->PasteFromClipboard();
  EXPECT_EQ(box->Text(), u"512ab");
}

TEST_F(TextBoxEditing, BackspaceAndDeleteRemoveOneCharacterBesideTheCaret) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcd");
  box->SetCaretPosition(2);
  ResetCounts();
  Key(box, vkBack);
  EXPECT_EQ(box->Text(), u"acd");
  EXPECT_EQ(box->CaretPosition(), 1);
  Key(box, vkDelete);
  EXPECT_EQ(box->Text(), u"ad");
  EXPECT_EQ(box->CaretPosition(), 1);
  EXPECT_EQ(typings, 2);
  box->SetCaretPosition(0);
  Key(box, vkBack);
  box->SetCaretPosition(2);
  Key(box, vkDelete);
  EXPECT_EQ(box->Text(), u"ad");
  EXPECT_EQ(typings, 2);
}

TEST_F(TextBoxEditing, DeleteRemovesTheSelectionAndShiftDeleteCutsIt) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SetCaretPosition(1);
  Key(box, vkRight, ssShift);
  Key(box, vkRight, ssShift);
  Key(box, vkBack);
  EXPECT_EQ(box->Text(), u"adef");
  EXPECT_EQ(box->CaretPosition(), 1);
  EXPECT_FALSE(Clipboard().HasText());
  Key(box, vkRight, ssShift);
  Key(box, vkDelete, ssShift);
  EXPECT_EQ(box->Text(), u"aef");
  EXPECT_EQ(Clipboard().Text(), u"d");
}

TEST_F(TextBoxEditing, ReadOnlyRefusesEveryEditButCopies) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  box->SetReadOnly(true);
  box->SelectAll();
  Clipboard().SetText(u"x");
  Type(box, u"z");
  Key(box, vkDelete);
  box->PasteFromClipboard();
  box->CutToClipboard();
  box->InputText(u"关机", 0);
  EXPECT_EQ(box->Text(), u"abc");
  EXPECT_EQ(Clipboard().Text(), u"abc");
}

using TextBoxMoves = TextBoxTest;

TEST_F(TextBoxMoves, CtrlArrowsJumpOverWordsSeparatedBySpaces) {
  TvxTextBox* box = Add<TvxTextBox>(u"one two,x  three");
  box->SetCaretPosition(16);
  Key(box, vkLeft, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 11);
  Key(box, vkLeft, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 4);
  Key(box, vkLeft, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 0);
  Key(box, vkLeft, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 0);
  Key(box, vkRight, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 3);
  Key(box, vkRight, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 9);
  Key(box, vkRight, ssCtrl);
  EXPECT_EQ(box->CaretPosition(), 16);
}

TEST_F(TextBoxMoves, ShiftExtendsTheSelectionFromWhereTheCaretWas) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SetCaretPosition(2);
  Key(box, vkRight, ssShift);
  Key(box, vkRight, ssShift);
  EXPECT_EQ(box->SelStart(), 2);
  EXPECT_EQ(box->SelText(), u"cd");
  Key(box, vkLeft, ssShift);
  EXPECT_EQ(box->SelText(), u"c");
  Key(box, vkHome, ssShift);
  EXPECT_EQ(box->SelText(), u"ab");
  EXPECT_EQ(box->CaretPosition(), 0);
  Key(box, vkEnd, ssShift);
  EXPECT_EQ(box->SelText(), u"cdef");
}

TEST_F(TextBoxMoves, ShiftLeftAfterSelectAllGivesUpTheLastCharacter) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SelectAll();
  Key(box, vkLeft, ssShift);
  EXPECT_EQ(box->SelStart(), 0);
  EXPECT_EQ(box->SelText(), u"abcde");
}

TEST_F(TextBoxMoves, AMoveWithoutShiftClearsTheSelection) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SelectAll();
  Key(box, vkLeft);
  EXPECT_EQ(box->SelLength(), 0);
  EXPECT_EQ(box->CaretPosition(), 5);
}

TEST_F(TextBoxMoves, TheCaretScrollsIntoViewAndBack) {
  // 100 units of room hold 16 characters of 6 units.
  TvxTextBox* box = Add<TvxTextBox>(std::u16string(30, u'a'));
  box->SetCaretPosition(30);
  EXPECT_EQ(box->FirstVisibleChar(), 15);
  box->SetCaretPosition(16);
  EXPECT_EQ(box->FirstVisibleChar(), 15);
  box->SetCaretPosition(5);
  EXPECT_EQ(box->FirstVisibleChar(), 5);
  Key(box, vkHome);
  EXPECT_EQ(box->FirstVisibleChar(), 1);
}

TEST_F(TextBoxMoves, LongTextsScrollInLargeSteps) {
  TvxTextBox* box = Add<TvxTextBox>(std::u16string(2000, u'a'));
  box->SetCaretPosition(2000);
  EXPECT_EQ(box->FirstVisibleChar(), 1985);
}

using TextBoxClipboard = TextBoxTest;

TEST_F(TextBoxClipboard, CtrlLettersSelectCopyCutAndPaste) {
  TvxTextBox* box = Add<TvxTextBox>(u"hello");
  ResetCounts();
  Type(box, u"a", ssCtrl);
  EXPECT_EQ(box->SelLength(), 5);
  Type(box, u"c", ssCtrl);
  EXPECT_EQ(Clipboard().Text(), u"hello");
  Type(box, u"X", ssCtrl);
  EXPECT_EQ(box->Text(), u"");
  EXPECT_EQ(typings, 0);
  Type(box, u"v", ssCtrl);
  Type(box, u"V", ssCtrl);
  EXPECT_EQ(box->Text(), u"hellohello");
  EXPECT_EQ(typings, 2);
  Type(box, u"z", ssCtrl);
  EXPECT_EQ(box->Text(), u"hellohello");
}

TEST_F(TextBoxClipboard, LettersWithCtrlAndAnotherModifierAreNoCommands) {
  TvxTextBox* box = Add<TvxTextBox>(u"hi");
  box->SetCaretPosition(2);
  Type(box, u"a", ssCtrl | ssAlt);
  EXPECT_EQ(box->Text(), u"hia");
  EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(TextBoxClipboard, CopyingNothingKeepsTheClipboard) {
  TvxTextBox* box = Add<TvxTextBox>(u"hello");
  Clipboard().SetText(u"kept");
  box->CopyToClipboard();
  EXPECT_EQ(Clipboard().Text(), u"kept");
}

TEST_F(TextBoxClipboard, InsertKeysCopyWithCtrlAndPasteWithShiftOnly) {
  TvxTextBox* box = Add<TvxTextBox>(u"ab");
  box->SelectAll();
  Key(box, vkInsert, ssCtrl);
  EXPECT_EQ(Clipboard().Text(), u"ab");
  box->SetCaretPosition(2);
  ResetCounts();
  Key(box, vkInsert, ssShift);
  EXPECT_EQ(box->Text(), u"abab");
  EXPECT_EQ(typings, 1);
  Key(box, vkInsert);
  Key(box, vkInsert, ssCtrl | ssShift);
  EXPECT_EQ(box->Text(), u"abab");
}

TEST_F(TextBoxClipboard, TheContextMenuEnablesWhatCanBeDone) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  auto enabled = [&] {
    std::string states;
    TMenuItem& items = box->ContextMenu()->Items();
    for (int i = 0; i < items.Count(); ++i) states += items.Items(i)->Enabled() ? '1' : '0';
    return states;
  };
  box->ContextPopup({10, 5});
  ASSERT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(menus_.Requests()[0].menu, box->ContextMenu());
  EXPECT_EQ(enabled(), "00001");
  box->MouseDown(TMouseButton::mbRight, 0, 10, 5);  // focuses, so selects all
  ASSERT_EQ(menus_.Requests().size(), 2u);
  EXPECT_EQ(menus_.Requests()[1].x, 110);  // the scene's screen offset
  EXPECT_EQ(enabled(), "11010");
  Clipboard().SetText(u"x");
  box->ContextPopup({0, 0});
  EXPECT_EQ(enabled(), "11110");
  box->SetReadOnly(true);
  box->SetCaretPosition(1);
  Key(box, vkRight, ssShift);
  box->ContextPopup({0, 0});
  EXPECT_EQ(enabled(), "01001");
}

TEST_F(TextBoxClipboard, ContextMenuItemsRunTheirCommands) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  box->SelectAll();
  box->ContextPopup({0, 0});
  EXPECT_TRUE(menus_.Choose("Cut"));
  EXPECT_EQ(box->Text(), u"");
  box->ContextPopup({0, 0});
  EXPECT_TRUE(menus_.Choose("Paste"));
  EXPECT_EQ(box->Text(), u"abc");
  box->ContextPopup({0, 0});
  EXPECT_TRUE(menus_.Choose("Select All"));
  EXPECT_EQ(box->SelLength(), 3);
  box->ContextPopup({0, 0});
  EXPECT_TRUE(menus_.Choose("Delete"));
  EXPECT_EQ(box->Text(), u"");
}

TEST_F(TextBoxClipboard, ABoxWithItsOwnMenuShowsOnlyThatOne) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  auto* own = new TPopupMenu(&owner_);
  box->SetPopupMenu(own);
  box->ContextPopup({0, 0});
  ASSERT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(menus_.Requests()[0].menu, own);
  EXPECT_EQ(box->ContextMenu(), nullptr);
}

using TextBoxInput = TextBoxTest;

TEST_F(TextBoxInput, AnInputMethodCommitIsOneEdit) {
  TvxTextBox* box = Add<TvxTextBox>(u"定时");
  box->SetCaretPosition(2);
  ResetCounts();
  box->InputText(u"关机", 0);
  EXPECT_EQ(box->Text(), u"定时关机");
  EXPECT_EQ(box->CaretPosition(), 4);
  EXPECT_EQ(typings, 1);
  EXPECT_EQ(trackings, 1);
}

TEST_F(TextBoxInput, ACommitBeyondMaxLengthIsRefusedWhole) {
  TvxTextBox* box = Add<TvxTextBox>(u"a");
  box->SetMaxLength(2);
  box->SetCaretPosition(1);
  box->InputText(u"关机", 0);
  EXPECT_EQ(box->Text(), u"a");
}

TEST_F(TextBoxInput, ACommitKeepsOnlyFilteredCharacters) {
  TvxTextBox* box = Add<TvxTextBox>();
  box->SetFilterChar(u"0123456789");
  box->InputText(u"1二3", 0);
  EXPECT_EQ(box->Text(), u"13");
}

using TextBoxFocus = TextBoxTest;

TEST_F(TextBoxFocus, EnteringSelectsAllSoTheFirstCharacterReplacesIt) {
  TvxTextBox* box = Add<TvxTextBox>(u"hello");
  box->SetFocus();
  EXPECT_TRUE(box->IsFocused());
  EXPECT_EQ(box->SelLength(), 5);
  EXPECT_FALSE(box->Changed());
  Type(box, u"x");
  EXPECT_EQ(box->Text(), u"x");
}

TEST_F(TextBoxFocus, OnChangeFiresAtEnterAndFocusLossOnlyAfterAnEdit) {
  TvxTextBox* box = Add<TvxTextBox>(u"a");
  TvxTextBox* other = Add<TvxTextBox>();
  box->SetFocus();
  Key(box, vkReturn);
  other->SetFocus();
  EXPECT_EQ(changes, 0);
  box->SetFocus();
  Type(box, u"b");
  Key(box, vkReturn);
  EXPECT_EQ(changes, 1);
  other->SetFocus();
  EXPECT_EQ(changes, 2);  // the flag lasts until the focus comes back
  box->SetFocus();
  other->SetFocus();
  EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxFocus, TheCaretShowsOnlyWhileFocused) {
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  EXPECT_EQ(box->CaretObject(), nullptr);
  box->SetFocus();
  TvxVisualObject* caret = box->CaretObject();
  ASSERT_NE(caret, nullptr);
  EXPECT_TRUE(caret->Visible());
  EXPECT_FLOAT_EQ(caret->Width(), 2);
  EXPECT_FLOAT_EQ(caret->Height(), box->Font()->Size() * 1.25f);
  EXPECT_FLOAT_EQ(caret->Position()->X(), 17);  // three characters in, one unit left
  box->KillFocus();
  EXPECT_FALSE(caret->Visible());
}

TEST_F(TextBoxFocus, ABlinkRepaintsOnlyTheCaret) {
  scene_.animatedCaret = true;
  TvxTextBox* box = Add<TvxTextBox>(u"abc");
  box->SetFocus();
  ASSERT_NE(box->CaretObject(), nullptr);
  const TvxRect caret = box->CaretObject()->GetUpdateRect();
  scene_.TakeUpdates();
  platform_.Advance(200);
  const std::vector<TvxRect> updates = scene_.TakeUpdates();
  ASSERT_FALSE(updates.empty());
  for (const TvxRect& r : updates) EXPECT_TRUE(RectContains(caret, r));
  EXPECT_LT(RectWidth(caret), RectWidth(box->GetUpdateRect()) / 10);
}

using TextBoxMouse = TextBoxTest;

TEST_F(TextBoxMouse, AFirstPressFocusesAndSelectsAllALaterOnePlacesTheCaret) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 5);
  box->MouseUp(TMouseButton::mbLeft, 0, 10, 5);
  EXPECT_EQ(box->SelLength(), 6);
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 5);
  EXPECT_EQ(box->SelLength(), 0);
  EXPECT_EQ(box->CaretPosition(), 2);
}

TEST_F(TextBoxMouse, DraggingSelectsAndStopsAtTheRelease) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SetFocus();
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 7, 5);
  box->MouseMove(ssLeft, 20, 5);
  EXPECT_EQ(box->SelText(), u"bc");
  box->MouseUp(TMouseButton::mbLeft, 0, 20, 5);
  box->MouseMove(0, 40, 5);
  EXPECT_EQ(box->SelText(), u"bc");
}

TEST_F(TextBoxMouse, DraggingPastTheRightEdgeReachesOneFurther) {
  TvxTextBox* box = Add<TvxTextBox>(std::u16string(20, u'a'));
  box->SetFocus();
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 1, 5);
  box->MouseMove(ssLeft, 99, 5);
  const int inside = box->CaretPosition();
  box->MouseMove(ssLeft, 101, 5);
  EXPECT_EQ(box->CaretPosition(), inside + 1);
}

TEST_F(TextBoxMouse, ADoubleClickSelectsAll) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SetFocus();
  box->SetCaretPosition(1);
  box->MouseDown(TMouseButton::mbLeft, ssLeft | ssDouble, 10, 5);
  EXPECT_EQ(box->SelLength(), 6);
}

TEST_F(TextBoxMouse, HitTestingFindsTheNearestBoundary) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  EXPECT_EQ(box->IndexAtX(-5), 0);
  EXPECT_EQ(box->IndexAtX(2.9f), 0);
  EXPECT_EQ(box->IndexAtX(3.1f), 1);
  EXPECT_EQ(box->IndexAtX(8.9f), 1);
  EXPECT_EQ(box->IndexAtX(9.1f), 2);
  EXPECT_EQ(box->IndexAtX(99), 6);
}

TEST_F(TextBoxMouse, CentredTextIsHitWhereItIsDrawn) {
  TvxTextBox* box = Add<TvxTextBox>(u"ab");  // 12 wide, drawn from 44
  box->SetTextAlign(vxTextAlignCenter);
  EXPECT_EQ(box->IndexAtX(46.9f), 0);
  EXPECT_EQ(box->IndexAtX(47.1f), 1);
  box->SetTextAlign(vxTextAlignFar);
  EXPECT_EQ(box->IndexAtX(90.9f), 0);
  EXPECT_EQ(box->IndexAtX(91.1f), 1);
}

TEST_F(TextBoxMouse, PasswordCellsAreHalfTheFontSize) {
  TvxTextBox* box = Add<TvxTextBox>(u"secret");
  box->Font()->SetSize(10);
  box->SetPassword(true);
  EXPECT_EQ(box->IndexAtX(4.9f), 0);
  EXPECT_EQ(box->IndexAtX(5.1f), 1);
  EXPECT_EQ(box->IndexAtX(12), 2);
  EXPECT_EQ(box->IndexAtX(-3), 0);
  EXPECT_EQ(box->IndexAtX(500), 6);
}

using TextBoxPainting = TextBoxTest;

TEST_F(TextBoxPainting, TheFocusedSelectionIsFilledUnderTheText) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SetFocus();
  box->SetCaretPosition(1);
  Key(box, vkRight, ssShift);
  Key(box, vkRight, ssShift);
  box->Paint();
  ASSERT_EQ(canvas_.fills.size(), 1u);
  EXPECT_EQ(canvas_.fills[0], (TvxRect{6, 0, 19, 22}));
  EXPECT_EQ(canvas_.fillColors[0], 0x802A8ADFu);
  ASSERT_EQ(canvas_.texts.size(), 1u);
  EXPECT_EQ(canvas_.texts[0], u"abcdef");
  EXPECT_FLOAT_EQ(canvas_.textRects[0].Right, 100 + box->Font()->Size() / 2);
}

TEST_F(TextBoxPainting, AnUnfocusedSelectionIsNotShown) {
  TvxTextBox* box = Add<TvxTextBox>(u"abcdef");
  box->SelectAll();
  box->Paint();
  EXPECT_TRUE(canvas_.fills.empty());
}

TEST_F(TextBoxPainting, ScrolledTextIsDrawnFromTheFirstVisibleCharacter) {
  TvxTextBox* box = Add<TvxTextBox>(u"0123456789abcdefghijklmnopqrst");
  box->SetCaretPosition(30);
  box->Paint();
  ASSERT_EQ(canvas_.texts.size(), 1u);
  EXPECT_EQ(canvas_.texts[0], u"efghijklmnopqrst");
}

TEST_F(TextBoxPainting, PasswordModeDrawsOneDotPerCharacter) {
  TvxTextBox* box = Add<TvxTextBox>(u"secret");
  box->SetPassword(true);
  box->Paint();
  EXPECT_TRUE(canvas_.texts.empty());
  EXPECT_EQ(canvas_.dots, 6);
}

using TextBoxData = TextBoxTest;

TEST_F(TextBoxData, DataIsTheText) {
  TvxTextBox* box = Add<TvxTextBox>(u"关机");
  EXPECT_EQ(std::get<std::string>(box->GetData()), "关机");
  box->SetData(int64_t(42));
  EXPECT_EQ(box->Text(), u"42");
  box->SetData(TVariant{});
  EXPECT_EQ(box->Text(), u"");
}

TEST_F(TextBoxData, ACommitHandsTheTextToBoundControlsOnlyAfterAnEdit) {
  TvxTextBox* box = Add<TvxTextBox>(u"old");
  TvxTextBox* mirror = Add<TvxTextBox>(u"mirror");
  mirror->SetBindingSource(box);
  box->SetFocus();
  Key(box, vkReturn);
  EXPECT_EQ(mirror->Text(), u"mirror");
  Type(box, u"关机");
  EXPECT_EQ(mirror->Text(), u"mirror");  // typing alone is no commit
  Key(box, vkReturn);
  EXPECT_EQ(mirror->Text(), u"关机");
}

TEST_F(TextBoxData, FocusSettingsAreReadFromFormData) {
  for (const char* cls : {"TvxTextBox", "TvxNumberBox", "TvxSpinBox"}) {
    const std::string head = std::string("object ") + cls + "\n";
    auto* plain = dynamic_cast<TvxControl*>(Container(head + "end\n")->Root());
    ASSERT_NE(plain, nullptr) << cls;
    EXPECT_TRUE(plain->CanFocused()) << cls;
    EXPECT_FALSE(plain->DisableFocusEffect()) << cls;
    auto* set = dynamic_cast<TvxControl*>(
        Container(head + "  CanFocused = False\n  DisableFocusEffect = True\nend\n")->Root());
    ASSERT_NE(set, nullptr) << cls;
    EXPECT_FALSE(set->CanFocused()) << cls;
    EXPECT_TRUE(set->DisableFocusEffect()) << cls;
  }
}

}  // namespace
