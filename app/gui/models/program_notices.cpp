#include "gui/models/program_notices.h"

namespace tv::gui {

ProgramNotices::ProgramNotices(core::Program& program, QObject* parent)
    : QObject(parent),
      subscription_(program.Changes.Subscribe([this](core::Change change) { Relay(change); })) {}

void ProgramNotices::Relay(core::Change change) {
  switch (change) {
    case core::Change::ViewerCaption:
      emit ViewerCaptionChanged();
      break;
    case core::Change::LayerList:
      emit LayerListChanged();
      break;
    case core::Change::PartSpec:
      emit PartSpecChanged();
      break;
    case core::Change::SourceFolder:
      emit SourceFolderChanged();
      break;
    case core::Change::SourceList:
      emit SourceListChanged();
      break;
    case core::Change::NestList:
      emit NestListChanged();
      break;
    case core::Change::ProcEnabled:
      emit ProcEnabledChanged();
      break;
    case core::Change::FrameSetCaption:
      emit FrameSetCaptionChanged();
      break;
    case core::Change::NestFiles:
      emit NestFilesChanged();
      break;
    case core::Change::RunState:
      emit RunStateChanged();
      break;
    case core::Change::ViewerFocus:
      emit ViewerFocusRequested();
      break;
    case core::Change::Drawing:
      emit DrawingChanged();
      break;
  }
}

}  // namespace tv::gui
