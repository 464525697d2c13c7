#include "app/text_viewer.h"

#include <QActionGroup>
#include <QEvent>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/fonts.h"
#include "text/number_text.h"

namespace sakuzu {
namespace {

// The program's blocks end their lines with CR LF; the text box wants
// plain line feeds.
QString ToDisplay(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace("\r\n", "\n");
  return shown;
}

}  // namespace

TextViewer::TextViewer(Translator translate, std::function<bool()> matrixDisplay,
                       std::function<void()> switchMatrixOff)
    : translate_(std::move(translate)),
      matrixDisplay_(std::move(matrixDisplay)),
      switchMatrixOff_(std::move(switchMatrixOff)) {
  setObjectName("TextViewer");
  setWindowTitle(Tr(translate_, captionSource_.c_str()));
  resize(560, 480);

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(MakeFont("FixedSys", 10, false));
  setCentralWidget(text1_);

  QMenuBar* bar = menuBar();
  QAction* exit = AddItem(nullptr, "mnuExit", "終了");
  connect(exit, &QAction::triggered, this, &QWidget::close);
  bar->addAction(exit);
  QAction* clear = AddItem(nullptr, "mnuClear", "クリア");
  connect(clear, &QAction::triggered, text1_, &QPlainTextEdit::clear);
  bar->addAction(clear);

  modeMenu_ = bar->addMenu("モード");
  modeMenu_->setObjectName("mnuMode");
  SetDesignerCaption(modeMenu_->menuAction(), "モード");
  auto* group = new QActionGroup(this);
  overwrite_ = AddItem(modeMenu_, "mnuModeOverwrite", "上書");
  append_ = AddItem(modeMenu_, "mnuModeAppend", "追加");
  forwardAppend_ = AddItem(modeMenu_, "mnuModeFowardAppend", "先送り");
  const std::pair<QAction*, OutputMode> modes[] = {{overwrite_, OutputMode::kOverwrite},
                                                   {append_, OutputMode::kAppend},
                                                   {forwardAppend_, OutputMode::kForwardAppend}};
  for (auto [action, mode] : modes) {
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, mode = mode] { SetMode(mode); });
  }
  overwrite_->setChecked(true);

  matrixOff_ = AddItem(nullptr, "mnuDispMatrixSWOff", "行列表示Off");
  bar->addAction(matrixOff_);
  connect(matrixOff_, &QAction::triggered, this, [this] {
    if (switchMatrixOff_) switchMatrixOff_();
    close();
  });
  RetranslateUi();
}

QAction* TextViewer::AddItem(QMenu* menu, const char* name, const char* caption) {
  auto* action = new QAction(QString::fromUtf8(caption), menu ? static_cast<QObject*>(menu) : this);
  action->setObjectName(name);
  SetDesignerCaption(action, QString::fromUtf8(caption));
  if (menu) menu->addAction(action);
  return action;
}

void TextViewer::RetranslateUi() {
  ApplyCaptions(this, translate_);
  // The menu states compare the caption with translated texts: it must be
  // in the language they are translated to.
  setWindowTitle(Tr(translate_, captionSource_.c_str()));
  UpdateMenuStates();
}

void TextViewer::SetMode(OutputMode mode) {
  mode_ = mode;
  overwrite_->setChecked(mode == OutputMode::kOverwrite);
  append_->setChecked(mode == OutputMode::kAppend);
  forwardAppend_->setChecked(mode == OutputMode::kForwardAppend);
}

void TextViewer::SetCaption(const std::string& captionSource) {
  captionSource_ = captionSource;
  setWindowTitle(Tr(translate_, captionSource_.c_str()));
  UpdateMenuStates();
}

std::string TextViewer::Text() const { return text1_->toPlainText().toStdString(); }

void TextViewer::ShowWindow() {
  show();
  raise();
  UpdateMenuStates();
}

void TextViewer::WriteBlock(const std::string& text) {
  ShowWindow();
  QString block = ToDisplay(text);
  switch (mode_) {
    case OutputMode::kOverwrite:
      text1_->setPlainText(block);
      break;
    case OutputMode::kAppend:
      text1_->setPlainText(text1_->toPlainText() + block);
      break;
    case OutputMode::kForwardAppend:
      text1_->setPlainText(block + text1_->toPlainText());
      break;
  }
}

void TextViewer::InspectD(double value, const std::string& label) {
  ShowWindow();
  text1_->setPlainText(text1_->toPlainText() +
                       ToDisplay(label + "\r\n" + FormatNumber(value) + "\r\n"));
}

void TextViewer::ShowText(const std::string& captionSource, const std::string& text) {
  SetCaption(captionSource);
  text1_->setPlainText(ToDisplay(text));
  ShowWindow();
}

void TextViewer::UpdateMenuStates() {
  QString caption = windowTitle();
  bool matrixShown = caption == Tr(translate_, kMatrixWindowCaption);
  bool reportShown = caption == Tr(translate_, "作図手続きと幾何的対象のデータ");
  bool switchOn = matrixDisplay_ && matrixDisplay_();
  matrixOff_->setEnabled(matrixShown || (!reportShown && switchOn));
  modeMenu_->menuAction()->setEnabled(!reportShown);
}

void TextViewer::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateMenuStates();
  QMainWindow::changeEvent(event);
}

void TextViewer::showEvent(QShowEvent* event) {
  UpdateMenuStates();
  QMainWindow::showEvent(event);
}

}  // namespace sakuzu
