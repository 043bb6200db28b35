#include "gui/windows/file_mgr.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <cmath>

#include "gui/gridview/grid_view.h"
#include "gui/models/program_notices.h"
#include "gui/windows/twip_geometry.h"
#include "nesting/run_driver.h"
#include "settings/settings.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace tv::gui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A list widget shows the items of a list in the program, keeping its scroll position.
void ShowItems(QListWidget* list, const std::vector<std::string>& items) {
  QStringList texts;
  for (const std::string& item : items) texts << Q(item);
  bool same = list->count() == texts.size();
  for (int i = 0; same && i < texts.size(); ++i) same = list->item(i)->text() == texts[i];
  if (same) return;
  list->clear();
  list->addItems(texts);
}

}  // namespace

FileMgr::FileMgr(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("FileMgr"));
  setWindowTitle(QStringLiteral("Input Selection"));
  BuildControls();
  ConnectNotices();
  ShowSourceFolder();
  ShowSourceList();
  ShowNestList();
  ShowLayerList();
  ShowPartSpec();
  ShowRunState();
  frameSet_->setTitle(Q(program_.FrameSetCaption));
  proc_->setEnabled(program_.Input.ProcEnabled);
  // The settings frame starts in its restored state, the grid just below the frame's caption.
  commands::RestoreSettingsFrame(layout_, InnerHeightTwips());
  layout_.Settings.Top = 250;
  file2_->raise();
}

void FileMgr::BuildControls() {
  const auto named = [](QWidget* widget, const char* name, const char* tip = nullptr) {
    widget->setObjectName(QString::fromUtf8(name));
    if (tip != nullptr) widget->setToolTip(QString::fromUtf8(tip));
  };
  sPath_ = new QLineEdit(this);
  named(sPath_, "SPath");
  sPath_->installEventFilter(this);
  connect(sPath_, &QLineEdit::textEdited, this,
          [this](const QString& text) { worklist::SPath_Change(program_, text.toStdString()); });

  pBrwseS_ = new QPushButton(QStringLiteral("Path..."), this);
  named(pBrwseS_, "PBrwseS", "Path to DXF files for nesting.");
  connect(pBrwseS_, &QPushButton::clicked, this, [this] { worklist::PBrwseS_Click(program_); });

  label1_ = new QLabel(QStringLiteral("Invalid Path"), this);
  named(label1_, "Label1");
  label1_->setAlignment(Qt::AlignCenter);

  file1_ = new QListWidget(this);
  named(file1_, "File1", "List of DXF files that may be selected for nesting. *** Right Click for Menu.");
  file1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  file1_->viewport()->installEventFilter(this);
  connect(file1_, &QListWidget::itemSelectionChanged, this, &FileMgr::SourceSelectionToProgram);
  connect(file1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { worklist::File1_Click(program_, size_t(file1_->row(item))); });

  addFile_ = new QPushButton(QStringLiteral("\\V/"), this);
  named(addFile_, "AddFile", "Put selected files into worklist for nesting");
  connect(addFile_, &QPushButton::clicked, this, [this] { worklist::AddFile_Click(program_); });

  pList_ = new GridView(program_.PList, this);
  named(pList_, "PList");
  connect(pList_, &GridView::RightClicked, this, [this](int clickKind, long, long, QPoint globalPos) {
    if (clickKind == 0) PList_RightClick(globalPos);
  });

  proc_ = new QPushButton(QStringLiteral("Process"), this);
  named(proc_, "Proc", "Nest the files as per above worklist.");
  connect(proc_, &QPushButton::clicked, this, [this] { nesting::Proc_Click(program_); });

  file2_ = new QListWidget(this);
  named(file2_, "File2", "Nests that have been created. *** Right Click to Expand/Restore.");
  file2_->viewport()->installEventFilter(this);
  connect(file2_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { worklist::File2_Click(program_, size_t(file2_->row(item))); });

  partSpec_ = new QListWidget(this);
  named(partSpec_, "PartSpec", "Layers in DXF file.");
  layerList_ = new QListWidget(this);
  named(layerList_, "LayerList", "Layers in DXF file.");
  layerList_->hide();

  frameSet_ = new QGroupBox(this);
  named(frameSet_, "FrameSet");
  // Expanded, the frame covers the controls below it.
  frameSet_->setAutoFillBackground(true);
  btnLoadCfg_ = new QPushButton(QStringLiteral("Load"), frameSet_);
  named(btnLoadCfg_, "BtnLoadCfg");
  connect(btnLoadCfg_, &QPushButton::clicked, this, [this] { settings::BtnLoadCfg_Click(program_); });
  btnSaveAs_ = new QPushButton(QStringLiteral("Save as..."), frameSet_);
  named(btnSaveAs_, "BtnSaveCfg(0)");
  connect(btnSaveAs_, &QPushButton::clicked, this, [this] { settings::BtnSaveCfg_Click(program_, 0); });
  btnSave_ = new QPushButton(QStringLiteral("Save"), frameSet_);
  named(btnSave_, "BtnSaveCfg(1)");
  connect(btnSave_, &QPushButton::clicked, this, [this] { settings::BtnSaveCfg_Click(program_, 1); });
  settings_ = new GridView(program_.Settings, frameSet_);
  named(settings_, "Settings");
  // The settings show as two columns of name and value, without row numbers or headings.
  settings_->verticalHeader()->hide();
  settings_->horizontalHeader()->hide();
  connect(settings_, &GridView::MouseReleased, this, [this](int button) {
    if (button == 2) Settings_MouseUp();
  });
}

