// The dialog layer on both builds: dialogs from the program's templates,
// hidden when created, their controls' texts, visibility, enabled and check
// states, the focus and the placement of a page inside its frame.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "resource.h"
#include "support.h"

namespace {

using namespace platform;

class Events : public DialogEvents {
 public:
  std::function<void(DialogHandle)> init;
  int inits = 0;
  void OnInitDialog(DialogHandle dialog) override {
    ++inits;
    if (init) init(dialog);
  }
  void OnCommand(DialogHandle, int) override {}
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string reason;
    if (!dialog_conformance::PrepareDialogs(reason)) GTEST_SKIP() << reason;
  }
  void TearDown() override {
    if (frame_ != nullptr) DestroyDialog(frame_);
  }

  // The wizard's frame as a window of its own, shown; pages go inside it.
  DialogHandle ShownFrame() {
    frame_ = CreateModelessDialog(IDD_SETUP, nullptr, frameEvents_);
    EXPECT_NE(frame_, nullptr) << "error " << LastError();
    if (frame_ != nullptr) {
      EXPECT_TRUE(PlaceOnTopAndShow(frame_, 40, 30));
    }
    return frame_;
  }
  DialogHandle Page(unsigned templateId) {
    DialogHandle page = CreateModelessDialog(templateId, frame_, pageEvents_);
    EXPECT_NE(page, nullptr) << "page " << templateId << ": error " << LastError();
    return page;
  }

  Events frameEvents_, pageEvents_;
  DialogHandle frame_ = nullptr;
};

TEST_F(DialogTest, AModalDialogIsBuiltHiddenAndEndsWithItsResult) {
  Events events;
  bool visible = true, pictureVisible = true;
  std::string caption;
  std::vector<std::string> buttons;
  events.init = [&](DialogHandle dialog) {
    visible = IsDialogVisible(dialog);
    pictureVisible = IsControlVisible(dialog, IDC_PICTURE);
    caption = DialogCaption(dialog);
    for (int id : {IDC_BACK, static_cast<int>(kIdOk), static_cast<int>(kIdCancel)}) buttons.push_back(ControlText(dialog, id));
    EndModalDialog(dialog, 42);
  };
  EXPECT_EQ(RunModalDialog(IDD_SETUP, nullptr, events), 42);
  EXPECT_EQ(events.inits, 1);
  EXPECT_FALSE(visible);
  EXPECT_FALSE(pictureVisible);
  EXPECT_EQ(caption, "Pictavo Setup");
  EXPECT_EQ(buttons, (std::vector<std::string>{"< &Back", "&Next >", "Cancel"}));
}

TEST_F(DialogTest, AMissingTemplateMakesNoDialog) {
  Events events;
  SetLastError(0);
  EXPECT_EQ(RunModalDialog(4711, nullptr, events), -1);
  EXPECT_EQ(LastError(), kErrResourceNameNotFound);
  SetLastError(0);
  EXPECT_EQ(CreateModelessDialog(4711, nullptr, events), nullptr);
  EXPECT_EQ(LastError(), kErrResourceNameNotFound);
  EXPECT_EQ(events.inits, 0);
}

