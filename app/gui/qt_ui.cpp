#include "gui/qt_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QThread>
#include <QTime>
#include <QUrl>
#include <atomic>
#include <exception>
#include <thread>

#include "gui/dialogs/nest_name_dlg.h"
#include "gui/x11_windows.h"

namespace tv::gui {
namespace {

constexpr const char* kProgramTitle = "Tavolin";

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QMessageBox::Icon BoxIcon(core::MsgIcon icon) {
  switch (icon) {
    case core::MsgIcon::Information:
      return QMessageBox::Information;
    case core::MsgIcon::Warning:
      return QMessageBox::Warning;
    case core::MsgIcon::Critical:
      return QMessageBox::Critical;
    case core::MsgIcon::Question:
      return QMessageBox::Question;
    case core::MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// One pattern in both cases, as a case-insensitive system would match it.
QStringList BothCases(const QString& pattern) {
  QStringList patterns{pattern};
  for (const QString& other : {pattern.toLower(), pattern.toUpper()}) {
    if (!patterns.contains(other)) patterns << other;
  }
  return patterns;
}

}  // namespace

QString BoxText(const std::string& text) {
  QString shown = Q(text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QStringList DialogFilters(const std::vector<core::FileFilter>& filters) {
  QStringList shown;
  for (const core::FileFilter& filter : filters) {
    QString caption = Q(filter.caption);
    if (const qsizetype open = caption.indexOf(QLatin1Char('(')); open >= 0) caption.truncate(open);
    caption = caption.trimmed();
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) {
      for (const QString& p : BothCases(Q(pattern).trimmed())) {
        if (!p.isEmpty() && !patterns.contains(p)) patterns << p;
      }
    }
    if (patterns.isEmpty()) continue;
    shown << caption + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return shown;
}

QtUi::~QtUi() {
  SetPointer(core::Pointer::Normal);
}

core::MsgResult QtUi::Message(const std::string& text, const std::string& title, core::MsgIcon icon,
                              core::MsgButtons buttons) {
  QMessageBox box(BoxIcon(icon), title.empty() ? QString(kProgramTitle) : Q(title), BoxText(text),
                  QMessageBox::NoButton, mainWindow_);
  switch (buttons) {
    case core::MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case core::MsgButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case core::MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case core::MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  // A box must be answerable with the normal pointer, even in the middle of a busy stretch.
  const bool wasBusy = busy_;
  if (wasBusy) SetPointer(core::Pointer::Normal);
  const int pressed = box.exec();
  if (wasBusy) SetPointer(core::Pointer::Busy);
  switch (pressed) {
    case QMessageBox::Yes:
      return core::MsgResult::Yes;
    case QMessageBox::No:
      return core::MsgResult::No;
    case QMessageBox::Ok:
      return core::MsgResult::Ok;
    default:
      break;
  }
  // Closed by its frame or Escape: the box's way of saying no.
  return buttons == core::MsgButtons::Ok      ? core::MsgResult::Ok
         : buttons == core::MsgButtons::YesNo ? core::MsgResult::No
                                              : core::MsgResult::Cancel;
}

std::optional<std::string> QtUi::ChooseFolder(const std::string& title, const std::string& prompt,
                                              const std::string& startFolder) {
  return ChooseFolderFollowing(title, prompt, startFolder, {});
}

std::optional<std::string> QtUi::ChooseFolderFollowing(
    const std::string& title, const std::string& prompt, const std::string& startFolder,
    const std::function<void(const std::string&)>& selectionChanged) {
  QFileDialog dialog(mainWindow_, Q(title), Q(startFolder));
  dialog.setObjectName(QStringLiteral("FolderDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setLabelText(QFileDialog::FileName, Q(prompt));
  if (selectionChanged) {
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog,
                     [&selectionChanged](const QString& path) {
                       if (QFileInfo(path).isDir()) selectionChanged(QDir::cleanPath(path).toStdString());
                     });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::cleanPath(dialog.selectedFiles().front()).toStdString();
}

std::optional<std::string> QtUi::ChooseFileToOpen(const FileChoice& choice) {
  return ChooseFile(false, choice);
}

std::optional<std::string> QtUi::ChooseFileToSave(const FileChoice& choice) {
  return ChooseFile(true, choice);
}

std::optional<std::string> QtUi::ChooseFile(bool save, const FileChoice& choice) {
  QFileDialog dialog(mainWindow_, Q(choice.title), Q(choice.startFolder));
  dialog.setObjectName(QStringLiteral("FileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = DialogFilters(choice.filters);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  QString suffix = Q(choice.defaultExt);
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  if (!choice.fileName.empty()) dialog.selectFile(Q(choice.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

double QtUi::TimeOfDay() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtUi::WaitWithoutEvents(double seconds) {
  if (seconds > 0) QThread::msleep(static_cast<unsigned long>(seconds * 1000));
}

void QtUi::CloseSplash() {
  if (splashCloser_) splashCloser_();
}

void QtUi::ShowConfigFileDialog() {
  if (configFileDialog_) configFileDialog_();
}

std::string QtUi::AskNestName(const std::string& proposedName, const std::function<void()>& clearNestDir) {
  NestNameDlg dialog(mainWindow_);
  return dialog.Ask(proposedName, clearNestDir);
}

std::optional<core::PrintSetup> QtUi::AskPrintSetup() {
  if (!printSetup_) return std::nullopt;
  return printSetup_();
}

void QtUi::SetStatus(core::StatusPanel panel, const std::string& text) {
  if (!mainWindow_) return;
  auto* bar = mainWindow_->findChild<QStatusBar*>();
  if (bar == nullptr) return;
  if (auto* label = bar->findChild<QLabel*>(QString::fromUtf8(core::StatusPanelKey(panel))))
    label->setText(Q(text));
}

void QtUi::SetPointer(core::Pointer pointer) {
  // The port's pointer is a state, Qt's override cursor a stack: keep at most one override.
  if (pointer == core::Pointer::Busy) {
    if (!busy_) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    busy_ = true;
  } else {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    busy_ = false;
  }
}

void QtUi::ProcessEvents() {
  QCoreApplication::processEvents();
}

void QtUi::RaiseMainWindow() {
  if (!mainWindow_) return;
  if (mainWindow_->isMinimized()) mainWindow_->showNormal();
  mainWindow_->raise();
  mainWindow_->activateWindow();
}

void QtUi::ActivateWindowByTitle(const std::string& title) {
  ActivateX11WindowByTitle(title);
}

void QtUi::OpenUrl(const std::string& url) {
  if (!QDesktopServices::openUrl(QUrl(Q(url)))) {
    Message("No program on this computer opens the address\r" + url, "", core::MsgIcon::Warning,
            core::MsgButtons::Ok);
  }
}

void QtUi::RunWhileHandlingEvents(const std::function<void()>& work) {
  std::atomic<bool> done = false;
  std::exception_ptr failure;
  QEventLoop waiter;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    done = true;
    // Wakes the loop below; queued, since the loop lives on the window's thread.
    QMetaObject::invokeMethod(
        &waiter, [] {}, Qt::QueuedConnection);
  });
  // An application that is quitting ends every running loop at once: wait on, the work must end
  // before anything it uses goes away.
  while (!done) waiter.processEvents(QEventLoop::WaitForMoreEvents);
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tv::gui
