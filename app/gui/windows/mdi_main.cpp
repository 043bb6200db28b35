#include "gui/windows/mdi_main.h"
#include "gui/dialogs/frm_about.h"
#include "gui/printing/printing_commands.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QToolBar>
#include <iostream>

#include "commands/startup.h"
#include "commands/viewer_docking.h"
#include "gui/models/program_notices.h"
#include "gui/windows/file_mgr.h"
#include "gui/windows/sht_stk.h"
#include "gui/windows/twip_geometry.h"
#include "gui/windows/viewer.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {
namespace {

// Closing a child window is refused, whichever way it is asked for.
class CloseRefuser : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

// A child window shown in its place. It cannot be closed: nothing would bring it back, and the
// program needs all three for its life.
QMdiSubWindow* AddChildWindow(QMdiArea* area, QWidget* child) {
  QMdiSubWindow* place = area->addSubWindow(
      child, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
  place->setObjectName(child->objectName() + QStringLiteral("Place"));
  if (QMenu* menu = place->systemMenu()) {
    for (QAction* action : menu->actions()) {
      if (action->shortcut() == QKeySequence::Close || action->text().contains(QStringLiteral("Close"))) {
        menu->removeAction(action);
      }
    }
  }
  place->installEventFilter(new CloseRefuser(place));
  place->show();
  return place;
}

}  // namespace

MdiMain::MdiMain(core::Program& program, QWidget* parent) : QMainWindow(parent), program_(program) {
  setObjectName(QStringLiteral("mdiMain"));
  setWindowTitle(QString::fromUtf8(kTitle));
  // The "NEST FONT" choices: the fonts this system can print with.
  program_.PrinterFonts = [] {
    std::vector<std::string> fonts;
    for (const QString& family : QFontDatabase::families()) fonts.push_back(family.toStdString());
    return fonts;
  };

  mdi_ = new QMdiArea(this);
  mdi_->setObjectName(QStringLiteral("ClientArea"));
  mdi_->setViewMode(QMdiArea::SubWindowView);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mdi_->viewport()->installEventFilter(this);
  // Keys a focused list or grid uses itself (Ctrl+A selects all) must not reach a menu shortcut
  // (Ctrl+A prints every nest): the views are asked first, as text boxes already are.
  qApp->installEventFilter(this);
  setCentralWidget(mdi_);

  toolbar1_ = addToolBar(QStringLiteral("Toolbar"));
  toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar1_->setMovable(false);
  toolbar1_->setIconSize(QSize(16, 16));

  printing_ = std::make_unique<PrintingCommands>(program_);
  printing_->SetParent(this);
  BuildMenus();
  BuildStatusBar();
  BuildPopup();

  auto* notices = new ProgramNotices(program_, this);
  connect(notices, &ProgramNotices::RunStateChanged, this, &MdiMain::RunStateChanged);
  connect(notices, &ProgramNotices::ViewerFocusRequested, this, [this] {
    if (viewerPlace_ == nullptr) return;
    mdi_->setActiveSubWindow(viewerPlace_);
    viewer_->setFocus(Qt::OtherFocusReason);
  });

  batchTimer_ = new QTimer(this);
  batchTimer_->setObjectName(QStringLiteral("BLT"));
  batchTimer_->setInterval(1000);
  connect(batchTimer_, &QTimer::timeout, this, &MdiMain::BatchTick);

  // Every way the program can end runs the shut-down: the desktop session ending included.
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { EndSession(); });
  connect(qGuiApp, &QGuiApplication::aboutToQuit, this, [this] {
    if (started_ && !program_.RunInProgress) RunShutdown(false);
  });

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize available = screen->availableGeometry().size();
    resize(std::max(800, available.width() * 9 / 10), std::max(600, available.height() * 9 / 10));
  } else {
    resize(1200, 800);
  }
  UpdateCommandStates();
}

MdiMain::~MdiMain() = default;

std::optional<core::PrintSetup> MdiMain::AskPrintSetup() {
  return printing_->AskPrintSetup();
}

void MdiMain::CloseSplash() {
  if (splash_) splash_->close();
}

double MdiMain::Dpi() const {
  return ScreenDpi(*this);
}