TEST_F(DialogTest, APageIsHiddenUntilPlacedAndItsControlsFollowTheirTemplate) {
  ASSERT_NE(ShownFrame(), nullptr);
  DialogHandle page = Page(IDD_START);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(pageEvents_.inits, 1);
  EXPECT_TRUE(IsDialogVisible(frame_));
  EXPECT_FALSE(IsDialogVisible(page));
  EXPECT_FALSE(IsControlVisible(page, IDC_READY));

  ASSERT_TRUE(PlaceOnTopAndShow(page, 150, 12));
  EXPECT_TRUE(IsDialogVisible(page));
  struct Case {
    DialogHandle dialog;
    int id;
    bool visible;
  };
  const Case cases[] = {
      {frame_, kIdOk, true},   {frame_, IDC_BACK, true},      {frame_, IDC_PICTURE, false},
      {page, IDC_READY, true}, {page, IDC_PLEASE_WAIT, false}, {page, IDC_RUN_AFTER, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsControlVisible(c.dialog, c.id), c.visible) << "control " << c.id;

  EXPECT_TRUE(ShowControl(frame_, IDC_PICTURE, true));
  EXPECT_TRUE(ShowControl(page, IDC_READY, false));
  EXPECT_TRUE(ShowControl(page, IDC_PLEASE_WAIT, true));
  EXPECT_TRUE(IsControlVisible(frame_, IDC_PICTURE));
  EXPECT_FALSE(IsControlVisible(page, IDC_READY));
  EXPECT_TRUE(IsControlVisible(page, IDC_PLEASE_WAIT));
  EXPECT_TRUE(RepaintNow(page));
}

TEST_F(DialogTest, TextsComeBackAsSet) {
  ASSERT_NE(ShownFrame(), nullptr);
  DialogHandle folderPage = Page(IDD_FOLDER);
  DialogHandle groupPage = Page(IDD_GROUP);
  ASSERT_NE(folderPage, nullptr);
  ASSERT_NE(groupPage, nullptr);
  EXPECT_EQ(ControlText(folderPage, IDC_FOLDER), "Static");
  EXPECT_EQ(ControlText(groupPage, IDC_GROUP), "");
  const std::string texts[] = {"Yes", "", "&Finish >", "C:\\Program Files\\Pictavo 6", "two\r\nlines",
                               "caf\xe9 cr\xe8me"};
  for (const std::string& text : texts) {
    EXPECT_TRUE(SetControlText(frame_, kIdOk, text));
    EXPECT_EQ(ControlText(frame_, kIdOk), text);
    EXPECT_TRUE(SetControlText(folderPage, IDC_FOLDER, text));
    EXPECT_EQ(ControlText(folderPage, IDC_FOLDER), text);
    EXPECT_TRUE(SetControlText(groupPage, IDC_GROUP, text));
    EXPECT_EQ(ControlText(groupPage, IDC_GROUP), text);
    EXPECT_TRUE(SetDialogCaption(frame_, text));
    EXPECT_EQ(DialogCaption(frame_), text);
  }
}

TEST_F(DialogTest, ControlsAreEnabledDisabledAndTickedByRequest) {
  ASSERT_NE(ShownFrame(), nullptr);
  DialogHandle page = Page(IDD_FOLDER);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(IsControlEnabled(frame_, kIdCancel));
  EXPECT_TRUE(EnableControl(frame_, kIdCancel, false));
  EXPECT_FALSE(IsControlEnabled(frame_, kIdCancel));
  EXPECT_TRUE(EnableControl(frame_, kIdCancel, true));
  EXPECT_TRUE(IsControlEnabled(frame_, kIdCancel));

  EXPECT_FALSE(IsButtonChecked(page, IDC_CURRENT_USER));
  EXPECT_FALSE(IsButtonChecked(page, IDC_ALL_USERS));
  for (int chosen : {IDC_ALL_USERS, IDC_CURRENT_USER}) {
    EXPECT_TRUE(CheckRadioButtonInRange(page, IDC_CURRENT_USER, IDC_ALL_USERS, chosen));
    EXPECT_EQ(IsButtonChecked(page, IDC_CURRENT_USER), chosen == IDC_CURRENT_USER);
    EXPECT_EQ(IsButtonChecked(page, IDC_ALL_USERS), chosen == IDC_ALL_USERS);
  }
  DialogHandle start = Page(IDD_START);
  ASSERT_NE(start, nullptr);
  for (bool ticked : {true, false}) {
    EXPECT_TRUE(CheckButton(start, IDC_RUN_AFTER, ticked));
    EXPECT_EQ(IsButtonChecked(start, IDC_RUN_AFTER), ticked);
  }
}

TEST_F(DialogTest, AMissingControlReadsEmptyAndCannotBeChanged) {
  ASSERT_NE(ShownFrame(), nullptr);
  const int missing = 4711;
  EXPECT_EQ(ControlText(frame_, missing), "");
  EXPECT_FALSE(IsControlVisible(frame_, missing));
  EXPECT_FALSE(IsControlEnabled(frame_, missing));
  EXPECT_FALSE(IsButtonChecked(frame_, missing));
  EXPECT_FALSE(SetControlText(frame_, missing, "x"));
  EXPECT_FALSE(ShowControl(frame_, missing, true));
  EXPECT_FALSE(EnableControl(frame_, missing, true));
  EXPECT_FALSE(FocusControl(frame_, missing));
  PixelRect rect;
  EXPECT_FALSE(ControlScreenRect(frame_, missing, rect));
}

TEST_F(DialogTest, TheFocusLeavesAControlThatIsDisabledOrHidden) {
  ASSERT_NE(ShownFrame(), nullptr);
  EXPECT_TRUE(FocusControl(frame_, kIdCancel));
  EXPECT_EQ(FocusedControl(frame_), kIdCancel);
  EXPECT_TRUE(EnableControl(frame_, kIdCancel, false));
  EXPECT_NE(FocusedControl(frame_), kIdCancel);
  EXPECT_FALSE(FocusControl(frame_, kIdCancel));  // a disabled control takes no focus

  // A hidden control's dialog gives the focus to its first tab stop.
  EXPECT_TRUE(FocusControl(frame_, kIdOk));
  EXPECT_EQ(FocusedControl(frame_), kIdOk);
  EXPECT_TRUE(ShowControl(frame_, kIdOk, false));
  EXPECT_EQ(FocusedControl(frame_), IDC_BACK);

  DialogHandle page = Page(IDD_GROUP);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(PlaceOnTopAndShow(page, 150, 12));
  EXPECT_TRUE(FocusControl(page, IDC_GROUP));
  EXPECT_EQ(FocusedControl(page), IDC_GROUP);
  EXPECT_EQ(FocusedControl(frame_), IDC_GROUP);  // a page's control lies in the frame too
}

TEST_F(DialogTest, APageIsPlacedInTheFrameClientAreaWithItsSizeKept) {
  ASSERT_NE(ShownFrame(), nullptr);
  DialogHandle page = Page(IDD_WELCOME);
  ASSERT_NE(page, nullptr);
  PixelRect before, after;
  ASSERT_TRUE(DialogScreenRect(page, before));
  ASSERT_TRUE(PlaceOnTopAndShow(page, 150, 12));
  ASSERT_TRUE(DialogScreenRect(page, after));
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  PixelRect inFrame = after;
  ASSERT_TRUE(ScreenToClientRect(frame_, inFrame));
  EXPECT_EQ(inFrame.left, 150);
  EXPECT_EQ(inFrame.top, 12);
}

TEST_F(DialogTest, ThePictureTakesTheSizeOfItsBitmap) {
  ASSERT_NE(ShownFrame(), nullptr);
  PixelRect picture;
  ASSERT_TRUE(ControlScreenRect(frame_, IDC_PICTURE, picture));
  // 120 x 260 pixels, the sunken edge inside them.
  EXPECT_EQ(picture.right - picture.left, 120);
  EXPECT_EQ(picture.bottom - picture.top, 260);
}

TEST_F(DialogTest, TheFrameShowsTheApplicationIcon) {
  ASSERT_NE(ShownFrame(), nullptr);
  EXPECT_TRUE(SetDialogIcon(frame_, IDI_SETUP));
  EXPECT_FALSE(SetDialogIcon(frame_, 4711));
}

}  // namespace
