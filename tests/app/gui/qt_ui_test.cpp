// The Ui port on Qt: message boxes as the logic words them (line breaks, the program's title,
// icon and buttons), the file dialogs' type lists, the busy pointer, the nest-name dialog driven
// by its controls, a failed address, and long work on a worker thread while events go on.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <stdexcept>

#include "gui/dialogs/nest_name_dlg.h"
#include "gui/qt_ui.h"
#include "testing/modal_answerer.h"
#include "testing/qt_offscreen.h"

namespace tv::gui {

class QtUiTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { test_support::UseOffscreenQtWhenUnset(); }

 private slots:
  void messageBoxesShowTheTextAsWorded();
  void boxesClosedOtherwiseAnswerNoOrCancel();
  void fileDialogsListBothCasesOfAPattern();
  void busyPointerIsOneOverrideFullyRestored();
  void nestNameDialogDrivenByItsControls();
  void failedAddressIsReported();
  void longWorkRunsOnAWorkerWhileEventsGoOn();
};

void QtUiTest::messageBoxesShowTheTextAsWorded() {
  QtUi ui;
  ModalAnswerer answerer;
  QString label;
  answerer.ExpectDialog(QString(), [&label](QDialog* box) {
    label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
    static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    return true;
  });
  ui.Message("/n\rPath Does Not Exist.\r\nDo You Wish\nto go on?  ", "", core::MsgIcon::Warning,
             core::MsgButtons::Ok);
  QCOMPARE(label, QStringLiteral("/n\nPath Does Not Exist.\nDo You Wish\nto go on?  "));

  const struct {
    core::MsgButtons buttons;
    QMessageBox::StandardButton press;
    core::MsgResult result;
  } cases[] = {{core::MsgButtons::YesNo, QMessageBox::Yes, core::MsgResult::Yes},
               {core::MsgButtons::YesNo, QMessageBox::No, core::MsgResult::No},
               {core::MsgButtons::YesNoCancel, QMessageBox::Cancel, core::MsgResult::Cancel},
               {core::MsgButtons::OkCancel, QMessageBox::Ok, core::MsgResult::Ok}};
  for (const auto& c : cases) {
    answerer.ExpectBox(QStringLiteral("Update"), c.press);
    QCOMPARE(ui.Message("Update Sheet Stock Quantities?", "Query", core::MsgIcon::Critical, c.buttons),
             c.result);
  }
  QCOMPARE(answerer.Answered().front(), QStringLiteral("Query|Update Sheet Stock Quantities?"));
  QCOMPARE(answerer.Icons().front(), QMessageBox::Critical);
  answerer.ExpectBox(QStringLiteral("Nothing"), QMessageBox::Ok);
  ui.Tell("Nothing to say", "");
  QCOMPARE(answerer.Answered().back(), QStringLiteral("Tavolin|Nothing to say"));
  QVERIFY(answerer.Unexpected().isEmpty());
}

