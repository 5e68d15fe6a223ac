#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QTreeWidget>

#include "NativePeer.h"
#include "PaintedPeer.h"
#include "ui/controls/CDateTimeCtrl.h"
#include "ui/controls/CListBox.h"
#include "ui/controls/CListCtrl.h"
#include "ui/controls/ControlMessages.h"

namespace {

UINT clickModifiers() {
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    UINT flags = 0;
    if (mods & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// List boxes: a person's click goes to the layer, which owns the selection
// rules (single, extended); the widget shows the result.
class ListBoxPeer : public NativePeer<QListWidget> {
  public:
    ListBoxPeer(QtFrontEnd& frontEnd, CListBox& list, QWidget* parent)
        : NativePeer<QListWidget>(frontEnd, list, new QListWidget(parent)), m_list(list) {
        m_widget->setSelectionMode(QAbstractItemView::NoSelection);  // shown from the layer's state
        QObject::connect(m_widget.data(), &QListWidget::itemPressed, m_widget.data(),
                         [this](QListWidgetItem* item) {
                             if (FromLayer() || !item)
                                 return;
                             m_list.Click(m_widget->row(item), clickModifiers());
                             if (m_widget)
                                 SyncContent();
                         });
        QObject::connect(m_widget.data(), &QListWidget::itemDoubleClicked, m_widget.data(),
                         [this](QListWidgetItem* item) {
                             if (FromLayer() || !item)
                                 return;
                             m_list.DoubleClick(m_widget->row(item));
                         });
    }

  protected:
    void SyncContent() override {
        const auto& items = m_list.Items();
        if (m_widget->count() != items.Count()) {
            m_widget->clear();
            for (int i = 0; i < items.Count(); ++i)
                m_widget->addItem(ToQString(items.At(i).text));
        }
        for (int i = 0; i < items.Count(); ++i) {
            QListWidgetItem* item = m_widget->item(i);
            item->setText(ToQString(items.At(i).text));
            const bool selected = m_list.GetSel(i) > 0;
            item->setBackground(selected ? m_widget->palette().highlight() : QBrush());
            item->setForeground(selected ? m_widget->palette().highlightedText() : QBrush());
        }
    }

  private:
    CListBox& m_list;
};

class ListViewPeer : public NativePeer<QTreeWidget> {
  public:
    ListViewPeer(QtFrontEnd& frontEnd, CListCtrl& list, QWidget* parent)
        : NativePeer<QTreeWidget>(frontEnd, list, new QTreeWidget(parent)), m_list(list) {
        m_widget->setRootIsDecorated(false);
        m_widget->setUniformRowHeights(true);
        m_widget->setSelectionMode(QAbstractItemView::NoSelection);
        QObject::connect(m_widget.data(), &QTreeWidget::itemPressed, m_widget.data(),
                         [this](QTreeWidgetItem* item, int) {
                             if (FromLayer() || !item)
                                 return;
                             m_list.Click(m_widget->indexOfTopLevelItem(item), clickModifiers());
                             if (m_widget)
                                 SyncContent();
                         });
        QObject::connect(m_widget.data(), &QTreeWidget::itemDoubleClicked, m_widget.data(),
                         [this](QTreeWidgetItem* item, int) {
                             if (FromLayer() || !item)
                                 return;
                             m_list.DoubleClick(m_widget->indexOfTopLevelItem(item));
                         });
    }

  protected:
    void SyncContent() override {
        const auto& columns = m_list.Columns();
        QStringList headers;
        for (const auto& column : columns)
            headers << ToQString(column.text);
        m_widget->setColumnCount(static_cast<int>(columns.size()));
        m_widget->setHeaderLabels(headers);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            if (columns[static_cast<std::size_t>(c)].width >= 0)
                m_widget->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
        }
        m_widget->header()->setSectionsMovable(
            (m_list.GetExtendedStyle() & LVS_EX_HEADERDRAGDROP) != 0);
        m_widget->clear();
        for (int r = 0; r < m_list.GetItemCount(); ++r) {
            auto* item = new QTreeWidgetItem(m_widget.data());
            for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
                item->setText(c, ToQString(m_list.GetItemText(r, c)));
                const int format = columns[static_cast<std::size_t>(c)].format;
                item->setTextAlignment(c, format == LVCFMT_CENTER  ? Qt::AlignHCenter
                                          : format == LVCFMT_RIGHT ? Qt::AlignRight
                                                                   : Qt::AlignLeft);
            }
            const bool selected = (m_list.GetItemState(r, LVIS_SELECTED) & LVIS_SELECTED) != 0;
            for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
                item->setBackground(c, selected ? m_widget->palette().highlight() : QBrush());
                item->setForeground(c, selected ? m_widget->palette().highlightedText() : QBrush());
            }
        }
    }

  private:
    CListCtrl& m_list;
};

class DateTimePeer : public NativePeer<QDateEdit> {
  public:
    DateTimePeer(QtFrontEnd& frontEnd, CDateTimeCtrl& picker, QWidget* parent)
        : NativePeer<QDateEdit>(frontEnd, picker, new QDateEdit(parent)), m_picker(picker) {
        m_widget->setCalendarPopup(true);
        m_widget->setDisplayFormat("yyyy/MM/dd");
        QObject::connect(m_widget.data(), &QDateEdit::dateChanged, m_widget.data(),
                         [this](const QDate& date) {
                             if (FromLayer())
                                 return;
                             // A pick from the calendar: drop-down, change, close-up, as the
                             // layer's picker reports them.
                             m_picker.DropDown();
                             m_picker.PickDay(date.year(), date.month(), date.day());
                             if (m_picker.IsWindow())
                                 m_picker.CloseUp();
                             if (m_widget)
                                 SyncContent();
                         });
    }

  protected:
    void SyncContent() override {
        COleDateTime value;
        if (!m_picker.GetTime(value))
            return;
        const QDate date(value.GetYear(), value.GetMonth(), value.GetDay());
        if (m_widget->date() != date)
            m_widget->setDate(date);
    }

  private:
    CDateTimeCtrl& m_picker;
};

}  // namespace

std::unique_ptr<Peer> MakeListBoxPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* list = dynamic_cast<CListBox*>(&window);
    return list ? std::make_unique<ListBoxPeer>(frontEnd, *list, parent) : nullptr;
}

std::unique_ptr<Peer> MakeListViewPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* list = dynamic_cast<CListCtrl*>(&window);
    return list ? std::make_unique<ListViewPeer>(frontEnd, *list, parent) : nullptr;
}

std::unique_ptr<Peer> MakeDateTimePeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* picker = dynamic_cast<CDateTimeCtrl*>(&window);
    return picker ? std::make_unique<DateTimePeer>(frontEnd, *picker, parent) : nullptr;
}
