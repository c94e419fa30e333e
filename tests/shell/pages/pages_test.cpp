// The Environment and Image pages, and the colour and font dialogs behind their swatches.
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

#include "graph/render/raster_canvas.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/message_line.h"
#include "shell/kit/qt_convert.h"
#include "shell/kit/up_down.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class PagesTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
  }
  ImagePage& Image() { return *main_->Pages().Image; }
  EnvironmentPage& Environment() { return *main_->Pages().Environment; }
};

TEST_F(PagesTest, ColourDialogIsPreloadedWithTheModelsColours) {
  Model().Curve[1].Color = 255;
  dialogs_.ColorAnswer = 0x00FF00;
  QTest::mouseClick(Image().PanelImageColor, Qt::LeftButton);
  ASSERT_EQ(dialogs_.ColorRequests.size(), 1u);
  EXPECT_EQ(dialogs_.ColorRequests[0], 0xFFFFFF);
  ASSERT_EQ(dialogs_.CustomColors.size(), 15u);
  EXPECT_EQ(dialogs_.CustomColors[0], "ColorA=D7FFD7");
  EXPECT_EQ(dialogs_.CustomColors[5], "ColorG=0000FF");
  EXPECT_EQ(Model().ImageColor, 0x00FF00);
  EXPECT_EQ(Image().PanelImageColor->Color(), 0x00FF00);
}

TEST_F(PagesTest, CancelledColourKeepsTheColourButStillRedraws) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  QTest::mouseClick(Image().LabelBorderColor, Qt::LeftButton);
  EXPECT_EQ(dialogs_.ColorRequests.size(), 1u);
  EXPECT_EQ(Model().ImageBorderColor, 0);
  EXPECT_EQ(painted.count(), 1);
}

TEST_F(PagesTest, BackgroundColourGoesToTheGraphAreaWithoutARedraw) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  dialogs_.ColorAnswer = 0x0000FF;
  QTest::mouseClick(Environment().PanelBackGroundColor, Qt::LeftButton);
  EXPECT_EQ(graph_->BackgroundColor(), 0x0000FF);
  EXPECT_EQ(Environment().PanelBackGroundColor->Color(), 0x0000FF);
  EXPECT_EQ(graph_->ScrollBoxGraph()->Client()->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_EQ(painted.count(), 0);
}

TEST_F(PagesTest, FontDialogEditsTheRecordAndDropsStrikeOut) {
  TMyFont font{"Times New Roman", 238, 0x123456, 12, true, false, false};
  graph_->PickFont(font);
  ASSERT_EQ(dialogs_.FontRequests.size(), 1u);
  EXPECT_TRUE(dialogs_.FontRequests[0].Bold);
  EXPECT_FALSE(dialogs_.FontRequests[0].StrikeOut);
  EXPECT_EQ(font.Size, 12);  // cancelled

  dialogs_.FontAnswer = DialogFont{"Arial", 238, 0x123456, 14, false, true, true, true};
  graph_->PickFont(font);
  EXPECT_EQ(font, (TMyFont{"Arial", 238, 0x123456, 14, false, true, true}));
}

// The toolkit's list lacks "Times New Roman": the dialog starts at the face the picture is
// drawn in, keeps the stored name while that face stays, and colour and character set always.
TEST(FontDialogRules, StartAtTheDrawnFaceAndKeepWhatTheDialogCannotShow) {
  const DialogFont stored{"Times New Roman", 238, 0x123456, 12, true, false, false, false};
  EXPECT_EQ(DialogStartFont(stored, ""), stored);
  const DialogFont start = DialogStartFont(stored, "Liberation Serif");
  EXPECT_EQ(start, (DialogFont{"Liberation Serif", 238, 0x123456, 12, true, false, false, false}));
  const std::vector<std::pair<DialogFont, DialogFont>> confirmed = {
      {start, stored},
      {{"Liberation Serif", 0, 0, 14, false, true, false, false},
       {"Times New Roman", 238, 0x123456, 14, false, true, false, false}},
      {{"DejaVu Sans", 0, 0, 12, true, false, true, false},
       {"DejaVu Sans", 238, 0x123456, 12, true, false, true, false}},
  };
  for (const auto& [chosen, kept] : confirmed) {
    EXPECT_EQ(ConfirmedFont(stored, start, chosen), kept) << chosen.Name << " " << chosen.Size;
  }
}

TEST_F(PagesTest, FontDialogStartsAtTheDrawnFaceAndAnUnchangedOkLeavesThePictureAlone) {
  const GraphModel before = Model();
  const auto pixels = [&] {
    const PixelBuffer& surface = graph_->Engine().Pixels();
    std::vector<TColor> copy;
    for (int y = 0; y < Model().ImageHeight; ++y) {
      copy.insert(copy.end(), surface.Row(y), surface.Row(y) + Model().ImageWidth);
    }
    return copy;
  };
  const std::vector<TColor> picture = pixels();
  ClickLabel* title = main_->findChild<ClickLabel*>("LabelTitleText");
  emit title->Clicked();
  ASSERT_EQ(dialogs_.FontRequests.size(), 1u);
  const DialogFont start = dialogs_.FontRequests[0];
  const std::string drawn = DrawnFontFamily(graph_->Engine().Fonts(), before.Title.Font);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(start, DialogStartFont(ToDialogFont(before.Title.Font), drawn));
  EXPECT_TRUE(QFontDatabase::families().contains(Q(drawn)));

  dialogs_.FontAnswer = start;  // OK without a change
  emit title->Clicked();
  EXPECT_TRUE(Model() == before);
  EXPECT_TRUE(pixels() == picture);

  // The toolkit's own dialog, confirmed as it opened, gives the same answer.
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
      dialog->accept();
    }
  });
  QtDialogs toolkit;
  const std::optional<DialogFont> accepted = toolkit.PickFont(start);
  ASSERT_TRUE(accepted.has_value());
  EXPECT_EQ(ConfirmedFont(ToDialogFont(before.Title.Font), start, *accepted),
            ToDialogFont(before.Title.Font));
}

