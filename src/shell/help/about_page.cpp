#include "shell/help/about_page.h"

#include <QFontInfo>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "shell/help/licence.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

AboutPage::AboutPage(QWidget* page) : QObject(page) {
  PanelAbout = new ClickLabel("PanelAbout",
                              QString("<div style='font-size:22pt; font-weight:bold; "
                                      "color:#24502a'>Kurvex</div>"
                                      "<div>Graph plotter for x&ndash;y spectra</div>"
                                      "<div>Version %1 &nbsp;&middot;&nbsp; %2</div>")
                                  .arg(ProgramVersion(), LicenceKind()),
                              page);
  PanelAbout->setMargin(12);
  PanelAbout->setAutoFillBackground(true);
  PanelAbout->setStyleSheet("background: #d7ffd7; border-bottom: 1px solid #9ab89a;");
  MemoLicence = new QTextEdit(page);
  MemoLicence->setObjectName("MemoLicence");
  MemoLicence->setReadOnly(true);
  MemoLicence->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelAbout);
  layout->addWidget(MemoLicence, 1);
}

QString AboutPage::LicenceFontFamily() {
  QFont wanted("MS Sans Serif");
  wanted.setStyleHint(QFont::SansSerif);
  return QFontInfo(wanted).family();
}

void AboutPage::FillLicence(const std::string& text) {
  MemoLicence->clear();
  MemoLicence->setPlainText(Q(text));
  // The family is resolved here rather than left to each paint, so the box names a real face.
  QTextCursor cursor(MemoLicence->document());
  cursor.select(QTextCursor::Document);
  QTextCharFormat format;
  format.setFontFamilies({LicenceFontFamily()});
  cursor.mergeCharFormat(format);
  cursor.clearSelection();
  MemoLicence->setTextCursor(cursor);
}

}  // namespace kurvex::shell