void QtUiTest::boxesClosedOtherwiseAnswerNoOrCancel() {
  QtUi ui;
  const struct {
    core::MsgButtons buttons;
    core::MsgResult result;
  } cases[] = {{core::MsgButtons::YesNo, core::MsgResult::No},
               {core::MsgButtons::YesNoCancel, core::MsgResult::Cancel},
               {core::MsgButtons::Ok, core::MsgResult::Ok}};
  for (const auto& c : cases) {
    QTimer::singleShot(50, [] {
      if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(ui.Message("Go on?", "Query", core::MsgIcon::Question, c.buttons), c.result);
  }
}

void QtUiTest::fileDialogsListBothCasesOfAPattern() {
  QCOMPARE(DialogFilters({{"PRC (*.PRC)", {"*.prc"}}}), QStringList{QStringLiteral("PRC (*.prc *.PRC)")});
  QCOMPARE(DialogFilters({{"DXF (*.dxf)", {"*.dxf"}}, {"List Files", {"*.*"}}}),
           (QStringList{QStringLiteral("DXF (*.dxf *.DXF)"), QStringLiteral("List Files (*.*)")}));
  QCOMPARE(DialogFilters({{"Mixed", {"*.Cfg"}}}), QStringList{QStringLiteral("Mixed (*.Cfg *.cfg *.CFG)")});

  // The dialog offers the name typed with the default extension and starts in the folder given.
  QtUi ui;
  ModalAnswerer answerer;
  QStringList shown;
  QString folder;
  answerer.ExpectDialog(QStringLiteral("FileDialog"), [&](QDialog* d) {
    auto* dialog = static_cast<QFileDialog*>(d);
    shown = dialog->nameFilters();
    folder = dialog->directory().absolutePath();
    dialog->selectFile(QStringLiteral("JOB7"));
    QMetaObject::invokeMethod(dialog, "accept");
    return true;
  });
  core::Ui::FileChoice choice;
  choice.title = "Save Process List";
  choice.filters = {{"PRC (*.PRC)", {"*.prc"}}};
  choice.defaultExt = ".PRC";
  choice.startFolder = QDir::tempPath().toStdString();
  const std::optional<std::string> chosen = ui.ChooseFileToSave(choice);
  QCOMPARE(shown, QStringList{QStringLiteral("PRC (*.prc *.PRC)")});
  QCOMPARE(folder, QDir::tempPath());
  QVERIFY(chosen.has_value());
  QCOMPARE(QString::fromStdString(*chosen), QDir::tempPath() + QStringLiteral("/JOB7.PRC"));
}

void QtUiTest::busyPointerIsOneOverrideFullyRestored() {
  QtUi ui;
  ui.SetPointer(core::Pointer::Busy);
  ui.SetPointer(core::Pointer::Busy);
  QVERIFY(QApplication::overrideCursor() != nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  ui.SetPointer(core::Pointer::Busy);
  QApplication::setOverrideCursor(Qt::CrossCursor);  // someone else's on top
  ui.SetPointer(core::Pointer::Normal);
  QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void QtUiTest::nestNameDialogDrivenByItsControls() {
  QtUi ui;
  ModalAnswerer answerer;
  int cleared = 0;
  QString selected, caption, label;
  const auto drive = [&](const QString& typed, const char* button) {
    answerer.ExpectDialog(QStringLiteral("NestNameDlg"), [&, typed, button](QDialog* d) {
      auto* box = d->findChild<QLineEdit*>(QStringLiteral("NestName"));
      if (!box->hasFocus() && QApplication::focusWidget() != box) return false;  // not activated yet
      caption = d->windowTitle();
      selected = box->selectedText();
      label = d->findChild<QLabel*>(QStringLiteral("lblLabels"))->text();
      QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnClr")), Qt::LeftButton);
      if (!typed.isNull()) box->setText(typed);
      if (button == nullptr) {
        d->close();
      } else {
        QTest::mouseClick(d->findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
      }
      return true;
    });
  };
  const auto clear = [&cleared] { ++cleared; };

  drive(QStringLiteral(" JOB 7 "), "cmdOK");
  QCOMPARE(QString::fromStdString(ui.AskNestName("NEST", clear)), QStringLiteral(" JOB 7 "));
  QCOMPARE(caption, QStringLiteral("Nest Name"));
  QCOMPARE(label, QStringLiteral("Nest as:"));
  QCOMPARE(selected, QStringLiteral("NEST"));
  QCOMPARE(cleared, 1);

  drive(QStringLiteral("OTHER"), "cmdCancel");
  QCOMPARE(ui.AskNestName("NEST", clear), std::string());
  drive(QString(), nullptr);
  QCOMPARE(ui.AskNestName("NEST", clear), std::string());
  drive(QString(), "cmdOK");
  QCOMPARE(ui.AskNestName("KEEP", clear), std::string("KEEP"));
  QCOMPARE(cleared, 4);
  QVERIFY(answerer.Unexpected().isEmpty());
}

void QtUiTest::failedAddressIsReported() {
  QtUi ui;
  ModalAnswerer answerer;
  answerer.ExpectBox(QStringLiteral("nosuchscheme-tavolin:manual"), QMessageBox::Ok);
  ui.OpenUrl("nosuchscheme-tavolin:manual");
  QCOMPARE(answerer.Pending(), 0);
  QVERIFY(answerer.Unexpected().isEmpty());
}

void QtUiTest::longWorkRunsOnAWorkerWhileEventsGoOn() {
  QtUi ui;
  int ticks = 0;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start();
  const QThread* windowThread = QThread::currentThread();
  const QThread* workThread = nullptr;
  int ticksSeenByWork = -1;
  std::atomic<bool> done = false;
  ui.RunWhileHandlingEvents([&] {
    workThread = QThread::currentThread();
    QThread::msleep(300);
    ticksSeenByWork = 0;
    done = true;
  });
  QVERIFY(done);
  QVERIFY(workThread != windowThread);
  QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
  QCOMPARE(ticksSeenByWork, 0);

  bool thrown = false;
  try {
    ui.RunWhileHandlingEvents([] { throw std::runtime_error("optimizer failed"); });
  } catch (const std::runtime_error&) {
    thrown = true;
  }
  QVERIFY(thrown);
}

}  // namespace tv::gui

QTEST_MAIN(tv::gui::QtUiTest)
#include "qt_ui_test.moc"