void FileMgr::ConnectNotices() {
  auto* notices = new ProgramNotices(program_, this);
  connect(notices, &ProgramNotices::SourceFolderChanged, this, &FileMgr::ShowSourceFolder);
  connect(notices, &ProgramNotices::SourceListChanged, this, &FileMgr::ShowSourceList);
  connect(notices, &ProgramNotices::NestListChanged, this, &FileMgr::ShowNestList);
  connect(notices, &ProgramNotices::LayerListChanged, this, &FileMgr::ShowLayerList);
  connect(notices, &ProgramNotices::PartSpecChanged, this, &FileMgr::ShowPartSpec);
  connect(notices, &ProgramNotices::RunStateChanged, this, &FileMgr::ShowRunState);
  connect(notices, &ProgramNotices::ProcEnabledChanged, this,
          [this] { proc_->setEnabled(program_.Input.ProcEnabled); });
  connect(notices, &ProgramNotices::FrameSetCaptionChanged, this,
          [this] { frameSet_->setTitle(Q(program_.FrameSetCaption)); });
}

void FileMgr::ShowSourceFolder() {
  const QString text = Q(program_.Input.SourceFolderText);
  // The operator's own typing is already there; rewriting it would move the cursor.
  if (sPath_->text() != text) sPath_->setText(text);
  sPath_->setToolTip(Q(program_.Input.SourceFolderTip));
}

void FileMgr::ShowSourceList() {
  const core::FileListState& list = program_.Input.SourceList;
  showingLists_ = true;
  ShowItems(file1_, list.Items);
  for (int i = 0; i < file1_->count(); ++i) {
    const bool selected = size_t(i) < list.Selected.size() && list.Selected[size_t(i)];
    if (file1_->item(i)->isSelected() != selected) file1_->item(i)->setSelected(selected);
  }
  showingLists_ = false;
  file1_->setVisible(list.Visible);
  label1_->setVisible(!list.Visible);
}

void FileMgr::SourceSelectionToProgram() {
  if (showingLists_) return;
  core::FileListState& list = program_.Input.SourceList;
  list.Selected.assign(list.Items.size(), false);
  for (int i = 0; i < file1_->count() && size_t(i) < list.Items.size(); ++i) {
    list.Selected[size_t(i)] = file1_->item(i)->isSelected();
  }
}

void FileMgr::ShowNestList() {
  ShowItems(file2_, program_.Input.NestList.Items);
}

void FileMgr::ShowLayerList() {
  ShowItems(layerList_, program_.LayerList);
  // The two lists share the nest list's place: the layer command switches between them.
  if (program_.LayerListShown == layerListShown_) return;
  layerListShown_ = program_.LayerListShown;
  partSpec_->lower();
  layerList_->setVisible(layerListShown_);
  if (layerListShown_) layerList_->raise();
}

void FileMgr::ShowPartSpec() {
  ShowItems(partSpec_, program_.PartSpec.Lines);
  if (program_.PartSpec.BringToFront) {
    program_.PartSpec.BringToFront = false;
    partSpec_->raise();
  }
}