TEST_F(PagesTest, EnvironmentBoxesWriteTheModel) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  Environment().CheckBoxAutoRepaint->setChecked(false);
  EXPECT_FALSE(Model().AutoRepaint);
  Environment().CheckBoxOnlyCurves->setChecked(true);
  EXPECT_TRUE(Model().OnlyCurves);
  Environment().CheckBoxAutoRepaint->setChecked(true);  // switching it on redraws at once
  EXPECT_EQ(painted.count(), 1);
  Environment().CheckBoxStatusBarVisible->setChecked(true);
  EXPECT_FALSE(graph_->StatusBar()->isHidden());
  EXPECT_TRUE(Model().StatusBarVisible);
  Environment().CheckBoxLoadAllOptions->setChecked(false);
  EXPECT_FALSE(Model().LoadAllOptions);
}

TEST_F(PagesTest, ImagePositionMovesTheImageAndReportsBadNumbers) {
  Image().EditGraphLeft->setText("40");
  EXPECT_EQ(graph_->ImageGraph()->x(), 40);
  Image().EditGraphLeft->setText("12a");
  EXPECT_TRUE(dialogs_.Errors.empty());  // typed text is reported without a modal box
  EXPECT_EQ(main_->Messages()->text(), "'12a' is not a valid integer value");
  EXPECT_EQ(Model().ImageLeft, 40);

  Image().EditGraphTop->setText("250");  // beyond the spinner: it keeps its last position
  EXPECT_EQ(Model().ImageTop, 10);
  Image().UpDownGraphTop->Step(1);
  EXPECT_EQ(Model().ImageTop, 11);
  EXPECT_EQ(graph_->ImageGraph()->y(), 11);
}

TEST_F(PagesTest, ImagePositionMovesWithoutARedraw) {
  QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
  Image().UpDownGraphLeft->Step(1);
  Image().UpDownGraphTop->Step(-1);
  EXPECT_EQ(graph_->ImageGraph()->pos(), QPoint(11, 9));
  EXPECT_EQ(painted.count(), 0);
}

TEST_F(PagesTest, SizeSpinnerResizesImageAndAxisTogether) {
  Image().UpDownGraphWidth->Step(1);
  EXPECT_EQ(Image().EditGraphWidth->text(), "700");
  EXPECT_EQ(Model().ImageWidth, 700);
  EXPECT_EQ(Model().AxisX.Length, 600);
  EXPECT_EQ(graph_->ImageGraph()->width(), 700);
  Image().UpDownGraphHeight->Step(-1);
  EXPECT_EQ(Model().ImageHeight, 400);
  EXPECT_EQ(Model().AxisY.Length, 180);
}

TEST_F(PagesTest, BorderControlsWriteTheModel) {
  Image().CheckBoxGraphBorder->setChecked(false);
  EXPECT_FALSE(Model().ImageBorderVisible);
  Image().UpDownBorderWidth->Step(1);
  EXPECT_EQ(Model().ImageBorderWidth, 2);
}

TEST_F(ShellTest, ImagePageSpinnersKeepTheirRangesAndSteps) {
  Start(false);
  ImagePage& page = *main_->Pages().Image;
  struct Spin {
    UpDown* upDown;
    QLineEdit* edit;
    int min, max, step, design;
  };
  for (const Spin& s : {Spin{page.UpDownGraphLeft, page.EditGraphLeft, 0, 100, 1, 10},
                        Spin{page.UpDownGraphTop, page.EditGraphTop, 0, 100, 1, 10},
                        Spin{page.UpDownGraphWidth, page.EditGraphWidth, 100, 2000, 100, 550},
                        Spin{page.UpDownGraphHeight, page.EditGraphHeight, 100, 2000, 100, 500},
                        Spin{page.UpDownBorderWidth, page.EditBorderWidth, 1, 8, 1, 1}}) {
    const QString name = s.upDown->objectName();
    EXPECT_EQ(s.edit->text().toInt(), s.design) << name.toStdString();
    s.upDown->SetPosition(-100000);
    EXPECT_EQ(s.edit->text().toInt(), s.min) << name.toStdString();
    s.upDown->Step(1);
    EXPECT_EQ(s.edit->text().toInt(), s.min + s.step) << name.toStdString();
    s.upDown->SetPosition(100000);
    EXPECT_EQ(s.edit->text().toInt(), s.max) << name.toStdString();
  }
  // Each hint names the colour its swatch sets.
  EXPECT_EQ(main_->Pages().Environment->PanelBackGroundColor->toolTip(), "Background color");
  EXPECT_EQ(page.PanelImageColor->toolTip(), "Image color");
  EXPECT_EQ(page.PanelBorderColor->toolTip(), "Border color");
}

}  // namespace
}  // namespace kurvex::shell
