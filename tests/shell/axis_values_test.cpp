// The axis values page's own buttons as a user clicks them: Reverse, and the fits that keep an
// axis's direction and fit a logarithmic one in decades.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "shell/pages/page_hub.h"
#include "shell_fixture.h"

namespace kurvex::shell {
namespace {

class AxisValuesTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
  }
};

TEST_F(AxisValuesTest, ReverseIsOneStepAndFitsKeepTheDirection) {
  const GraphModel before = Model();
  const QString from = Find<QLineEdit>("EditAxisYMin")->text();
  const QString to = Find<QLineEdit>("EditAxisYMax")->text();
  Find<QPushButton>("ButtonAxisYReverse")->click();
  EXPECT_EQ(Model().AxisY.Minimum, before.AxisY.Maximum);
  EXPECT_EQ(Model().AxisY.Maximum, before.AxisY.Minimum);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMin")->text(), to);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMax")->text(), from);

  // The built-in sample's curves lie between about -0.9 and 1.8.
  Find<QPushButton>("ButtonAxisYFit")->click();
  EXPECT_EQ(Model().AxisY.Minimum, 2);
  EXPECT_EQ(Model().AxisY.Maximum, -1);

  // Its x runs from 300 to 1000: one decade.
  Find<QCheckBox>("CheckBoxAxisXLogarithmic")->click();
  Find<QPushButton>("ButtonAxisXFit")->click();
  EXPECT_EQ(Model().AxisX.Minimum, 100);
  EXPECT_EQ(Model().AxisX.Maximum, 1000);

  for (int step = 0; step < 4; ++step) EXPECT_TRUE(main_->Hub().Undo()) << step;
  EXPECT_TRUE(Model() == before);
  EXPECT_FALSE(main_->Hub().History().CanUndo());
}

}  // namespace
}  // namespace kurvex::shell
