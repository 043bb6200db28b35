// Program's change notices as Qt signals, one per kind of change, so a window connects the
// values it shows the Qt way. Make one per window (parented to it); it listens as long as it lives.
#pragma once

#include <QObject>

#include "core/change_notice.h"
#include "core/program.h"

namespace tv::gui {

class ProgramNotices : public QObject {
  Q_OBJECT

 public:
  explicit ProgramNotices(core::Program& program, QObject* parent = nullptr);

 signals:
  void ViewerCaptionChanged();
  void LayerListChanged();
  void PartSpecChanged();
  void SourceFolderChanged();
  void SourceListChanged();
  void NestListChanged();
  void ProcEnabledChanged();
  void FrameSetCaptionChanged();
  void NestFilesChanged();
  void RunStateChanged();
  void ViewerFocusRequested();
  void DrawingChanged();

 private:
  void Relay(core::Change change);

  core::ChangeNotifier::Subscription subscription_;
};

}  // namespace tv::gui
