// How a grid cell is edited: a combo box for a choice cell, a line edit for an edit cell; a
// check box is ticked in place by the standard item delegate. The current cell is framed.
#pragma once

#include <QStyledItemDelegate>

namespace tv::gui {

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  // The current cell keeps its own colour (a search hit is yellow, a marked row red) and is shown
  // by a frame around it instead of the style's tint.
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tv::gui
