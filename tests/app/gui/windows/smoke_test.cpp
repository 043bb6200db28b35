// The built executable started on a seeded program folder under the offscreen platform and ended
// as a desktop session ends it: it exits normally and its shut-down has written its files.
#include <signal.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include "testing/qt_offscreen.h"
#include "window_fixture.h"

namespace tv::gui {

class SmokeTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { test_support::UseOffscreenQtWhenUnset(); }

 private slots:
  void startsAndEndsWithTheSession();
};

namespace {

QProcessEnvironment Environment(const std::string& folder) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("TAVOLIN_REGISTRY"), QString::fromStdString(folder + "registry"));
  return env;
}

}  // namespace

void SmokeTest::startsAndEndsWithTheSession() {
  test_support::TempFolder folder;
  SeedProgramFolder(folder.Path());
  fs::copy_file(TAVOLIN_EXECUTABLE, folder.Path() + "tavolin");
  const auto stockBefore = fs::last_write_time(folder.Path() + "Mat.dat");

  QProcess program;
  program.setProcessEnvironment(Environment(folder.Path()));
  program.start(QString::fromStdString(folder.Path() + "tavolin"), {});
  QVERIFY(program.waitForStarted());
  // Up once the start-up has made its folders and the splash time is over.
  QTRY_VERIFY_WITH_TIMEOUT(fs::is_directory(folder.Path() + "NestTmp"), 10000);
  QTest::qWait(3500);
  QCOMPARE(program.state(), QProcess::Running);

  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  QVERIFY(program.waitForFinished(10000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), 0);
  QVERIFY(fs::last_write_time(folder.Path() + "Mat.dat") != stockBefore);
  QVERIFY(test_support::ReadText(folder.Path() + "TAVO.INI").find("CfgFile=Tavo.CFG") != std::string::npos);
  // The start-up recorded the program folder in the per-user store.
  bool recorded = false;
  for (const auto& entry : fs::directory_iterator(folder.Path() + "registry")) {
    recorded = recorded || test_support::ReadText(entry.path()).find(folder.Path()) != std::string::npos;
  }
  QVERIFY(recorded);
}

}  // namespace tv::gui

QTEST_MAIN(tv::gui::SmokeTest)
#include "smoke_test.moc"
