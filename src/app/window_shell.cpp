#include "app/window_shell.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "app/new_figure_dialog.h"
#include "app/zkwin.h"

namespace sakuzu {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void WindowShell::UseDialogsOf(ZKwin& w) {
  const std::string title = CurrentProgramVersion().title;
  showMessage = [&w, title](const std::string& text) {
    QMessageBox::information(&w, Q(title), Q(text));
  };
  beep = [] { QApplication::beep(); };
  confirm = [&w, title](const std::string& text) {
    // What the question is about may just have been marked on the figure.
    w.canvas().Present();
    return QMessageBox::question(&w, Q(title), Q(text), QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
  };
  choose = [&w, title](const std::string& text, const std::vector<std::string>& buttons) {
    w.canvas().Present();
    w.RefreshStatusBar();
    QMessageBox box(QMessageBox::Information, Q(title), Q(text), QMessageBox::NoButton, &w);
    std::vector<QAbstractButton*> pressed;
    for (const std::string& caption : buttons) {
      pressed.push_back(box.addButton(Q(caption), QMessageBox::AcceptRole));
    }
    if (!pressed.empty()) box.setEscapeButton(pressed.back());
    box.exec();
    auto at = std::find(pressed.begin(), pressed.end(), box.clickedButton());
    return at == pressed.end() ? -1 : static_cast<int>(at - pressed.begin());
  };
  writeText = [&w](const std::string& text) { w.viewer().WriteBlock(text); };
  inputBox = [&w](const std::string& message, const std::string& caption,
                  const std::string& start) -> std::optional<std::string> {
    bool ok = false;
    QString answer =
        QInputDialog::getText(&w, Q(caption), Q(message), QLineEdit::Normal, Q(start), &ok);
    if (!ok) return std::nullopt;
    return answer.toStdString();
  };
  chooseColor = [&w](Rgb start) -> std::optional<Rgb> {
    QColor color = QColorDialog::getColor(QColor(start.r, start.g, start.b), &w);
    if (!color.isValid()) return std::nullopt;
    return MakeRgb(color.red(), color.green(), color.blue());
  };
  faceColor = [] {
    QColor face = QApplication::palette().color(QPalette::Button);
    return MakeRgb(face.red(), face.green(), face.blue());
  };
  askSave = [&w, title] {
    QMessageBox box(QMessageBox::Question, Q(title), Q(w.session().T("保存しますか")),
                    QMessageBox::NoButton, &w);
    QPushButton* save = box.addButton(Q(w.session().T("保存")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Q(w.session().T("破棄")), QMessageBox::DestructiveRole);
    box.addButton(Q(w.session().T("キャンセル")), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::kSave;
    if (box.clickedButton() == discard) return SaveAnswer::kDiscard;
    return SaveAnswer::kCancel;
  };
  askNewFigure = [&w] {
    NewFigureDialog dialog(&w, w.session().Translator());
    dialog.setFont(w.UiFont());
    dialog.exec();
    return dialog.Answer();
  };
  saveWithDialog = [&w] { return w.files().SaveCommand(); };
  openDocument = [](const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
  };
  showText = [&w](const std::string& caption, const std::string& text) {
    w.viewer().ShowText(caption, text);
  };
  setTextCaption = [&w](const std::string& caption) { w.viewer().SetCaption(caption); };
}

}  // namespace sakuzu
