#include "gui/gridview/grid_delegate.h"

#include <QComboBox>
#include <QPainter>

#include "gui/models/grid_model.h"

namespace tv::gui {
namespace {

bool IsChoice(const QModelIndex& index) {
  return index.data(GridModel::KindRole).toInt() == static_cast<int>(grid::Kind::Choice);
}

}  // namespace

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  if (!IsChoice(index)) return QStyledItemDelegate::createEditor(parent, option, index);
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QStringLiteral("GridChoiceEditor"));
  combo->addItems(index.data(GridModel::ChoiceItemsRole).toStringList());
  // Choosing an item is the whole edit, as in a spreadsheet's drop-down cell.
  connect(combo, &QComboBox::activated, this, [this, combo] {
    emit const_cast<GridDelegate*>(this)->commitData(combo);
    emit const_cast<GridDelegate*>(this)->closeEditor(combo);
  });
  return combo;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor); combo && IsChoice(index)) {
    combo->setCurrentIndex(index.data(GridModel::ChoiceIndexRole).toInt());
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor); combo && IsChoice(index)) {
    // An unchanged choice is no edit.
    if (combo->currentIndex() != index.data(GridModel::ChoiceIndexRole).toInt()) {
      model->setData(index, combo->currentIndex(), Qt::EditRole);
    }
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const bool current = option.state & QStyle::State_HasFocus;
  QStyleOptionViewItem plain(option);
  plain.state &= ~QStyle::State_HasFocus;
  QStyledItemDelegate::paint(painter, plain, index);
  if (!current) return;
  painter->save();
  QPen pen(option.palette.color(QPalette::Highlight), 2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace tv::gui