void FileMgr::ShowRunState() {
  const bool running = program_.RunInProgress;
  // Commands that change the work list or the settings wait for the run to end.
  for (QWidget* control :
       {static_cast<QWidget*>(addFile_), static_cast<QWidget*>(pBrwseS_), static_cast<QWidget*>(btnLoadCfg_),
        static_cast<QWidget*>(btnSaveAs_), static_cast<QWidget*>(btnSave_)}) {
    control->setEnabled(!running);
  }
  // The sheets the run writes appear in the nest list, which comes to the front for it.
  if (running) file2_->raise();
}

long FileMgr::OuterWidthTwips() const {
  const auto* place = qobject_cast<const QMdiSubWindow*>(parentWidget());
  return commands::PixelsToTwips(place != nullptr ? place->width() : width(), ScreenDpi(*this));
}

long FileMgr::InnerHeightTwips() const {
  return commands::PixelsToTwips(height(), ScreenDpi(*this));
}

void FileMgr::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  commands::ResizeInputWindow(layout_, OuterWidthTwips(), InnerHeightTwips());
  SetSettingsColumnWidths();
  ApplyLayout();
}

void FileMgr::SetSettingsColumnWidths() {
  grid::Grid& g = program_.Settings;
  if (g.MaxCols() < 2) return;
  const QFontMetrics metrics(settings_->font());
  const double unit = settings_->PixelsPerWidthUnit();
  // A cell needs its margins besides the text.
  const int margins = 2 * (settings_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2;
  std::vector<double> names;
  for (long row = 1; row <= g.MaxRows(); ++row) {
    names.push_back((metrics.horizontalAdvance(Q(g.CellText(row, 1))) + margins) / unit);
  }
  const commands::SettingsColumns columns = commands::SettingsColumnWidths(names, layout_.Settings.Width);
  // The value column ends where the grid's scroll bar begins, so no sideways scrolling is needed.
  const int frame = 2 * settings_->frameWidth() + settings_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const double room =
      (commands::TwipsToPixels(layout_.Settings.Width, ScreenDpi(*this)) - frame) / unit - columns.Name;
  g.SetColumnWidth(1, columns.Name);
  g.SetColumnWidth(2, std::max(1.0, std::min(columns.Value, std::floor(room))));
}

void FileMgr::ApplyLayout() {
  const double dpi = ScreenDpi(*this);
  const auto place = [dpi](QWidget* widget, const commands::TwipRect& r) {
    widget->setGeometry(PixelRect(r, dpi));
  };
  place(sPath_, layout_.SPath);
  place(pBrwseS_, layout_.PBrwseS);
  place(file1_, layout_.File1);
  place(label1_, layout_.File1);
  place(addFile_, layout_.AddFile);
  place(pList_, layout_.PList);
  place(proc_, layout_.Proc);
  place(file2_, layout_.File2);
  place(layerList_, layout_.LayerList);
  place(partSpec_, layout_.LayerList);
  place(frameSet_, layout_.FrameSet);
  place(settings_, layout_.Settings);
  place(btnLoadCfg_, {80, 330, 800, 330});
  place(btnSaveAs_, {960, 330, 1000, 330});
  place(btnSave_, {2040, 330, 800, 330});
  settings_->raise();
  frameSet_->setVisible(layout_.SettingsShown);
  sPath_->setVisible(layout_.SourceFolderShown);
  pBrwseS_->setVisible(layout_.SourceFolderShown);
  switch (std::exchange(layout_.Raised, commands::InputControl::None)) {
    case commands::InputControl::File1:
      file1_->raise();
      break;
    case commands::InputControl::PList:
      pList_->raise();
      break;
    case commands::InputControl::File2:
      file2_->raise();
      break;
    case commands::InputControl::FrameSet:
      frameSet_->raise();
      break;
    case commands::InputControl::LayerList:
      layerList_->raise();
      break;
    case commands::InputControl::None:
      break;
  }
}

bool FileMgr::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sPath_ && event->type() == QEvent::FocusIn) {
    worklist::SPath_GotFocus(program_);
  } else if (watched == file1_->viewport() || watched == file2_->viewport()) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        type == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        // A right click leaves the selection alone: the menu acts on it.
        if (type == QEvent::MouseButtonRelease) {
          if (watched == file1_->viewport()) {
            File1_MouseUp(mouse->globalPosition().toPoint());
          } else {
            File2_MouseUp();
          }
        }
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tv::gui
