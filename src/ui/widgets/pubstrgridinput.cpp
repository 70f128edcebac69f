#include "ui/widgets/pubstrgrid.h"

#include "ui/feedback/dialogrunner.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QResizeEvent>

// What the grid does with the mouse and keys beyond a table view: sizing a row by
// dragging its lower edge in the first column, and adding, inserting and deleting rows.

int TPubStrGrid::rowEdgeAt(const QPoint &pos) const
{
    constexpr int grip = 3; // pixels either side of the edge
    if (m_model->ColCount() == 0 || pos.x() < columnViewportPosition(0)
        || pos.x() >= columnViewportPosition(0) + columnWidth(0))
        return -1;
    // The edge just above pos belongs to the row above, the one below to this row.
    for (const int row : {rowAt(pos.y() - grip), rowAt(pos.y() + grip)}) {
        if (row < 0)
            continue;
        const int bottom = rowViewportPosition(row) + rowHeight(row);
        if (qAbs(pos.y() - bottom) <= grip)
            return row;
    }
    return -1;
}

bool TPubStrGrid::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int row = mouse->button() == Qt::LeftButton ? rowEdgeAt(mouse->position().toPoint()) : -1;
        if (row >= 0) {
            m_sizingRow = row;
            m_sizingStartY = mouse->position().toPoint().y();
            m_sizingStartHeight = rowHeight(row);
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pos = mouse->position().toPoint();
        if (m_sizingRow >= 0) {
            setRowHeight(m_sizingRow, qMax(verticalHeader()->minimumSectionSize(),
                                           m_sizingStartHeight + pos.y() - m_sizingStartY));
            return true;
        }
        if (rowEdgeAt(pos) >= 0)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (m_sizingRow >= 0) {
            if (event->type() == QEvent::MouseButtonRelease)
                m_sizingRow = -1;
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick
            && rowEdgeAt(static_cast<QMouseEvent *>(event)->position().toPoint()) >= 0)
            return true;
        break;
    case QEvent::Leave:
        if (m_sizingRow < 0)
            viewport()->unsetCursor();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

void TPubStrGrid::resizeEvent(QResizeEvent *event)
{
    // A scroll area gets its viewport's resize here, after the viewport has its size.
    QTableView::resizeEvent(event);
    emit ViewportResized();
}

void TPubStrGrid::keyPressEvent(QKeyEvent *event)
{
    const int row = CurrentRow();
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && row >= 0 && row == RowCount() - 1) {
        SetRowCount(RowCount() + 1);
    } else if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && row >= 0) {
        InsertRow(row);
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier && RowCount() > 2 && row >= 0) {
        QMessageBox box(QMessageBox::Question, windowTitle(), QStringLiteral("Are you sure you want to delete this row?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        if (ExecDialog(box) == QMessageBox::Ok)
            DeleteRow(row);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
