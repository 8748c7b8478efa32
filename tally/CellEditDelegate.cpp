#include "CellEditDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

CellEditDelegate::CellEditDelegate(QObject* parent, Edited edited, MovesOn movesOn, MoveOn moveOn)
    : QStyledItemDelegate(parent), m_edited(std::move(edited)), m_movesOn(std::move(movesOn)),
      m_moveOn(std::move(moveOn)) {}

QWidget* CellEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    return editor;
}

void CellEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    m_oldText = index.data(Qt::EditRole).toString();
    static_cast<QLineEdit*>(editor)->setText(m_oldText);
}

void CellEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    const QString text = static_cast<QLineEdit*>(editor)->text();
    if (text == m_oldText)
        return;
    const QString old = m_oldText;
    m_oldText = text;
    model->setData(index, text, Qt::EditRole);
    m_edited(index, old, text);
}

bool CellEditDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (m_movesOn(key)) {
            auto* editor = qobject_cast<QWidget*>(object);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_moveOn(key);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
