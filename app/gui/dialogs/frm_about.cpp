#include "gui/dialogs/frm_about.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace tv::gui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The program's picture: parts nested on a sheet.
QPixmap NestPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const double unit = size / 16.0;
  painter.setPen(QPen(QColor(40, 40, 40), unit * 0.4));
  painter.setBrush(QColor(222, 184, 135));
  painter.drawRect(QRectF(unit, unit * 2, unit * 14, unit * 12));
  painter.setBrush(QColor(245, 245, 240));
  const QRectF parts[] = {{2, 3, 6, 4}, {9, 3, 5, 7}, {2, 8, 3, 5}, {6, 8, 2, 5}, {9, 11, 5, 2}};
  for (const QRectF& part : parts) {
    painter.drawRect(QRectF(part.x() * unit, part.y() * unit, part.width() * unit, part.height() * unit));
  }
  return picture;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromUtf8(name));
  return label;
}

}  // namespace

FrmAbout::FrmAbout(core::Program& program, Mode mode, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(Q(about::AboutCaption()));

  auto* picIcon = Label(this, "picIcon", {});
  picIcon->setPixmap(NestPicture(48));
  auto* picture1 = Label(this, "Picture1", {});
  picture1->setPixmap(NestPicture(96));
  auto* lblTitle = Label(this, "lblTitle", QString::fromUtf8(about::kTitle));
  QFont titleFont = lblTitle->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  auto* lblDescription = Label(this, "lblDescription", QString::fromUtf8(about::kDescription));
  auto* lblVersion = Label(this, "lblVersion", Q(about::VersionText()));
  auto* lblDisclaimer = Label(this, "lblDisclaimer", Q(about::LegalNotice()));
  lblDisclaimer->setWordWrap(true);

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblTitle);
  texts->addWidget(lblDescription);
  texts->addWidget(lblVersion);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(picIcon, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  top->addWidget(picture1, 0, Qt::AlignTop);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  buttons->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblDisclaimer, 1);
  bottom->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addLayout(bottom);
  setMinimumWidth(460);

  if (mode == Mode::Splash) {
    cmdOK->hide();
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
  }
}

void FrmAbout::cmdOK_Click() {
  accept();
  QCoreApplication::processEvents();
}

about::SystemFacts FrmAbout::SystemFacts(const core::Program& program) {
  about::SystemFacts facts = about::GatherSystemFacts(program);
  facts.lines.emplace_back("Qt", qVersion());
  facts.lines.emplace_back("Platform", QGuiApplication::platformName().toStdString());
  int index = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QSize size = screen->size();
    facts.lines.emplace_back("Screen " + std::to_string(++index),
                             std::to_string(size.width()) + " x " + std::to_string(size.height()) + " at " +
                                 std::to_string(qRound(screen->logicalDotsPerInch())) + " dpi");
  }
  return facts;
}

void FrmAbout::cmdSysInfo_Click() {
  about::StartSysInfo(
      program_, [](const std::string& tool) { return QProcess::startDetached(Q(tool), {}); },
      SystemFacts(program_));
}

void ShowAboutBox(core::Program& program, QWidget* parent) {
  FrmAbout box(program, FrmAbout::Mode::About, parent);
  box.exec();
}

FrmAbout* ShowSplash(core::Program& program, QWidget* parent) {
  auto* splash = new FrmAbout(program, FrmAbout::Mode::Splash, parent);
  splash->show();
  splash->raise();
  // The start-up goes on without handling events for a while, so the splash is painted now:
  // the window system is given a moment to map it and ask for its picture.
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 150 || (splash->windowHandle() != nullptr &&
                                    !splash->windowHandle()->isExposed() && waited.elapsed() < 1000)) {
    QGuiApplication::sync();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  splash->repaint();
  QGuiApplication::sync();
  return splash;
}

}  // namespace tv::gui