bool MdiMain::Start(const std::string& executablePath) {
  if (!isVisible()) show();
  commands::StartupSteps steps;
  steps.ShowSplash = [this] { splash_ = ShowSplash(program_, this); };
  steps.BuildToolbar = [this] {
    LoadToolBarButtons();
    EnableViewMenus();
    SetToolbarState();
  };
  steps.PlaceInputWindow = [this] {
    fileMgr_ = new FileMgr(program_);
    fileMgrPlace_ = AddChildWindow(mdi_, fileMgr_);
    PlaceChildWindows();
  };
  steps.PlaceStockWindow = [this] {
    shtStk_ = new ShtStk(program_);
    shtStkPlace_ = AddChildWindow(mdi_, shtStk_);
    ApplyLayout();
  };
  steps.PlaceViewer = [this]() -> long {
    viewer_ = new Viewer(program_);
    viewerPlace_ = AddChildWindow(mdi_, viewer_);
    ApplyLayout();
    // Docking follows the operator's moves from here on, not the window's first placing.
    viewerPlace_->installEventFilter(this);
    // The viewer's activation sets the window zoom and shows the spot-zoom percentages.
    const auto viewerActivated = [this](QMdiSubWindow* window) {
      if (window != nullptr && window == viewerPlace_) {
        mVZFunction_Click(0);
        viewer::ShowSpotZoomStatus(program_);
      }
    };
    connect(mdi_, &QMdiArea::subWindowActivated, this, viewerActivated);
    if (mdi_->activeSubWindow() == viewerPlace_) {
      viewerActivated(viewerPlace_);
    } else {
      mdi_->setActiveSubWindow(viewerPlace_);
    }
    return layout_.Viewer.Width;
  };
  const bool startedUp =
      commands::Startup(program_, executablePath, steps) == commands::StartupResult::Started;
  // The input window's load closes the splash through the Ui; whatever happened, it is gone once
  // the start-up is over.
  CloseSplash();
  if (!startedUp) return false;
  started_ = true;
  batchTimer_->start();
  UpdateCommandStates();
  return true;
}

void MdiMain::PlaceChildWindows() {
  const QSize client = mdi_->viewport()->size();
  layout_ = commands::StartLayout(commands::PixelsToTwips(client.width(), Dpi()),
                                  commands::PixelsToTwips(client.height(), Dpi()));
  placed_ = true;
  ApplyLayout();
}

void MdiMain::ApplyLayout() {
  const double dpi = Dpi();
  const auto place = [dpi](QMdiSubWindow* window, const commands::TwipRect& r) {
    if (window != nullptr) window->setGeometry(PixelRect(r, dpi));
  };
  applyingLayout_ = true;
  place(fileMgrPlace_, layout_.FileMgr);
  place(shtStkPlace_, layout_.ShtStk);
  place(viewerPlace_, layout_.Viewer);
  applyingLayout_ = false;
}

void MdiMain::ResizeChildWindows() {
  if (!placed_) return;
  const long clientHeight = commands::PixelsToTwips(mdi_->viewport()->height(), Dpi());
  const commands::MainLayout resized = commands::ResizeLayout(layout_, clientHeight);
  if (resized == layout_) return;
  layout_ = resized;
  ApplyLayout();
}

bool MdiMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mdi_->viewport() && event->type() == QEvent::Resize) ResizeChildWindows();
  if (event->type() == QEvent::ShortcutOverride && qobject_cast<QAbstractItemView*>(watched) != nullptr) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll)) {
      event->accept();
      return false;
    }
  }
  if (watched == viewerPlace_ && viewerPlace_ != nullptr &&
      (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    DockViewer();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MdiMain::DockViewer() {
  if (!placed_ || !started_ || applyingLayout_) return;
  const double dpi = Dpi();
  const QRect now = viewerPlace_->geometry();
  // Only a move or resize of the operator's docks: the layout's own placing lands here too.
  if (now == PixelRect(layout_.Viewer, dpi)) return;
  layout_ = commands::DockViewer(layout_, TwipRectOf(now, dpi), program_.RightPaneWidth);
  ApplyLayout();
}

void MdiMain::EndSession() {
  closeInteractive_ = false;
  if (program_.RunInProgress) {
    closePending_ = true;
    return;
  }
  if (started_) RunShutdown(false);
  close();
}

void MdiMain::closeEvent(QCloseEvent* event) {
  if (shutDown_ || !started_) {
    event->accept();
    return;
  }
  // The run yields to the window system; the shut-down follows once it has ended.
  if (program_.RunInProgress) {
    closePending_ = true;
    event->ignore();
    return;
  }
  RunShutdown(closeInteractive_);
  event->accept();
}

void MdiMain::RunShutdown(bool interactive) {
  if (shutDown_) return;
  shutDown_ = true;
  batchTimer_->stop();
  const std::vector<std::string> failures = commands::Shutdown(program_);
  if (failures.empty()) return;
  std::string text = "Not saved:";
  for (const std::string& failure : failures) text += "\r" + failure;
  if (interactive) {
    program_.ui().Tell(text, "", core::MsgIcon::Warning);
  } else {
    std::cerr << "tavolin: " << text << '\n';
  }
}

void MdiMain::RunStateChanged() {
  UpdateCommandStates();
  if (!program_.RunInProgress && closePending_) {
    closePending_ = false;
    // Once the run's own procedure has returned.
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

}  // namespace tv::gui
